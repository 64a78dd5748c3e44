#pragma once
// "Solar Panel Settings": orientation and efficiency of a fixed panel and the months considered.
#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;

// OK closes it only when azimuth (-360..360), elevation (-90..90), efficiency (0..100) and the
// months (1..12, the first not after the last) are usable.
class QvSolarDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvSolarDialog(QWidget* parent = nullptr);

    void setInput(const qv::SolarPanel& panel);
    // The values as entered (a decimal comma read as a point); meaningful once accepted.
    qv::SolarPanel input() const;

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* azimuthEdit;
    QLineEdit* elevationEdit;
    QLineEdit* efficiencyEdit;
    QLineEdit* month1Edit;
    QLineEdit* month2Edit;
};
