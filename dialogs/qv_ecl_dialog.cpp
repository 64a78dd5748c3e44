#include "dialogs/qv_ecl_dialog.h"

#include "dialogs/dialog_form.h"

#include <QPushButton>
#include <QTextEdit>

QvEclDialog::QvEclDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvEclDialog"));
    setWindowTitle(tr("Eclipse Details"));
    eclEdit = qv::ui::makeTextView(this, "eclEdit");
    auto* closeButton =
        qv::ui::makeButton(this, "closeButton", tr("&Close"), QKeySequence(tr("Alt+C")));
    connect(closeButton, &QPushButton::clicked, this, &QvEclDialog::accept);
    qv::ui::layOutTextDialog(this, eclEdit, closeButton);
}

void QvEclDialog::showDetails(const QString& text, int fontPointSize)
{
    qv::ui::setTextPointSize(eclEdit, fontPointSize);
    qv::ui::appendPlainText(eclEdit, text);
    qv::ui::showFromStart(eclEdit);
}
