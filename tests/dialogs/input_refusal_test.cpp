// OK on a value the computations cannot take: a warning naming the range, the dialog stays
// open with the text as typed; usable values close the dialog as accepted.
#include "dialog_test_support.h"

#include "config/input_limits.h"
#include "dialogs/qv_date_dialog.h"
#include "dialogs/qv_day_dialog.h"
#include "dialogs/qv_map_dialog.h"
#include "dialogs/qv_moon_dialog.h"
#include "dialogs/qv_obs_dialog.h"
#include "dialogs/qv_sat_dialog.h"
#include "dialogs/qv_solar_dialog.h"
#include "dialogs/qv_ttut_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <limits>
#include <memory>

namespace {

// One dialog with the usable values of its command filled in.
std::unique_ptr<QvCheckedDialog> makeFilledDialog(const QString& kind)
{
    if (kind == QLatin1String("date")) {
        auto dialog = std::make_unique<QvDateDialog>();
        dialog->setInput({2024, qv::TimeZone{1.0}});
        return dialog;
    }
    if (kind == QLatin1String("ttut")) {
        auto dialog = std::make_unique<QvTtutDialog>();
        dialog->setInput({69.184, 69.184, false});
        return dialog;
    }
    if (kind == QLatin1String("obs")) {
        auto dialog = std::make_unique<QvObsDialog>();
        dialog->setInput(qv::Observer{48.2, 16.37, 171.0, "Here"}, false);
        return dialog;
    }
    if (kind == QLatin1String("obsDdmm")) {
        auto dialog = std::make_unique<QvObsDialog>();
        dialog->setInput(qv::Observer{48.2, 16.37, 171.0, "Here"}, true);
        return dialog;
    }
    if (kind == QLatin1String("map")) {
        auto dialog = std::make_unique<QvMapDialog>();
        qv::DisplaySettings display;
        display.mapGrid = qv::MapGrid::Every30Degrees;
        dialog->setInput(display);
        return dialog;
    }
    if (kind == QLatin1String("solar")) {
        auto dialog = std::make_unique<QvSolarDialog>();
        dialog->setInput(qv::SolarPanel{180.0, 45.0, 15.0, 5, 8});
        return dialog;
    }
    if (kind == QLatin1String("sky")) {
        auto dialog = std::make_unique<QvMoonDialog>();
        qv::SettingsRecord settings;
        settings.time.year = 2026;
        settings.time.month = 2;
        settings.time.day = 28;
        dialog->setInput(settings, 0);
        return dialog;
    }
    if (kind == QLatin1String("day")) {
        auto dialog = std::make_unique<QvDayDialog>();
        dialog->setInput({2026, 2, 28}, 0);
        return dialog;
    }
    auto dialog = std::make_unique<QvSatDialog>();
    dialog->setInput({qv::SpecialEclipseSettings{35788.1189, false, 300.0}, qv::UtInstant{2026, 2, 17, 12, 0, 0}});
    return dialog;
}

// OK of the input dialogs, Close of the details dialogs.
QPushButton* closingButton(const QDialog& dialog)
{
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    return ok != nullptr ? ok : child<QPushButton>(dialog, "closeButton");
}

}  // namespace

class InputRefusalTest : public QObject {
    Q_OBJECT

private slots:
    void badValueIsRefused_data();
    void badValueIsRefused();
    void usableValueIsAccepted_data();
    void usableValueIsAccepted();
    void deltaTDefaultIsAcceptedWhateverWasTyped();
    void decimalCommaIsReadAsAPoint();
    void ddmmssShowsWholeSecondsThatReadBack();
};

void InputRefusalTest::badValueIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expectedMessage");

    const auto year = [](long long value) { return QString::fromStdString(qv::checkYear(value)); };
    const auto zone = [](double value) { return QString::fromStdString(qv::checkTimeZone(value)); };
    const auto lat = [](double value) { return QString::fromStdString(qv::checkLatitude(value)); };
    const auto lng = [](double value) { return QString::fromStdString(qv::checkLongitude(value)); };
    const auto height = [](double value) { return QString::fromStdString(qv::checkHeight(value)); };
    const auto deltaT = [](double value) { return QString::fromStdString(qv::checkDeltaT(value)); };

    QTest::newRow("largest int year") << "date" << "yearEdit" << "2147483647" << year(2147483647LL);
    QTest::newRow("year beyond int")
        << "date" << "yearEdit" << "99999999999" << year(99999999999LL);
    QTest::newRow("year beyond long long") << "date" << "yearEdit" << "-99999999999999999999999"
                                           << year(std::numeric_limits<long long>::min());
    QTest::newRow("year one past the limit") << "date" << "yearEdit" << "10000" << year(10000);
    QTest::newRow("year one before the limit") << "date" << "yearEdit" << "-10000" << year(-10000);
    QTest::newRow("year not a number") << "date" << "yearEdit" << "abc" << "Year must be a whole number.";
    QTest::newRow("year with a fraction") << "date" << "yearEdit" << "2024.5" << "Year must be a whole number.";
    QTest::newRow("zone neither number nor name")
        << "date" << "tzoneEdit" << "Europe/Vienn" << "Unknown time zone \"Europe/Vienn\".";
    QTest::newRow("zone empty") << "date" << "tzoneEdit" << "" << "Time zone must be a number or a zone name.";
    QTest::newRow("sky zone unknown") << "sky" << "tzoneEdit" << "Mars" << "Unknown time zone \"Mars\".";
    QTest::newRow("delta-T not a number") << "ttut" << "delTtutEdit1" << "abc" << "TT - UT must be a number.";
    QTest::newRow("latitude not a number") << "obs" << "latEdit" << "abc" << "Latitude must be a number.";
    QTest::newRow("longitude with two commas") << "obs" << "lngEdit" << "1,2,3" << "Longitude must be a number.";
    QTest::newRow("height not a number") << "obs" << "heightEdit" << "tall" << "Height must be a number.";
    QTest::newRow("DD.MMSS latitude not a number") << "obsDdmm" << "latEdit" << "N48" << "Latitude must be a number.";
    QTest::newRow("meridian not a number") << "map" << "meridianEdit" << "abc" << "Central meridian must be a number.";
    QTest::newRow("meridian far out") << "map" << "meridianEdit" << "999"
                                      << "Central meridian must be between -360 and 360 degrees.";
    QTest::newRow("special eclipse month") << "sat" << "monthEdit" << "x" << "Month must be a whole number.";
    QTest::newRow("special eclipse step") << "sat" << "stepEdit" << "x" << "Time step must be a number.";
    // The impossible dates and times the batch companion refuses, with its ranges.
    const QString february = QStringLiteral("February 2026 has 28 days.");
    const QString stepRange = QStringLiteral("Time step must be between 1 and 86400 seconds.");
    for (const char* kind : {"sat", "sky", "day"}) {
        const QByteArray tag(kind);
        QTest::newRow(tag + " month 13") << kind << "monthEdit" << "13" << "Month must be between 1 and 12.";
        QTest::newRow(tag + " day 99") << kind << "dayEdit" << "99" << "Day must be between 1 and 31.";
        QTest::newRow(tag + " 29 February") << kind << "dayEdit" << "29" << february;
    }
    QTest::newRow("sat hour 25") << "sat" << "hourEdit" << "25" << "Hour must be between 0 and 23.";
    QTest::newRow("sat minute -7") << "sat" << "minEdit" << "-7" << "Minute must be between 0 and 59.";
    QTest::newRow("sat seconds 99") << "sat" << "secEdit" << "99" << "Second must be between 0 and 59.";
    QTest::newRow("sky hour 24") << "sky" << "hourEdit" << "24" << "Hour must be between 0 and 23.";
    QTest::newRow("sky minute 60") << "sky" << "minuteEdit" << "60" << "Minute must be between 0 and 59.";
    QTest::newRow("sky seconds -1") << "sky" << "secondEdit" << "-1" << "Second must be between 0 and 59.";
    QTest::newRow("sat step 0") << "sat" << "stepEdit" << "0" << stepRange;
    QTest::newRow("sat step nan") << "sat" << "stepEdit" << "nan" << stepRange;
    QTest::newRow("sat step 1e300") << "sat" << "stepEdit" << "1e300" << stepRange;
    QTest::newRow("sat height 1e7") << "sat" << "heightEdit" << "1e7" << "Height must be between 0 and 1000000 km.";
    QTest::newRow("sat height below") << "sat" << "heightEdit" << "-1" << "Height must be between 0 and 1000000 km.";
    QTest::newRow("zone nan") << "date" << "tzoneEdit" << "nan" << zone(qQNaN());
    QTest::newRow("zone inf") << "date" << "tzoneEdit" << "inf" << zone(qInf());
    QTest::newRow("zone huge") << "date" << "tzoneEdit" << "1e300" << zone(1e300);
    QTest::newRow("zone a day and a bit") << "date" << "tzoneEdit" << "24.5" << zone(24.5);
    QTest::newRow("delta-T nan") << "ttut" << "delTtutEdit1" << "nan" << deltaT(qQNaN());
    QTest::newRow("delta-T huge") << "ttut" << "delTtutEdit1" << "-1e300" << deltaT(-1e300);
    QTest::newRow("latitude past the pole") << "obs" << "latEdit" << "90.5" << lat(90.5);
    QTest::newRow("latitude inf") << "obs" << "latEdit" << "-inf" << lat(-qInf());
    QTest::newRow("longitude nan") << "obs" << "lngEdit" << "nan" << lng(qQNaN());
    QTest::newRow("longitude huge") << "obs" << "lngEdit" << "1e300" << lng(1e300);
    QTest::newRow("height huge") << "obs" << "heightEdit" << "1e300" << height(1e300);
    QTest::newRow("height below the centre") << "obs" << "heightEdit" << "-7e6" << height(-7e6);
    // Minutes and seconds of 60 and above are refused, not carried into the next unit.
    QTest::newRow("DD.MMSS minutes of 60")
        << "obsDdmm" << "latEdit" << "45.6" << "Latitude in DD.MMSS: the minutes (60) must be below 60.";
    QTest::newRow("DD.MMSS minutes of 75") << "obsDdmm" << "lngEdit" << "48.7599"
                                           << "Longitude in DD.MMSS: the minutes (75) must be below 60.";
    QTest::newRow("DD.MMSS seconds of 60") << "obsDdmm" << "latEdit" << "-48,2960"
                                           << "Latitude in DD.MMSS: the seconds (60) must be below 60.";
    QTest::newRow("DD.MMSS longitude nan") << "obsDdmm" << "lngEdit" << "nan" << lng(qQNaN());
    QTest::newRow("meridian nan") << "map" << "meridianEdit" << "nan"
                                  << QString::fromStdString(qv::checkCentralMeridian(qQNaN()));
    QTest::newRow("special eclipse year")
        << "sat" << "yearEdit" << "99999999999" << year(99999999999LL);
    const auto text = [](const std::string& message) { return QString::fromStdString(message); };
    QTest::newRow("panel azimuth") << "solar" << "azimuthEdit" << "361" << text(qv::checkPanelAzimuth(361));
    QTest::newRow("panel elevation nan")
        << "solar" << "elevationEdit" << "nan" << text(qv::checkPanelElevation(qQNaN()));
    QTest::newRow("panel efficiency")
        << "solar" << "efficiencyEdit" << "100.5" << text(qv::checkPanelEfficiency(100.5));
    QTest::newRow("start month") << "solar" << "month1Edit" << "0" << text(qv::checkMonth(0, "Start month"));
    QTest::newRow("end month") << "solar" << "month2Edit" << "13" << text(qv::checkMonth(13, "End month"));
    QTest::newRow("months backward") << "solar" << "month1Edit" << "9" << text(qv::checkMonthInterval(9, 8));
}

void InputRefusalTest::badValueIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, expectedMessage);
    QVERIFY(!expectedMessage.isEmpty());

    std::unique_ptr<QvCheckedDialog> dialog = makeFilledDialog(kind);
    auto* edit = child<QLineEdit>(*dialog, qPrintable(field));
    edit->setText(text);
    QCOMPARE(dialog->validationError(), expectedMessage);

    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    WarningAnswerer answerer;
    closingButton(*dialog)->click();
    QCOMPARE(answerer.count, 1);
    QCOMPARE(answerer.text, expectedMessage);
    QCOMPARE(answerer.title, dialog->windowTitle());
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->result() != QDialog::Accepted);
    QCOMPARE(edit->text(), text);
    QCOMPARE(dialog->focusWidget(), edit);
}

void InputRefusalTest::usableValueIsAccepted_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("year limit") << "date" << "yearEdit" << "9999";
    QTest::newRow("negative year limit") << "date" << "yearEdit" << " -9999 ";
    QTest::newRow("zone with a decimal comma") << "date" << "tzoneEdit" << "5,5";
    QTest::newRow("zone limit") << "date" << "tzoneEdit" << "-24";
    QTest::newRow("zone fraction") << "date" << "tzoneEdit" << "5.75";
    QTest::newRow("delta-T large") << "ttut" << "delTtutEdit1" << "9953.184";
    QTest::newRow("south pole") << "obs" << "latEdit" << "-90";
    QTest::newRow("longitude far west") << "obs" << "lngEdit" << "-359.5";
    QTest::newRow("height of a mountain") << "obs" << "heightEdit" << "8848";
    QTest::newRow("DD.MMSS latitude") << "obsDdmm" << "latEdit" << "48.2845";
    QTest::newRow("DD.MMSS last second") << "obsDdmm" << "lngEdit" << "-120.5959";
    QTest::newRow("meridian") << "map" << "meridianEdit" << "-150";
    QTest::newRow("special eclipse year") << "sat" << "yearEdit" << "-3000";
    QTest::newRow("special eclipse highest") << "sat" << "heightEdit" << "1e6";
    QTest::newRow("special eclipse longest step") << "sat" << "stepEdit" << "86400";
    QTest::newRow("sky named zone") << "sky" << "tzoneEdit" << "Asia/Kathmandu";
    QTest::newRow("named zone") << "date" << "tzoneEdit" << " Europe/Vienna ";
    QTest::newRow("panel azimuth") << "solar" << "azimuthEdit" << "-360";
    QTest::newRow("panel facing the ground") << "solar" << "elevationEdit" << "-90";
    QTest::newRow("panel efficiency") << "solar" << "efficiencyEdit" << "0";
    QTest::newRow("one month") << "solar" << "month1Edit" << "8";
}

void InputRefusalTest::usableValueIsAccepted()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(QString, text);

    std::unique_ptr<QvCheckedDialog> dialog = makeFilledDialog(kind);
    child<QLineEdit>(*dialog, qPrintable(field))->setText(text);
    QCOMPARE(dialog->validationError(), QString());

    dialog->show();
    WarningAnswerer answerer;
    closingButton(*dialog)->click();
    QCOMPARE(answerer.count, 0);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
}

void InputRefusalTest::deltaTDefaultIsAcceptedWhateverWasTyped()
{
    QvTtutDialog dialog;
    dialog.setInput({69.184, 69.184, false});
    child<QLineEdit>(dialog, "delTtutEdit1")->setText(QStringLiteral("inf"));
    QVERIFY(!dialog.validationError().isEmpty());

    child<QCheckBox>(dialog, "checkBox1")->setChecked(true);
    QCOMPARE(dialog.validationError(), QString());
    QCOMPARE(dialog.input().seconds, 69.184);
}

void InputRefusalTest::decimalCommaIsReadAsAPoint()
{
    QvObsDialog obs;
    obs.setInput(qv::Observer{0.0, 0.0, 0.0, "Here"}, false);
    child<QLineEdit>(obs, "latEdit")->setText(QStringLiteral("48,2"));
    child<QLineEdit>(obs, "lngEdit")->setText(QStringLiteral("-16,37"));
    child<QLineEdit>(obs, "heightEdit")->setText(QStringLiteral("171,5"));
    QCOMPARE(obs.validationError(), QString());
    const ObserverInput place = obs.input();
    QCOMPARE(place.latitudeDeg, 48.2);
    QCOMPARE(place.longitudeDeg, -16.37);
    QCOMPARE(place.heightM, 171.5);

    QvDateDialog date;
    date.setInput({2024, qv::TimeZone{}});
    child<QLineEdit>(date, "tzoneEdit")->setText(QStringLiteral("5,75"));
    QCOMPARE(date.input().zone.offsetHours, 5.75);
    QvTtutDialog ttut;
    ttut.setInput({0.0, 69.184, false});
    child<QLineEdit>(ttut, "delTtutEdit1")->setText(QStringLiteral("69,2"));
    QCOMPARE(ttut.input().seconds, 69.2);
    QvMapDialog map;
    map.setInput(qv::DisplaySettings{});
    child<QLineEdit>(map, "meridianEdit")->setText(QStringLiteral("-7,5"));
    QCOMPARE(map.input(qv::DisplaySettings{}).centralMeridianDeg, -7.5);
}

// A place shown in DD.MMSS is accepted as shown, also with three-digit degrees whose seconds
// six significant digits would round up to 60.
void InputRefusalTest::ddmmssShowsWholeSecondsThatReadBack()
{
    QvObsDialog dialog;
    const double lng = -(120.0 + 29.0 / 60.0 + 55.0 / 3600.0);
    dialog.setInput(qv::Observer{48.0 + 59.0 / 60.0 + 59.0 / 3600.0, lng, 0.0, "Here"}, true);
    QCOMPARE(child<QLineEdit>(dialog, "latEdit")->text(), QStringLiteral("48.5959"));
    QCOMPARE(child<QLineEdit>(dialog, "lngEdit")->text(), QStringLiteral("-120.2955"));
    QCOMPARE(dialog.validationError(), QString());
    QVERIFY(qAbs(dialog.input().longitudeDeg - lng) < 1e-9);
}

QTEST_MAIN(InputRefusalTest)
#include "input_refusal_test.moc"
