#pragma once
// "Solar Panel Settings": orientation and efficiency of a fixed panel and the months considered.
#include <QDialog>

class QLineEdit;

class QvSolarDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvSolarDialog(QWidget* parent = nullptr);

    // Shows azimuth and elevation (degrees), efficiency (percent), first and last month.
    void setParams(double spazDeg, double spelDeg, double speffPercent, int spm1, int spm2);
    // The five values as entered; text that is not a number reads as 0.
    void getParams(double& spazDeg, double& spelDeg, double& speffPercent, int& spm1,
                   int& spm2) const;

private:
    QLineEdit* azimuthEdit;
    QLineEdit* elevationEdit;
    QLineEdit* efficiencyEdit;
    QLineEdit* month1Edit;
    QLineEdit* month2Edit;
};
