#pragma once
// "Observer's Location": latitude, longitude, height and name of the place, with the angles
// entered either in decimal degrees or in packed DD.MMSS. A place search fills them, and the
// place's time zone, from the city database as the user types; before anything is typed it
// offers the principal city of the system's time zone.
#include "base/settings.h"
#include "dialogs/qv_checked_dialog.h"

#include <QString>

#include <optional>
#include <vector>

class QCompleter;
class QLineEdit;
class QRadioButton;
class QStringListModel;

namespace qv {
struct Place;
}

// What the dialog gives back.
struct ObserverInput {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double heightM = 0.0;
    QString name;                      // as entered; empty keeps the name stored before
    bool dmsAngles = false;            // angles shown in DD.MMSS
    std::optional<qv::TimeZone> zone;  // the zone of the place last picked from the search
};

class QvObsDialog : public QvCheckedDialog {
    Q_OBJECT

public:
    explicit QvObsDialog(QWidget* parent = nullptr);

    // Shows the place (degrees, metres, UTF-8 name); with dmsAngles the angles as DD.MMSS.
    void setInput(const qv::Observer& observer, bool dmsAngles);
    // The place in decimal degrees and metres as entered; meaningful once accepted.
    ObserverInput input() const;

public slots:
    // Decimal Degrees chosen: angles shown as DD.MMSS are converted to decimal degrees.
    void setDec();
    // Degrees in DD.MMSS chosen: angles shown in decimal degrees are converted to DD.MMSS.
    void setDdmm();
    // Offers the places the search text names, best first; for an empty text the principal
    // city of the system's time zone, when the place table has it.
    void searchPlaces(const QString& text);
    // Fills the fields and the zone from the offered place shown as choice.
    void pickPlace(const QString& choice);

protected:
    FieldError firstFieldError() const override;
    // Offers the system's place once the dialog shows, while the search is empty.
    void showEvent(QShowEvent* event) override;

private:
    // Converts both angle texts to the chosen format unless they already show it.
    void showAnglesAs(bool ddmm);
    // The angle of an edit in decimal degrees, converting from DD.MMSS while those are shown.
    double angleDeg(const QLineEdit* edit) const;
    // Check of an angle edit: a number, in range as typed, with minutes and seconds below 60
    // while DD.MMSS are shown, then the decimal degrees it stands for in range.
    FieldError angleError(QLineEdit* edit, const char* what, std::string (*check)(double)) const;

    // The angle as the fields show it now: decimal degrees or packed DD.MMSS.
    QString angleText(double degrees) const;

    QLineEdit* placeEdit;
    QCompleter* placeCompleter;
    QStringListModel* placeChoices;
    std::vector<const qv::Place*> offeredPlaces;
    std::optional<qv::TimeZone> pickedZone;
    QLineEdit* latEdit;
    QLineEdit* lngEdit;
    QLineEdit* heightEdit;
    QLineEdit* locEdit;
    QRadioButton* decButton;
    QRadioButton* ddmmButton;
    bool anglesShownAsDdmm = false;
};
