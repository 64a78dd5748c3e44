#pragma once
// "Solar Panel Settings": orientation and efficiency of a fixed panel and the months considered.
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;

// OK closes it only when azimuth (-360..360), elevation (-90..90), efficiency (0..100) and the
// months (1..12, the first not after the last) are usable.
class QvSolarDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvSolarDialog(QWidget* parent = nullptr);

    // Shows azimuth and elevation (degrees), efficiency (percent), first and last month.
    void setParams(double spazDeg, double spelDeg, double speffPercent, int spm1, int spm2);
    // The five values as entered (a decimal comma read as a point); OK refuses text that is
    // no number.
    void getParams(double& spazDeg, double& spelDeg, double& speffPercent, int& spm1,
                   int& spm2) const;

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* azimuthEdit;
    QLineEdit* elevationEdit;
    QLineEdit* efficiencyEdit;
    QLineEdit* month1Edit;
    QLineEdit* month2Edit;
};
