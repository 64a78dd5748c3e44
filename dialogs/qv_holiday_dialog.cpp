#include "dialogs/qv_holiday_dialog.h"

#include "dialogs/dialog_form.h"

#include <QPushButton>
#include <QTextEdit>

QvHolidayDialog::QvHolidayDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvHolidayDialog"));
    setWindowTitle(tr("Cultural and Religious Holidays"));
    textEdit1 = qv::ui::makeTextView(this, "textEdit1");
    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    connect(okButton, &QPushButton::clicked, this, &QvHolidayDialog::accept);
    qv::ui::layOutTextDialog(this, textEdit1, okButton);
}

void QvHolidayDialog::setHolidayLine(const QString& line) { qv::ui::appendPlainText(textEdit1, line); }

void QvHolidayDialog::showFromStart() { qv::ui::showFromStart(textEdit1); }
