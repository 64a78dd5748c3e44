#include "dialogs/qv_moon_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"
#include "reports/sky_details.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kFieldsPerRow = 4;
// Room for the whole text at the default font size, without scrolling.
constexpr int kMoonTextMinWidth = 460;
constexpr int kMoonTextMinHeight = 440;
// The text edit's own margins around a fixed-pitch text.
constexpr int kTextMarginPx = 12;

}  // namespace

QvMoonDialog::QvMoonDialog(QWidget* parent)
    : QvCheckedDialog(parent), detailsText(static_cast<DetailsText>(qv::skyDetailsText))
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
    qv::ui::addZoneCompleter(tzoneEdit);
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

void QvMoonDialog::showDetailsOf(const QString& title, DetailsText text, int columns)
{
    setWindowTitle(title);
    detailsText = text;
    fixedPitchColumns = columns;
    moonEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    moonEdit->setLineWrapMode(QTextEdit::NoWrap);
}

void QvMoonDialog::setInput(const qv::SettingsRecord& settings, int fontPointSize)
{
    qv::ui::setTextPointSize(moonEdit, fontPointSize);
    if (fixedPitchColumns > 0) {
        // The columns, the frame and a vertical scroll bar.
        const int textWidth = QFontMetrics(moonEdit->font()).horizontalAdvance(QString(fixedPitchColumns, '0'));
        moonEdit->setMinimumWidth(textWidth + 2 * moonEdit->frameWidth() +
                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kTextMarginPx);
    }
    workRecord = settings;
    const qv::TimeSettings& time = settings.time;
    yearEdit->setText(QString::number(time.year));
    monthEdit->setText(QString::number(time.month));
    dayEdit->setText(QString::number(time.day));
    hourEdit->setText(QString::number(time.hour));
    minuteEdit->setText(QString::number(time.minute));
    secondEdit->setText(QString::number(time.second));
    tzoneEdit->setText(qv::ui::zoneText(time.zone));
    refreshSlot();
}

SkyMomentInput QvMoonDialog::moment() const
{
    using qv::ui::wholeValue;
    return {wholeValue(yearEdit->text()),   wholeValue(monthEdit->text()),  wholeValue(dayEdit->text()),
            wholeValue(hourEdit->text()),   wholeValue(minuteEdit->text()), wholeValue(secondEdit->text()),
            qv::ui::typedZone(tzoneEdit->text(), workRecord.time.zone.offsetHours).value_or(qv::TimeZone{})};
}

void QvMoonDialog::refreshSlot()
{
    const QString error = validationError();
    if (!error.isEmpty()) {
        moonEdit->setPlainText(error);
        return;
    }
    const SkyMomentInput at = moment();
    storeMoment(at, workRecord.time);
    moonEdit->setPlainText(QString::fromStdString(detailsText(workRecord)));
}

void storeMoment(const SkyMomentInput& at, qv::TimeSettings& time)
{
    time.year = at.year;
    time.month = at.month;
    time.day = at.day;
    time.hour = at.hour;
    time.minute = at.minute;
    time.second = at.second;
    time.zone = at.zone;
}

QvCheckedDialog::FieldError QvMoonDialog::firstFieldError() const
{
    const FieldError checks[] = {
        yearFieldError(yearEdit),
        wholeFieldError(monthEdit, "Month", qv::checkMonthNumber),
        wholeFieldError(dayEdit, "Day", qv::checkDayNumber),
        dateFieldError(yearEdit, monthEdit, dayEdit),
        wholeFieldError(hourEdit, "Hours", qv::checkHour),
        wholeFieldError(minuteEdit, "Minutes", qv::checkMinute),
        wholeFieldError(secondEdit, "Seconds", qv::checkSecond),
        zoneFieldError(tzoneEdit),
    };
    return firstOf(checks);
}
