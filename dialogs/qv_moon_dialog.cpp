#include "dialogs/qv_moon_dialog.h"

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/dialog_form.h"
#include "reports/sky_details.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFieldsPerRow = 4;
// Room for the whole text at the default font size, without scrolling.
constexpr int kMoonTextMinWidth = 460;
constexpr int kMoonTextMinHeight = 440;

}  // namespace

QvMoonDialog::QvMoonDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvMoonDialog"));
    setWindowTitle(tr("Sun and Moon Details"));

    auto* grid = new QGridLayout;
    const struct {
        const char* labelName;
        QString text;
        const char* editName;
        QLineEdit** edit;
    } fields[] = {
        {"textLabel1", tr("&Year:"), "yearEdit", &yearEdit},
        {"textLabel2", tr("&Month:"), "monthEdit", &monthEdit},
        {"textLabel3", tr("&Day:"), "dayEdit", &dayEdit},
        {"textLabel7", tr("&Timezone:"), "tzoneEdit", &tzoneEdit},
        {"textLabel4", tr("&Hours:"), "hourEdit", &hourEdit},
        {"textLabel5", tr("M&inutes:"), "minuteEdit", &minuteEdit},
        {"textLabel6", tr("&Seconds:"), "secondEdit", &secondEdit},
    };
    int index = 0;
    for (const auto& field : fields) {
        *field.edit = new QLineEdit(this);
        (*field.edit)->setObjectName(QString::fromLatin1(field.editName));
        const int row = index / kFieldsPerRow;
        const int column = 2 * (index % kFieldsPerRow);
        grid->addWidget(qv::ui::makeBuddyLabel(this, field.labelName, field.text, *field.edit), row, column);
        grid->addWidget(*field.edit, row, column + 1);
        ++index;
    }
    moonEdit = qv::ui::makeTextView(this, "moonEdit");
    moonEdit->setMinimumSize(kMoonTextMinWidth, kMoonTextMinHeight);

    auto* refreshButton =
        qv::ui::makeButton(this, "refreshButton", tr("&Refresh"), QKeySequence(tr("Alt+R")));
    auto* closeButton = qv::ui::makeButton(this, "closeButton", tr("&Close"), QKeySequence(tr("Alt+C")));
    connect(refreshButton, &QPushButton::clicked, this, &QvMoonDialog::refreshSlot);
    connect(closeButton, &QPushButton::clicked, this, &QvMoonDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(moonEdit);
    qv::ui::addButtonRow(layout, {refreshButton, closeButton});
}

void QvMoonDialog::setParams(int year, int month, int day, int hour, int minute, int second, double tzone,
                             double delTdut, int delAuto, double geolat, double geolong, double geoheight,
                             const char* geoname, int dmsflg, int fz)
{
    qv::ui::setTextPointSize(moonEdit, fz);
    workRecord.year = year;
    workRecord.month = month;
    workRecord.day = day;
    workRecord.hour = hour;
    workRecord.minute = minute;
    workRecord.second = second;
    workRecord.timeZone = tzone;
    workRecord.deltaT = delTdut;
    workRecord.deltaTAuto = delAuto;
    workRecord.latitude = geolat;
    workRecord.longitude = geolong;
    workRecord.height = geoheight;
    std::memset(workRecord.locationName, 0, sizeof workRecord.locationName);
    if (geoname != nullptr)
        std::strncpy(workRecord.locationName, geoname, qv::kLocationNameMax);
    workRecord.dmsFlag = dmsflg;
    yearEdit->setText(QString::number(year));
    monthEdit->setText(QString::number(month));
    dayEdit->setText(QString::number(day));
    hourEdit->setText(QString::number(hour));
    minuteEdit->setText(QString::number(minute));
    secondEdit->setText(QString::number(second));
    tzoneEdit->setText(QString::number(tzone, 'g', 6));
    refreshSlot();
}

void QvMoonDialog::getParams(int& year, int& month, int& day, int& hour, int& minute, int& second,
                             double& tzone, double& delTdut)
{
    refreshSlot();
    year = workRecord.year;
    month = workRecord.month;
    day = workRecord.day;
    hour = workRecord.hour;
    minute = workRecord.minute;
    second = workRecord.second;
    tzone = workRecord.timeZone;
    delTdut = workRecord.deltaT;
}

void QvMoonDialog::refreshSlot()
{
    const QString error = validationError();
    if (!error.isEmpty()) {
        moonEdit->setPlainText(error);
        return;
    }
    const int year = yearEdit->text().toInt();
    // TT - UT on its default follows the year shown.
    if (year != workRecord.year && workRecord.deltaTAuto != 0)
        workRecord.deltaT = qv::deltaTDefault(year);
    workRecord.year = year;
    workRecord.month = std::clamp(monthEdit->text().toInt(), 1, 12);
    workRecord.day = std::clamp(dayEdit->text().toInt(), 1, 31);
    workRecord.hour = hourEdit->text().toInt();
    workRecord.minute = minuteEdit->text().toInt();
    workRecord.second = secondEdit->text().toInt();
    workRecord.timeZone = qv::ui::realValue(tzoneEdit->text());
    moonEdit->setPlainText(QString::fromStdString(qv::skyDetailsText(workRecord)));
}

QvCheckedDialog::FieldError QvMoonDialog::firstFieldError() const
{
    const FieldError checks[] = {
        yearFieldError(yearEdit),
        wholeFieldError(monthEdit, "Month"),
        wholeFieldError(dayEdit, "Day"),
        wholeFieldError(hourEdit, "Hours"),
        wholeFieldError(minuteEdit, "Minutes"),
        wholeFieldError(secondEdit, "Seconds"),
        realFieldError(tzoneEdit, "Time zone", qv::checkTimeZone),
    };
    for (const FieldError& check : checks)
        if (!check.message.isEmpty())
            return check;
    return {};
}
