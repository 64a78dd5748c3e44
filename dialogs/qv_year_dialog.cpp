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

void QvYearDialog::showTotals(const QString& text, int fontPointSize)
{
    qv::ui::setTextPointSize(totEdit, fontPointSize);
    totEdit->setPlainText(text);
}
