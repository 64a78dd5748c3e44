// Behaviour of the input dialogs: TT - UT default switching, the DD.MMSS and decimal forms of
// the location, the button codes of the map settings and the round trip of every form.
#include "dialog_test_support.h"

#include "base/places.h"
#include "dialogs/qv_date_dialog.h"
#include "dialogs/qv_map_dialog.h"
#include "dialogs/qv_obs_dialog.h"
#include "dialogs/qv_sat_dialog.h"
#include "dialogs/qv_solar_dialog.h"
#include "dialogs/qv_ttut_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr double kArcsecDeg = 1.0 / 3600.0;

// What the map dialog returns; grid, step, projection and meridian preset to values no code has.
struct MapSettings {
    int grid = -9;
    int grey = -9;
    int borders = -9;
    int step = -9;
    int projection = -9;
    double meridian = -9.0;
};

MapSettings readMapDialog(const QvMapDialog& dialog)
{
    qv::DisplaySettings unset;
    unset.mapGrid = static_cast<qv::MapGrid>(-9);
    unset.mapProjection = static_cast<qv::MapProjection>(-9);
    unset.mapStepMinutes = -9;
    unset.centralMeridianDeg = -9.0;
    const qv::DisplaySettings read = dialog.input(unset);
    return {static_cast<int>(read.mapGrid), read.mapGrey, read.mapBorders, read.mapStepMinutes,
            static_cast<int>(read.mapProjection), read.centralMeridianDeg};
}

void setMapDialog(QvMapDialog& dialog, int grid, int grey, int step, int projection, double meridian,
                  int borders = 1)
{
    qv::DisplaySettings display;
    display.mapGrid = static_cast<qv::MapGrid>(grid);
    display.mapGrey = grey != 0;
    display.mapBorders = borders != 0;
    display.mapStepMinutes = step;
    display.mapProjection = static_cast<qv::MapProjection>(projection);
    display.centralMeridianDeg = meridian;
    dialog.setInput(display);
}

qv::Observer observerAt(double latitudeDeg, double longitudeDeg, double heightM, const char* name)
{
    qv::Observer observer{latitudeDeg, longitudeDeg, heightM};
    observer.name = name;
    return observer;
}

}  // namespace

class InputDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void dateDialogRoundTripAndUnparsableText();
    void deltaTDefaultIsShownGreyedAndRestored();
    void deltaTOwnValueStaysWhenDefaultIsOff();
    void locationSwitchesBetweenForms();
    void locationReturnsDecimalDegreesFromDdmmss();
    void locationClickOnShownFormKeepsValues();
    void locationNameIsShownAndReturned();
    void mapGridCodes_data();
    void mapGridCodes();
    void mapProjectionCodesAndOtherSettings();
    void mapCodeOutsideTableClearsEarlierChoice();
    void solarPanelRoundTrip();
    void specialEclipseRoundTrip();
    void mnemonicsReachTheirFields();
    void placeSearchFillsTheLocationAndZone();
    void placeSearchFirstOffersTheSystemZonesCity();
    void zoneIsANumberOrAName();
};

void InputDialogsTest::dateDialogRoundTripAndUnparsableText()
{
    QvDateDialog dialog;
    dialog.setInput({-4712, qv::TimeZone{5.5}});
    QCOMPARE(child<QLineEdit>(dialog, "yearEdit")->text(), QStringLiteral("-4712"));
    QCOMPARE(child<QLineEdit>(dialog, "tzoneEdit")->text(), QStringLiteral("5.5"));
    QCOMPARE(dialog.input().year, -4712);
    QCOMPARE(dialog.input().zone.offsetHours, 5.5);

    // Zones show six significant digits.
    dialog.setInput({2024, qv::TimeZone{1.0 / 3.0}});
    QCOMPARE(child<QLineEdit>(dialog, "tzoneEdit")->text(), QStringLiteral("0.333333"));

    child<QLineEdit>(dialog, "yearEdit")->setText(QStringLiteral("MMXXIV"));
    child<QLineEdit>(dialog, "tzoneEdit")->setText(QStringLiteral("east"));
    QCOMPARE(dialog.input().year, 0);
    QCOMPARE(dialog.input().zone.offsetHours, 0.0);
}

void InputDialogsTest::deltaTDefaultIsShownGreyedAndRestored()
{
    QvTtutDialog dialog;
    auto* useDefault = child<QCheckBox>(dialog, "checkBox1");
    auto* edit = child<QLineEdit>(dialog, "delTtutEdit1");

    // The command passes the current value, which follows the default while it is in use.
    dialog.setInput({69.184, 69.184, true});
    QVERIFY(useDefault->isChecked());
    QCOMPARE(edit->text(), QStringLiteral("69.184"));
    QVERIFY(!edit->isEnabled());

    useDefault->setChecked(false);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("69.184"));

    edit->setText(QStringLiteral("123.5"));
    QCOMPARE(dialog.input().seconds, 123.5);
    QVERIFY(!dialog.input().followsYear);

    useDefault->setChecked(true);
    QCOMPARE(edit->text(), QStringLiteral("69.184"));
    QVERIFY(!edit->isEnabled());
    QCOMPARE(dialog.input().seconds, 69.184);
    QVERIFY(dialog.input().followsYear);
}

void InputDialogsTest::deltaTOwnValueStaysWhenDefaultIsOff()
{
    QvTtutDialog dialog;
    auto* edit = child<QLineEdit>(dialog, "delTtutEdit1");
    dialog.setInput({-12.25, 64.184, false});
    QVERIFY(!child<QCheckBox>(dialog, "checkBox1")->isChecked());
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("-12.25"));
    QCOMPARE(dialog.input().seconds, -12.25);

    // Checking the box shows the default handed to setInput, not the value in the edit.
    child<QCheckBox>(dialog, "checkBox1")->setChecked(true);
    QCOMPARE(edit->text(), QStringLiteral("64.184"));
}

void InputDialogsTest::locationSwitchesBetweenForms()
{
    QvObsDialog dialog;
    dialog.setInput(observerAt(0.0, 0.0, 0.0, "Here"), true);
    auto* lat = child<QLineEdit>(dialog, "latEdit");
    auto* lng = child<QLineEdit>(dialog, "lngEdit");
    QVERIFY(child<QRadioButton>(dialog, "ddmmButton")->isChecked());
    QVERIFY(!child<QRadioButton>(dialog, "decButton")->isChecked());

    lat->setText(QStringLiteral("48.2845"));
    lng->setText(QStringLiteral("-16.2245"));
    child<QRadioButton>(dialog, "decButton")->click();
    QCOMPARE(lat->text(), QStringLiteral("48.4792"));
    QCOMPARE(lng->text(), QStringLiteral("-16.3792"));

    // Back to DD.MMSS: the six digits shown round the angle to the second.
    child<QRadioButton>(dialog, "ddmmButton")->click();
    QCOMPARE(lat->text(), QStringLiteral("48.2845"));
    QCOMPARE(lng->text(), QStringLiteral("-16.2245"));
}

void InputDialogsTest::locationReturnsDecimalDegreesFromDdmmss()
{
    QvObsDialog dialog;
    dialog.setInput(observerAt(48.479166666, -16.379166666, 171.0, "Here"), true);
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("48.2845"));
    QCOMPARE(child<QLineEdit>(dialog, "lngEdit")->text(), QStringLiteral("-16.2245"));

    ObserverInput place = dialog.input();
    QVERIFY(place.dmsAngles);
    QVERIFY(qAbs(place.latitudeDeg - (48.0 + 28.0 / 60.0 + 45.0 / 3600.0)) < 0.01 * kArcsecDeg);
    QVERIFY(qAbs(place.longitudeDeg + (16.0 + 22.0 / 60.0 + 45.0 / 3600.0)) < 0.01 * kArcsecDeg);
    QCOMPARE(place.heightM, 171.0);

    child<QRadioButton>(dialog, "decButton")->click();
    place = dialog.input();
    QVERIFY(!place.dmsAngles);
    QCOMPARE(place.latitudeDeg, 48.4792);
    QCOMPARE(place.longitudeDeg, -16.3792);
}

void InputDialogsTest::locationClickOnShownFormKeepsValues()
{
    QvObsDialog dialog;
    dialog.setInput(observerAt(48.4792, 16.3792, 0.0, ""), false);
    child<QRadioButton>(dialog, "decButton")->click();
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("48.4792"));

    child<QRadioButton>(dialog, "ddmmButton")->click();
    child<QRadioButton>(dialog, "ddmmButton")->click();
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("48.2845"));

    // A value no angle can have is left as typed, to be reported by OK.
    child<QLineEdit>(dialog, "latEdit")->setText(QStringLiteral("nan"));
    child<QRadioButton>(dialog, "decButton")->click();
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("nan"));
    QCOMPARE(child<QLineEdit>(dialog, "lngEdit")->text(), QStringLiteral("16.3792"));
}

void InputDialogsTest::locationNameIsShownAndReturned()
{
    QvObsDialog dialog;
    dialog.setInput(observerAt(0.0, 0.0, 0.0, "Wien                          "), false);
    QCOMPARE(dialog.input().name, QStringLiteral("Wien                          "));
    dialog.setInput(observerAt(0.0, 0.0, 0.0, ""), false);
    QCOMPARE(dialog.input().name, QString());
}

void InputDialogsTest::mapGridCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("checkedButton");
    QTest::addColumn<int>("readBack");
    QTest::newRow("none") << 0 << "g00Button" << 0;
    QTest::newRow("30 degrees") << 1 << "g30Button" << 1;
    QTest::newRow("10 degrees") << 2 << "g10Button" << 2;
    QTest::newRow("above the table") << 3 << "" << 0;
    QTest::newRow("negative") << -1 << "" << 0;
}

void InputDialogsTest::mapGridCodes()
{
    QFETCH(int, code);
    QFETCH(QString, checkedButton);
    QFETCH(int, readBack);
    QvMapDialog dialog;
    setMapDialog(dialog, code, 1, 30, 0, 0.0);
    for (const char* name : {"g00Button", "g10Button", "g30Button"})
        QCOMPARE(child<QRadioButton>(dialog, name)->isChecked(),
                 checkedButton == QLatin1String(name));
    QCOMPARE(readMapDialog(dialog).grid, readBack);
}

void InputDialogsTest::mapProjectionCodesAndOtherSettings()
{
    const char* names[] = {"p0Button", "p1Button", "p2Button", "p3Button"};
    for (int code = 0; code < 4; ++code) {
        QvMapDialog dialog;
        setMapDialog(dialog, 0, code % 2, 15 + code, code, -30.5 * code, code / 2);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(child<QRadioButton>(dialog, names[i])->isChecked(), i == code);
        QCOMPARE(child<QCheckBox>(dialog, "bordersBox")->isChecked(), code / 2 == 1);
        const MapSettings read = readMapDialog(dialog);
        QCOMPARE(read.projection, code);
        QCOMPARE(read.grey, code % 2);
        QCOMPARE(read.borders, code / 2);
        QCOMPARE(read.step, 15 + code);
        QCOMPARE(read.meridian, -30.5 * code);
    }
}

void InputDialogsTest::mapCodeOutsideTableClearsEarlierChoice()
{
    QvMapDialog dialog;
    setMapDialog(dialog, 2, 1, 30, 3, 0.0);
    setMapDialog(dialog, 7, 0, 30, 9, 0.0, 0);
    for (const char* name :
         {"g00Button", "g10Button", "g30Button", "p0Button", "p1Button", "p2Button", "p3Button"})
        QVERIFY2(!child<QRadioButton>(dialog, name)->isChecked(), name);
    const MapSettings read = readMapDialog(dialog);
    QCOMPARE(read.grid, 0);
    QCOMPARE(read.projection, 0);
    QCOMPARE(read.grey, 0);
    QCOMPARE(read.borders, 0);

    // The step box holds the minutes to 1 .. 60.
    setMapDialog(dialog, 0, 1, 600, 0, 0.0);
    QCOMPARE(readMapDialog(dialog).step, 60);
    setMapDialog(dialog, 0, 1, 0, 0, 0.0);
    QCOMPARE(readMapDialog(dialog).step, 1);
}

void InputDialogsTest::solarPanelRoundTrip()
{
    QvSolarDialog dialog;
    dialog.setInput(qv::SolarPanel{180.0, 45.0, 15.0, 4, 9});
    QCOMPARE(child<QLineEdit>(dialog, "month1Edit")->text(), QStringLiteral("4"));
    const qv::SolarPanel panel = dialog.input();
    QCOMPARE(panel.azimuthDeg, 180.0);
    QCOMPARE(panel.elevationDeg, 45.0);
    QCOMPARE(panel.efficiencyPercent, 15.0);
    QCOMPARE(panel.startMonth, 4);
    QCOMPARE(panel.endMonth, 9);

    child<QLineEdit>(dialog, "month2Edit")->setText(QStringLiteral("Dec"));
    QCOMPARE(dialog.input().endMonth, 0);

    // Edits and labels explain the same field.
    auto* label = child<QLabel>(dialog, "textLabel3");
    auto* edit = child<QLineEdit>(dialog, "efficiencyEdit");
    QCOMPARE(label->toolTip(), edit->toolTip());
    QCOMPARE(label->whatsThis(), edit->whatsThis());
}

void InputDialogsTest::specialEclipseRoundTrip()
{
    QvSatDialog dialog;
    dialog.setInput({qv::SpecialEclipseSettings{35788.1189, true, 300.0}, qv::UtInstant{2024, 4, 8, 18, 17, 59}});
    QCOMPARE(child<QLineEdit>(dialog, "heightEdit")->text(), QStringLiteral("35788.1"));

    SpecialEclipseInput read = dialog.input();
    QVERIFY(read.surface.ellipsoid);
    QCOMPARE(read.surface.heightKm, 35788.1);
    QCOMPARE(read.surface.stepSeconds, 300.0);
    const qv::UtInstant& at = read.startUT;
    QCOMPARE(QList<int>({at.year, at.month, at.day, at.hour, at.minute, at.second}),
             QList<int>({2024, 4, 8, 18, 17, 59}));

    child<QCheckBox>(dialog, "geoidBox")->setChecked(false);
    QVERIFY(!dialog.input().surface.ellipsoid);
}

void InputDialogsTest::mnemonicsReachTheirFields()
{
    QvObsDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "heightEdit"));
    QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "locEdit"));

    // Alt+C cancels (the button animates its click first).
    dialog.setResult(QDialog::Accepted);
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

// Typed without accents and in the wrong case, the place is offered as "Name, Region,
// Country"; picking it fills the fields in the form shown and gives its zone.
void InputDialogsTest::placeSearchFillsTheLocationAndZone()
{
    QvObsDialog dialog;
    dialog.setInput(observerAt(0.0, 0.0, 0.0, "Here"), true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* search = child<QLineEdit>(dialog, "placeEdit");
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("zURI"));
    QCompleter* completer = search->completer();
    QTRY_VERIFY(completer->popup()->isVisible());
    const QString first = completer->completionModel()->index(0, 0).data().toString();
    QVERIFY2(first.startsWith(QStringLiteral("Zurich, ")) && first.endsWith(QStringLiteral(", Switzerland")),
             qPrintable(first));
    QVERIFY(completer->completionModel()->rowCount() > 1);

    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());  // picking a place leaves OK to the user
    const qv::Place& zurich = *qv::findPlaces("zuri", 1).front();
    QCOMPARE(child<QLineEdit>(dialog, "locEdit")->text(), QStringLiteral("Zurich"));
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text().left(5), QStringLiteral("47.22"));
    const ObserverInput place = dialog.input();
    QVERIFY(qAbs(place.latitudeDeg - zurich.latitudeDeg) < kArcsecDeg);
    QVERIFY(qAbs(place.longitudeDeg - zurich.longitudeDeg) < kArcsecDeg);
    QCOMPARE(place.heightM, zurich.heightM);
    QVERIFY(place.zone.has_value());
    QCOMPARE(QString::fromLatin1(place.zone->name), QStringLiteral("Europe/Zurich"));
}

// Before anything is typed the search offers the principal city of the system's zone (TZ
// here, an old name of it), so that one pick sets the place and its zone.
void InputDialogsTest::placeSearchFirstOffersTheSystemZonesCity()
{
    const QByteArray savedTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Asia/Calcutta");
    QvObsDialog dialog;
    dialog.setInput(observerAt(0.0, 0.0, 0.0, "Here"), false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));  // the popup may take the focus at once
    QCompleter* completer = child<QLineEdit>(dialog, "placeEdit")->completer();
    QTRY_VERIFY(completer->popup()->isVisible());
    QCOMPARE(completer->completionModel()->rowCount(), 1);
    QCOMPARE(completer->completionModel()->index(0, 0).data().toString(),
             QStringLiteral("Kolkata, West Bengal, India"));
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    if (hadTz)
        qputenv("TZ", savedTz);
    else
        qunsetenv("TZ");
    QCOMPARE(child<QLineEdit>(dialog, "locEdit")->text(), QStringLiteral("Kolkata"));
    QVERIFY(dialog.input().zone.has_value());
    QCOMPARE(QString::fromStdString(dialog.input().zone->name), QStringLiteral("Asia/Kolkata"));
}

void InputDialogsTest::zoneIsANumberOrAName()
{
    QvDateDialog dialog;
    dialog.setInput({2024, qv::TimeZone{1.0}});
    auto* zone = child<QLineEdit>(dialog, "tzoneEdit");
    zone->completer()->setCompletionPrefix(QStringLiteral("vienna"));
    QCOMPARE(zone->completer()->currentCompletion(), QStringLiteral("Europe/Vienna"));

    zone->setText(QStringLiteral("Europe/Vienna"));
    const DateZoneInput read = dialog.input();
    QCOMPARE(read.zone.name, std::string("Europe/Vienna"));
    QVERIFY(read.zone.rules != nullptr);
    QCOMPARE(read.zone.offsetHours, 1.0);  // what an older reader sees

    dialog.setInput(read);
    QCOMPARE(zone->text(), QStringLiteral("Europe/Vienna"));
    zone->setText(QStringLiteral("-3.5"));
    QVERIFY(dialog.input().zone.name.empty());
    QCOMPARE(dialog.input().zone.offsetHours, -3.5);
}

QTEST_MAIN(InputDialogsTest)
#include "input_dialogs_test.moc"
