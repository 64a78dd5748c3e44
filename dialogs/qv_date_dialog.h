#pragma once
// "Year and Timezone": the year of the tables and the time zone in hours east of Greenwich.
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;

class QvDateDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvDateDialog(QWidget* parent = nullptr);

    // Shows the year and the time zone (hours east of Greenwich).
    void setParams(int year, double tzoneHours);
    // The year entered; 0 when the text is not an integer.
    int getYear() const;
    // The time zone entered in hours; 0 when the text is not a number.
    double getTzone() const;

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* yearEdit;
    QLineEdit* tzoneEdit;
};
