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
    workRecord.time.year = year;
    workRecord.time.month = month;
    workRecord.time.day = day;
    workRecord.time.hour = hour;
    workRecord.time.minute = minute;
    workRecord.time.second = second;
    workRecord.time.zone.offsetHours = tzone;
    workRecord.time.deltaTManualSeconds = delTdut;
    workRecord.time.deltaTFollowsYear = delAuto != 0;
    workRecord.observer.latitudeDeg = geolat;
    workRecord.observer.longitudeDeg = geolong;
    workRecord.observer.heightM = geoheight;
    std::memset(workRecord.observer.name, 0, sizeof workRecord.observer.name);
    if (geoname != nullptr)
        std::strncpy(workRecord.observer.name, geoname, qv::kLocationNameMax);
    workRecord.display.dmsAngles = dmsflg;
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
                             double& tzone)
{
    refreshSlot();
    year = workRecord.time.year;
    month = workRecord.time.month;
    day = workRecord.time.day;
    hour = workRecord.time.hour;
    minute = workRecord.time.minute;
    second = workRecord.time.second;
    tzone = workRecord.time.zone.offsetHours;
}

void QvMoonDialog::refreshSlot()
{
    const QString error = validationError();
    if (!error.isEmpty()) {
        moonEdit->setPlainText(error);
        return;
    }
    const int year = yearEdit->text().toInt();
    workRecord.time.year = year;
    workRecord.time.month = std::clamp(monthEdit->text().toInt(), 1, 12);
    workRecord.time.day = std::clamp(dayEdit->text().toInt(), 1, 31);
    workRecord.time.hour = hourEdit->text().toInt();
    workRecord.time.minute = minuteEdit->text().toInt();
    workRecord.time.second = secondEdit->text().toInt();
    workRecord.time.zone.offsetHours = qv::ui::realValue(tzoneEdit->text());
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
