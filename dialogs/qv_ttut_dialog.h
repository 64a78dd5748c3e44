#pragma once
// "Terrestrial Time - Universal Time": TT - UT in seconds, or the year's default value.
#include "dialogs/qv_checked_dialog.h"

class QCheckBox;
class QLineEdit;

// TT - UT as the dialog shows it and gives it back.
struct DeltaTInput {
    double seconds = 0.0;         // shown; the year's default while followsYear
    double yearDefaultSeconds = 0.0;
    bool followsYear = true;      // "Use Default"
};

class QvTtutDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvTtutDialog(QWidget* parent = nullptr);

    void setInput(const DeltaTInput& input);
    // The value the edit shows (0 for text that is no number) and whether "Use Default" is checked.
    DeltaTInput input() const;

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
