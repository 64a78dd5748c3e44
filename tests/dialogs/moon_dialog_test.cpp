// The Sun and Moon details dialog: the details shown on opening and on Refresh, TT - UT
// following a changed year only while it is on its default, the values read back, and the
// refusal of a year the computations cannot take.
#include "dialog_test_support.h"

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/qv_moon_dialog.h"
#include "reports/sky_details.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

qv::SettingsRecord munichRecord(int year, double deltaT)
{
    qv::SettingsRecord record;
    record.time.year = year;
    record.time.month = 6;
    record.time.day = 21;
    record.time.hour = 12;
    record.time.deltaTManualSeconds = deltaT;
    record.time.deltaTFollowsYear = false;
    record.observer.latitudeDeg = 48.0;
    record.observer.longitudeDeg = 11.0;
    record.observer.name = "Munich";
    return record;
}

// The dialog opened on 21 June 2000 12:00 at 48 N 11 E, zone 0, TT - UT 64.184 s (automatic or not).
void openMunich(QvMoonDialog& dialog, int deltaTAuto, int fontSize = 10)
{
    qv::SettingsRecord record = munichRecord(2000, 64.184);
    record.time.deltaTFollowsYear = deltaTAuto != 0;
    dialog.setInput(record, fontSize);
}

// The text as the dialog shows it: QTextEdit keeps a CR LF as one line break.
QString shown(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

class MoonDialogTest : public QObject {
    Q_OBJECT

private slots:
    void openingShowsTheDetailsOfTheMoment();
    void refreshFollowsTheDefaultDeltaTOnlyWhenItIsOn();
    void badYearIsShownAndRefused();
};

void MoonDialogTest::openingShowsTheDetailsOfTheMoment()
{
    QvMoonDialog dialog;
    openMunich(dialog, 0, 12);
    auto* moonEdit = child<QTextEdit>(dialog, "moonEdit");
    QCOMPARE(moonEdit->font().pointSize(), 12);
    QCOMPARE(child<QLineEdit>(dialog, "tzoneEdit")->text(), QStringLiteral("0"));
    QCOMPARE(moonEdit->toPlainText(), shown(qv::skyDetailsText(munichRecord(2000, 64.184))));
    QVERIFY(moonEdit->toPlainText().startsWith(" Sky Circumstances for Munich\n"));
}

void MoonDialogTest::refreshFollowsTheDefaultDeltaTOnlyWhenItIsOn()
{
    for (int deltaTAuto : {1, 0}) {
        QvMoonDialog dialog;
        openMunich(dialog, deltaTAuto);
        child<QLineEdit>(dialog, "yearEdit")->setText(QStringLiteral("1900"));
        child<QLineEdit>(dialog, "tzoneEdit")->setText(QStringLiteral("1.5"));
        child<QPushButton>(dialog, "refreshButton")->click();
        const double expectedDeltaT = deltaTAuto != 0 ? qv::deltaTDefault(1900) : 64.184;
        qv::SettingsRecord expected = munichRecord(1900, expectedDeltaT);
        expected.time.zone.offsetHours = 1.5;
        QCOMPARE(child<QTextEdit>(dialog, "moonEdit")->toPlainText(), shown(qv::skyDetailsText(expected)));

        const SkyMomentInput at = dialog.moment();
        QCOMPARE(at.year, 1900);
        QCOMPARE(at.month, 6);
        QCOMPARE(at.hour, 12);
        QCOMPARE(at.zone.offsetHours, 1.5);
    }
}

void MoonDialogTest::badYearIsShownAndRefused()
{
    QvMoonDialog dialog;
    openMunich(dialog, 1);
    child<QLineEdit>(dialog, "yearEdit")->setText(QStringLiteral("100000"));
    child<QPushButton>(dialog, "refreshButton")->click();
    QCOMPARE(child<QTextEdit>(dialog, "moonEdit")->toPlainText(), QString::fromStdString(qv::checkYear(100000)));
    dialog.show();
    WarningAnswerer answerer;
    child<QPushButton>(dialog, "closeButton")->click();
    QCOMPARE(answerer.count, 1);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(MoonDialogTest)
#include "moon_dialog_test.moc"
