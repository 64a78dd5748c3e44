#pragma once
// "Observer's Location": latitude, longitude, height and name of the place, with the angles
// entered either in decimal degrees or in packed DD.MMSS.
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;
class QRadioButton;

class QvObsDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvObsDialog(QWidget* parent = nullptr);

    // Shows the place (degrees, metres, 8-bit name); with ddmm the angles are shown as DD.MMSS.
    void setParams(double latitudeDeg, double longitudeDeg, double heightM, const char* geoname,
                   bool ddmm);
    // The place in decimal degrees and metres, and whether DD.MMSS display was chosen.
    void getParams(double& latitudeDeg, double& longitudeDeg, double& heightM, bool& ddmm) const;
    // The name of the place as entered.
    QString getGeoname() const;

public slots:
    // Decimal Degrees chosen: angles shown as DD.MMSS are converted to decimal degrees.
    void setDec();
    // Degrees in DD.MMSS chosen: angles shown in decimal degrees are converted to DD.MMSS.
    void setDdmm();

protected:
    FieldError firstFieldError() const override;

private:
    // Converts both angle texts to the chosen format unless they already show it.
    void showAnglesAs(bool ddmm);
    // The angle of an edit in decimal degrees, converting from DD.MMSS while those are shown.
    double angleDeg(const QLineEdit* edit) const;
    // Check of an angle edit: a number, in range as typed, with minutes and seconds below 60
    // while DD.MMSS are shown, then the decimal degrees it stands for in range.
    FieldError angleError(QLineEdit* edit, const char* what, std::string (*check)(double)) const;

    QLineEdit* latEdit;
    QLineEdit* lngEdit;
    QLineEdit* heightEdit;
    QLineEdit* locEdit;
    QRadioButton* decButton;
    QRadioButton* ddmmButton;
    bool anglesShownAsDdmm = false;
};
