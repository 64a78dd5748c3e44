#pragma once
// "Eclipse Display Settings": grid, background, borders, time step, projection and central
// meridian of the eclipse maps.
#include "dialogs/qv_checked_dialog.h"

#include <QList>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class QvMapDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvMapDialog(QWidget* parent = nullptr);

    // Grid 0 none, 1 30 degrees, 2 10 degrees; grey 1 grey background, 0 white; borders 1
    // borders between countries drawn, 0 not; step in minutes (1 to 60); projection 0 simple,
    // 1 north, 2 south, 3 physical. A grid or projection code outside these leaves its buttons
    // cleared.
    void setParams(int mgrid, int mgrey, int mborders, int mstepMinutes, int mapprj, double centmerDeg);
    // The codes of the checked buttons (0 for a group with none checked) and the meridian.
    void getParams(int& mgrid, int& mgrey, int& mborders, int& mstepMinutes, int& mapprj,
                   double& centmerDeg) const;

protected:
    // The central meridian is a longitude and is held to the longitude range.
    FieldError firstFieldError() const override;

private:
    QList<QRadioButton*> gridButtons;        // in the order of the grid codes
    QList<QRadioButton*> projectionButtons;  // in the order of the projection codes
    QSpinBox* stepBox;
    QCheckBox* greyBox;
    QCheckBox* bordersBox;
    QLineEdit* meridianEdit;
};
