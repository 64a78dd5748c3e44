#include "dialogs/qv_year_dialog.h"

#include "dialogs/dialog_form.h"

#include <QPushButton>
#include <QTextEdit>

QvYearDialog::QvYearDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvYearDialog"));
    setWindowTitle(tr("Yearly Totals"));
    totEdit = qv::ui::makeTextView(this, "totEdit");
    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&Close"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvYearDialog::accept);
    qv::ui::layOutTextDialog(this, totEdit, okButton);
}

void QvYearDialog::setParams(const QString& s3, int fntsz)
{
    qv::ui::setTextPointSize(totEdit, fntsz);
    totEdit->setPlainText(s3);
}
