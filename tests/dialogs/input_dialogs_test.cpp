// Behaviour of the input dialogs: TT - UT default switching, the DD.MMSS and decimal forms of
// the location, the button codes of the map settings and the round trip of every form.
#include "dialog_test_support.h"

#include "dialogs/qv_date_dialog.h"
#include "dialogs/qv_map_dialog.h"
#include "dialogs/qv_obs_dialog.h"
#include "dialogs/qv_sat_dialog.h"
#include "dialogs/qv_solar_dialog.h"
#include "dialogs/qv_ttut_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr double kArcsecDeg = 1.0 / 3600.0;

// What the map dialog returns, each field preset to a value no code has.
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
    MapSettings read;
    dialog.getParams(read.grid, read.grey, read.borders, read.step, read.projection, read.meridian);
    return read;
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
};

void InputDialogsTest::dateDialogRoundTripAndUnparsableText()
{
    QvDateDialog dialog;
    dialog.setParams(-4712, 5.5);
    QCOMPARE(child<QLineEdit>(dialog, "yearEdit")->text(), QStringLiteral("-4712"));
    QCOMPARE(child<QLineEdit>(dialog, "tzoneEdit")->text(), QStringLiteral("5.5"));
    QCOMPARE(dialog.getYear(), -4712);
    QCOMPARE(dialog.getTzone(), 5.5);

    // Zones show six significant digits.
    dialog.setParams(2024, 1.0 / 3.0);
    QCOMPARE(child<QLineEdit>(dialog, "tzoneEdit")->text(), QStringLiteral("0.333333"));

    child<QLineEdit>(dialog, "yearEdit")->setText(QStringLiteral("MMXXIV"));
    child<QLineEdit>(dialog, "tzoneEdit")->setText(QStringLiteral("east"));
    QCOMPARE(dialog.getYear(), 0);
    QCOMPARE(dialog.getTzone(), 0.0);
}

void InputDialogsTest::deltaTDefaultIsShownGreyedAndRestored()
{
    QvTtutDialog dialog;
    auto* useDefault = child<QCheckBox>(dialog, "checkBox1");
    auto* edit = child<QLineEdit>(dialog, "delTtutEdit1");

    // The command passes the current value, which follows the default while it is in use.
    dialog.setParams(69.184, 69.184, true);
    QVERIFY(useDefault->isChecked());
    QCOMPARE(edit->text(), QStringLiteral("69.184"));
    QVERIFY(!edit->isEnabled());

    useDefault->setChecked(false);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("69.184"));

    edit->setText(QStringLiteral("123.5"));
    QCOMPARE(dialog.getDelut(), 123.5);
    QVERIFY(!dialog.getDelauto());

    useDefault->setChecked(true);
    QCOMPARE(edit->text(), QStringLiteral("69.184"));
    QVERIFY(!edit->isEnabled());
    QCOMPARE(dialog.getDelut(), 69.184);
    QVERIFY(dialog.getDelauto());
}

void InputDialogsTest::deltaTOwnValueStaysWhenDefaultIsOff()
{
    QvTtutDialog dialog;
    auto* edit = child<QLineEdit>(dialog, "delTtutEdit1");
    dialog.setParams(-12.25, 64.184, false);
    QVERIFY(!child<QCheckBox>(dialog, "checkBox1")->isChecked());
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("-12.25"));
    QCOMPARE(dialog.getDelut(), -12.25);

    // Checking the box shows the default handed to setParams, not the value in the edit.
    child<QCheckBox>(dialog, "checkBox1")->setChecked(true);
    QCOMPARE(edit->text(), QStringLiteral("64.184"));
}

void InputDialogsTest::locationSwitchesBetweenForms()
{
    QvObsDialog dialog;
    dialog.setParams(0.0, 0.0, 0.0, "Here", true);
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
    dialog.setParams(48.479166666, -16.379166666, 171.0, "Here", true);
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("48.2845"));
    QCOMPARE(child<QLineEdit>(dialog, "lngEdit")->text(), QStringLiteral("-16.2245"));

    double lat = 0.0;
    double lng = 0.0;
    double height = 0.0;
    bool ddmm = false;
    dialog.getParams(lat, lng, height, ddmm);
    QVERIFY(ddmm);
    QVERIFY(qAbs(lat - (48.0 + 28.0 / 60.0 + 45.0 / 3600.0)) < 0.01 * kArcsecDeg);
    QVERIFY(qAbs(lng + (16.0 + 22.0 / 60.0 + 45.0 / 3600.0)) < 0.01 * kArcsecDeg);
    QCOMPARE(height, 171.0);

    child<QRadioButton>(dialog, "decButton")->click();
    dialog.getParams(lat, lng, height, ddmm);
    QVERIFY(!ddmm);
    QCOMPARE(lat, 48.4792);
    QCOMPARE(lng, -16.3792);
}

void InputDialogsTest::locationClickOnShownFormKeepsValues()
{
    QvObsDialog dialog;
    dialog.setParams(48.4792, 16.3792, 0.0, "", false);
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
    dialog.setParams(0.0, 0.0, 0.0, "Wien                          ", false);
    QCOMPARE(dialog.getGeoname(), QStringLiteral("Wien                          "));
    dialog.setParams(0.0, 0.0, 0.0, nullptr, false);
    QCOMPARE(dialog.getGeoname(), QString());
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
    dialog.setParams(code, 1, 1, 30, 0, 0.0);
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
        dialog.setParams(0, code % 2, code / 2, 15 + code, code, -30.5 * code);
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
    dialog.setParams(2, 1, 1, 30, 3, 0.0);
    dialog.setParams(7, 0, 0, 30, 9, 0.0);
    for (const char* name :
         {"g00Button", "g10Button", "g30Button", "p0Button", "p1Button", "p2Button", "p3Button"})
        QVERIFY2(!child<QRadioButton>(dialog, name)->isChecked(), name);
    const MapSettings read = readMapDialog(dialog);
    QCOMPARE(read.grid, 0);
    QCOMPARE(read.projection, 0);
    QCOMPARE(read.grey, 0);
    QCOMPARE(read.borders, 0);

    // The step box holds the minutes to 1 .. 60.
    dialog.setParams(0, 1, 1, 600, 0, 0.0);
    QCOMPARE(readMapDialog(dialog).step, 60);
    dialog.setParams(0, 1, 1, 0, 0, 0.0);
    QCOMPARE(readMapDialog(dialog).step, 1);
}

void InputDialogsTest::solarPanelRoundTrip()
{
    QvSolarDialog dialog;
    dialog.setParams(180.0, 45.0, 15.0, 4, 9);
    QCOMPARE(child<QLineEdit>(dialog, "month1Edit")->text(), QStringLiteral("4"));
    double azimuth = 0.0;
    double elevation = 0.0;
    double efficiency = 0.0;
    int first = 0;
    int last = 0;
    dialog.getParams(azimuth, elevation, efficiency, first, last);
    QCOMPARE(azimuth, 180.0);
    QCOMPARE(elevation, 45.0);
    QCOMPARE(efficiency, 15.0);
    QCOMPARE(first, 4);
    QCOMPARE(last, 9);

    child<QLineEdit>(dialog, "month2Edit")->setText(QStringLiteral("Dec"));
    dialog.getParams(azimuth, elevation, efficiency, first, last);
    QCOMPARE(last, 0);

    // Edits and labels explain the same field.
    auto* label = child<QLabel>(dialog, "textLabel3");
    auto* edit = child<QLineEdit>(dialog, "efficiencyEdit");
    QCOMPARE(label->toolTip(), edit->toolTip());
    QCOMPARE(label->whatsThis(), edit->whatsThis());
}

void InputDialogsTest::specialEclipseRoundTrip()
{
    QvSatDialog dialog;
    dialog.setParams(true, 35788.1189, 300.0, 2024, 4, 8, 18, 17, 59);
    QCOMPARE(child<QLineEdit>(dialog, "heightEdit")->text(), QStringLiteral("35788.1"));

    bool ellipsoid = false;
    double heightKm = 0.0;
    double stepSeconds = 0.0;
    int yy = 0, mm = 0, dd = 0, hh = 0, mn = 0, ss = 0;
    dialog.getParams(ellipsoid, heightKm, stepSeconds, yy, mm, dd, hh, mn, ss);
    QVERIFY(ellipsoid);
    QCOMPARE(heightKm, 35788.1);
    QCOMPARE(stepSeconds, 300.0);
    QCOMPARE(QList<int>({yy, mm, dd, hh, mn, ss}), QList<int>({2024, 4, 8, 18, 17, 59}));

    child<QCheckBox>(dialog, "geoidBox")->setChecked(false);
    dialog.getParams(ellipsoid, heightKm, stepSeconds, yy, mm, dd, hh, mn, ss);
    QVERIFY(!ellipsoid);
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

QTEST_MAIN(InputDialogsTest)
#include "input_dialogs_test.moc"
