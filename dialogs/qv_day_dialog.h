#pragma once
// "Day Details": the weekday, day of the year and week of a date and the same day in the
// Hebrew, Islamic, Indian and Chinese calendars; the user may change the date and refresh.
// The dialog computes on a date record of its own, so the settings are never touched.
#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;
class QTextEdit;

struct CalendarDateInput {
    int year = 2000;
    int month = 1;
    int day = 1;
};

class QvDayDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvDayDialog(QWidget* parent = nullptr);

    // Takes the time zone and TT - UT (with its use-default flag) of the main settings for the
    // New Moon days of the Chinese calendar. Without it: zone 0 and the default TT - UT.
    void setContext(const qv::SettingsRecord& settings);
    // Sets the font point size of the details, shows the date and computes its details once.
    void setInput(const CalendarDateInput& date, int fontPointSize);
    // The date entered; meaningful once the dialog was accepted (every field checked).
    CalendarDateInput date() const;

public slots:
    // Shows the details of the date entered, or the message of the first field that holds no
    // date of the calendar.
    void refreshSlot();

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* yearEdit;
    QLineEdit* monthEdit;
    QLineEdit* dayEdit;
    QTextEdit* detailEdit;
    qv::SettingsRecord dateRecord;  // only date, zone and TT - UT are set; never saves
};
