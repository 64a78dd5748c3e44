#include "dialogs/qv_quick_dialog.h"

#include "dialogs/dialog_form.h"

#include <QPushButton>
#include <QTextEdit>

QvQuickDialog::QvQuickDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvQuickDialog"));
    setWindowTitle(tr("Quick Help"));
    textEdit1 = qv::ui::makeTextView(this, "textEdit1");
    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    connect(okButton, &QPushButton::clicked, this, &QvQuickDialog::accept);
    qv::ui::layOutTextDialog(this, textEdit1, okButton);
}

void QvQuickDialog::setHelpLine(const QString& line) { qv::ui::appendPlainText(textEdit1, line); }

void QvQuickDialog::showFromStart() { qv::ui::showFromStart(textEdit1); }
