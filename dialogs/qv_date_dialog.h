#pragma once
// "Year and Timezone": the year of the tables and the time zone, in hours east of Greenwich or
// by its name in the time-zone database.
#include "base/time_zone.h"
#include "dialogs/qv_checked_dialog.h"

class QLineEdit;

struct DateZoneInput {
    int year = 2000;
    qv::TimeZone zone;
};

class QvDateDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvDateDialog(QWidget* parent = nullptr);

    // Shows the year and the zone: its name, or its offset in hours.
    void setInput(const DateZoneInput& input);
    // The values entered; meaningful once the dialog was accepted (every field checked). A
    // named zone keeps the offset shown before as the fallback of older readers.
    DateZoneInput input() const;

protected:
    FieldError firstFieldError() const override;

private:
    QLineEdit* yearEdit;
    QLineEdit* tzoneEdit;
    double fallbackHours = 0.0;
};
