#pragma once
// "Sun and Moon Details": the sky details of a moment at the observer's place; the user may
// change the date, time and zone and refresh. The dialog computes on a settings record of its
// own, so the main settings change only when the command stores the values read back. The
// same dialog shows the planets at a moment ("Planets").
#include <string>

#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;
class QTextEdit;

// The moment the details are shown for: a local date and time, read in zone.
struct SkyMomentInput {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    qv::TimeZone zone;
};

// Makes the moment the local date, time and zone of the time settings.
void storeMoment(const SkyMomentInput& at, qv::TimeSettings& time);

class QvMoonDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvMoonDialog(QWidget* parent = nullptr);

    // The text of the details at the moment of a settings record.
    using DetailsText = std::string (*)(const qv::SettingsRecord&);
    // Shows the details of text under title instead of the Sun and Moon's, in a fixed-pitch
    // font that keeps their columns (at least columns characters wide); before setInput.
    void showDetailsOf(const QString& title, DetailsText text, int columns);

    // Copies the settings into the working record (TT - UT, place, angle format), shows their
    // local date, time and zone, sets the font point size of the details and computes them.
    void setInput(const qv::SettingsRecord& settings, int fontPointSize);
    // The moment entered; meaningful once the dialog was accepted (every field checked).
    SkyMomentInput moment() const;

public slots:
    // Shows the details of the moment entered (TT - UT renewed on its default when the year
    // changed), or the message of the first field the computations cannot take.
    void refreshSlot();

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* yearEdit;
    QLineEdit* monthEdit;
    QLineEdit* dayEdit;
    QLineEdit* hourEdit;
    QLineEdit* minuteEdit;
    QLineEdit* secondEdit;
    QLineEdit* tzoneEdit;
    QTextEdit* moonEdit;
    qv::SettingsRecord workRecord;
    DetailsText detailsText;
    int fixedPitchColumns = 0;  // 0: the Sun and Moon's text in the dialog's own font
};
