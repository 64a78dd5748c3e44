#pragma once
// "Special Eclipse Settings": the surface the eclipse is tracked on (sphere or ellipsoid and
// its height), the manual time step and the starting instant in UT.
#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"
#include "eclipse/special_eclipse.h"

class QCheckBox;
class QLineEdit;

// What the dialog shows and gives back: the surface with its step, and the starting instant.
struct SpecialEclipseInput {
    qv::SpecialEclipseSettings surface;
    qv::UtInstant startUT;
};

class QvSatDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvSatDialog(QWidget* parent = nullptr);

    void setInput(const SpecialEclipseInput& input);
    // The values as entered; meaningful once the dialog was accepted (every field checked).
    SpecialEclipseInput input() const;

protected:
    // Year, month, day, time of day, step and height each in its range, and a day that exists
    // in its month.
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
