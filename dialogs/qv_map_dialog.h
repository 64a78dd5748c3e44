#pragma once
// "Eclipse Display Settings": grid, background, borders, time step, projection and central
// meridian of the eclipse maps.
#include "base/settings.h"
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

    // Shows the map settings of display (its angle format is not part of the form). A grid or
    // projection code outside the buttons leaves its buttons cleared.
    void setInput(const qv::DisplaySettings& display);
    // display with the map settings entered: the codes of the checked buttons (0 for a group
    // with none checked), the step and the meridian.
    qv::DisplaySettings input(qv::DisplaySettings display) const;

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
