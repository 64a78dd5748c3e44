#pragma once
// "Terrestial Time - Universal Time": TT - UT in seconds, or the year's default value.
#include "dialogs/qv_checked_dialog.h"

class QCheckBox;
class QLineEdit;

class QvTtutDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvTtutDialog(QWidget* parent = nullptr);

    // Shows TT - UT in seconds; defaultSeconds is the year's default, shown while useDefault.
    void setParams(double deltaTSeconds, double defaultSeconds, bool useDefault);
    // TT - UT in seconds as the edit shows it; 0 when the text is not a number.
    double getDelut() const;
    // Whether "Use Default" is checked.
    bool getDelauto() const;

public slots:
    // Checked: shows the kept default, greyed. Unchecked: the edit becomes editable as it is.
    void setDelut();

protected:
    FieldError firstFieldError() const override;

private:
    // The default TT - UT of the current year in seconds, shared by every instance.
    inline static double keptDefaultSeconds = 0.0;

    QCheckBox* checkBox1;
    QLineEdit* delTtutEdit1;
};
