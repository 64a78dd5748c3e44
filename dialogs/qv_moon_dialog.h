#pragma once
// "Sun and Moon Details": the sky details of a moment at the observer's place; the user may
// change the date, time and zone and refresh. The dialog computes on a settings record of its
// own, so the main settings change only when the command stores the values read back.
#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;
class QTextEdit;

class QvMoonDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvMoonDialog(QWidget* parent = nullptr);

    // Fills the working record (TT - UT in seconds with its use-default flag, the place in
    // decimal degrees and metres, the name, the DD.MMSS flag), shows the date, time and zone,
    // sets the font point size of the details and computes them once.
    void setParams(int year, int month, int day, int hour, int minute, int second, double tzone,
                   double delTdut, int delAuto, double geolat, double geolong, double geoheight,
                   const char* geoname, int dmsflg, int fz);
    // Refreshes, then gives the moment shown.
    void getParams(int& year, int& month, int& day, int& hour, int& minute, int& second, double& tzone);

public slots:
    // Reads the fields (month clamped to 1..12, day to 1..31), renews TT - UT on its default
    // when the year changed, and shows the details; text that is no number, or a year or zone
    // the computations cannot take, shows its message instead.
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
};
