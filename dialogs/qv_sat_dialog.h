#pragma once
// "Special Eclipse Settings": the surface the eclipse is tracked on (sphere or ellipsoid and
// its height), the manual time step and the starting instant in UT.
#include "dialogs/qv_checked_dialog.h"

class QCheckBox;
class QLineEdit;

class QvSatDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvSatDialog(QWidget* parent = nullptr);

    // Shows the surface (ellipsoid flag, height in km), the step in seconds and the UT instant.
    void setParams(bool geoid, double heightKm, double tstepSeconds, int yy, int mm, int dd, int hh,
                   int mn, int ss);
    // The nine values as entered; text that is not a number reads as 0.
    void getParams(bool& geoid, double& heightKm, double& tstepSeconds, int& yy, int& mm, int& dd,
                   int& hh, int& mn, int& ss) const;

protected:
    // The year is held to the range of the calendar computations.
    FieldError firstFieldError() const override;

private:
    QLineEdit* yearEdit;
    QLineEdit* monthEdit;
    QLineEdit* dayEdit;
    QLineEdit* hourEdit;
    QLineEdit* minEdit;
    QLineEdit* secEdit;
    QLineEdit* stepEdit;
    QLineEdit* heightEdit;
    QCheckBox* geoidBox;
};
