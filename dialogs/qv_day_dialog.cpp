#include "dialogs/qv_day_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"
#include "reports/day_details.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>


namespace {

constexpr int kDetailMinWidth = 350;
constexpr int kDetailMinHeight = 290;

QLineEdit* makeEdit(QWidget* parent, const char* objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

}  // namespace

QvDayDialog::QvDayDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvDayDialog"));
    setWindowTitle(tr("Day Details"));

    yearEdit = makeEdit(this, "yearEdit");
    monthEdit = makeEdit(this, "monthEdit");
    dayEdit = makeEdit(this, "dayEdit");
    detailEdit = qv::ui::makeTextView(this, "detailEdit");
    detailEdit->setMinimumSize(kDetailMinWidth, kDetailMinHeight);

    auto* grid = new QGridLayout;
    auto addField = [this, grid](int column, const char* labelName, const QString& text, QLineEdit* edit) {
        grid->addWidget(qv::ui::makeBuddyLabel(this, labelName, text, edit), 0, column);
        grid->addWidget(edit, 0, column + 1);
    };
    addField(0, "textLabel1", tr("&Year:"), yearEdit);
    addField(2, "textLabel2", tr("&Month:"), monthEdit);
    addField(4, "textLabel3", tr("&Day:"), dayEdit);

    auto* refreshButton =
        qv::ui::makeButton(this, "refreshButton", tr("&Refresh"), QKeySequence(tr("Alt+R")));
    auto* closeButton = qv::ui::makeButton(this, "closeButton", tr("&Close"), QKeySequence(tr("Alt+C")));
    connect(refreshButton, &QPushButton::clicked, this, &QvDayDialog::refreshSlot);
    connect(closeButton, &QPushButton::clicked, this, &QvDayDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(detailEdit);
    qv::ui::addButtonRow(layout, {refreshButton, closeButton});
}

void QvDayDialog::setContext(const qv::SettingsRecord& settings)
{
    dateRecord.time.zone = settings.time.zone;
    dateRecord.time.deltaTManualSeconds = settings.time.deltaTManualSeconds;
    dateRecord.time.deltaTFollowsYear = settings.time.deltaTFollowsYear;
}

void QvDayDialog::setInput(const CalendarDateInput& date, int fontPointSize)
{
    qv::ui::setTextPointSize(detailEdit, fontPointSize);
    yearEdit->setText(QString::number(date.year));
    monthEdit->setText(QString::number(date.month));
    dayEdit->setText(QString::number(date.day));
    refreshSlot();
}

CalendarDateInput QvDayDialog::date() const
{
    using qv::ui::wholeValue;
    return {wholeValue(yearEdit->text()), wholeValue(monthEdit->text()), wholeValue(dayEdit->text())};
}

void QvDayDialog::refreshSlot()
{
    const QString error = validationError();
    if (!error.isEmpty()) {
        detailEdit->setPlainText(error);
        return;
    }
    const CalendarDateInput entered = date();
    dateRecord.time.year = entered.year;
    dateRecord.time.month = entered.month;
    dateRecord.time.day = entered.day;
    detailEdit->setPlainText(QString::fromStdString(qv::dayDetailsText(dateRecord)));
}

QvCheckedDialog::FieldError QvDayDialog::firstFieldError() const
{
    const FieldError checks[] = {
        yearFieldError(yearEdit),
        wholeFieldError(monthEdit, "Month", qv::checkMonthNumber),
        wholeFieldError(dayEdit, "Day", qv::checkDayNumber),
        dateFieldError(yearEdit, monthEdit, dayEdit),
    };
    return firstOf(checks);
}
