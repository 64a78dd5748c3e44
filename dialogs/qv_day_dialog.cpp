#include "dialogs/qv_day_dialog.h"

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/dialog_form.h"
#include "reports/day_details.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

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
    dateRecord.time.zone.offsetHours = settings.time.zone.offsetHours;
    dateRecord.time.deltaTManualSeconds = settings.time.deltaTManualSeconds;
    dateRecord.time.deltaTFollowsYear = settings.time.deltaTFollowsYear;
}

void QvDayDialog::setParams(int year, int month, int day, int fz)
{
    qv::ui::setTextPointSize(detailEdit, fz);
    yearEdit->setText(QString::number(year));
    monthEdit->setText(QString::number(month));
    dayEdit->setText(QString::number(day));
    refreshSlot();
}

void QvDayDialog::getParams(int& year, int& month, int& day) const
{
    year = yearEdit->text().toInt();
    month = std::clamp(monthEdit->text().toInt(), 1, 12);
    day = std::clamp(dayEdit->text().toInt(), 1, 31);
}

void QvDayDialog::refreshSlot()
{
    const QString error = validationError();
    if (!error.isEmpty()) {
        detailEdit->setPlainText(error);
        return;
    }
    getParams(dateRecord.time.year, dateRecord.time.month, dateRecord.time.day);
    detailEdit->setPlainText(QString::fromStdString(qv::dayDetailsText(dateRecord)));
}

QvCheckedDialog::FieldError QvDayDialog::firstFieldError() const
{
    FieldError error = yearFieldError(yearEdit);
    if (error.message.isEmpty())
        error = wholeFieldError(monthEdit, "Month");
    if (error.message.isEmpty())
        error = wholeFieldError(dayEdit, "Day");
    return error;
}
