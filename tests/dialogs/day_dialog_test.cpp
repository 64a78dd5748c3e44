// The day details dialog: its form, the details of the date shown on opening and on Refresh,
// the clamping of month and day, the zone and TT - UT taken from the main settings, and the
// refusal of a year the computations cannot take.
#include "dialog_test_support.h"

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/qv_day_dialog.h"
#include "reports/day_details.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

// The details text of a date computed as the dialog computes it with the default TT - UT.
QString expectedDetails(int year, int month, int day)
{
    qv::SettingsRecord record;
    record.time.year = year;
    record.time.month = month;
    record.time.day = day;
    return QString::fromStdString(qv::dayDetailsText(record));
}

}  // namespace

class DayDialogTest : public QObject {
    Q_OBJECT

private slots:
    void formHasTheNamedWidgets();
    void openingShowsTheDetailsOfTheDate();
    void refreshShowsWhyTheDateIsRefused();
    void chineseDaysFollowTheMainTtMinusUt();
    void yearOutsideTheRangeShowsTheMessage();
    void closeAcceptsAUsableDate();
};

void DayDialogTest::formHasTheNamedWidgets()
{
    QvDayDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("QvDayDialog"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Day Details"));
    const struct {
        const char* label;
        const char* text;
        const char* edit;
    } fields[] = {{"textLabel1", "&Year:", "yearEdit"},
                  {"textLabel2", "&Month:", "monthEdit"},
                  {"textLabel3", "&Day:", "dayEdit"}};
    for (const auto& field : fields) {
        auto* label = child<QLabel>(dialog, field.label);
        QCOMPARE(label->text(), QString::fromLatin1(field.text));
        QCOMPARE(label->buddy(), child<QLineEdit>(dialog, field.edit));
    }
    auto* refresh = child<QPushButton>(dialog, "refreshButton");
    QCOMPARE(refresh->text(), QStringLiteral("&Refresh"));
    QCOMPARE(refresh->shortcut(), QKeySequence(QStringLiteral("Alt+R")));
    auto* close = child<QPushButton>(dialog, "closeButton");
    QCOMPARE(close->text(), QStringLiteral("&Close"));
    QCOMPARE(close->shortcut(), QKeySequence(QStringLiteral("Alt+C")));
    auto* detail = child<QTextEdit>(dialog, "detailEdit");
    QVERIFY(detail->isReadOnly());
    QCOMPARE(detail->minimumSize(), QSize(350, 290));
}

void DayDialogTest::openingShowsTheDetailsOfTheDate()
{
    QvDayDialog dialog;
    dialog.setInput({2000, 9, 30}, 13);
    auto* detail = child<QTextEdit>(dialog, "detailEdit");
    QCOMPARE(detail->font().pointSize(), 13);
    QCOMPARE(child<QLineEdit>(dialog, "yearEdit")->text(), QStringLiteral("2000"));
    QCOMPARE(child<QLineEdit>(dialog, "monthEdit")->text(), QStringLiteral("9"));
    QCOMPARE(child<QLineEdit>(dialog, "dayEdit")->text(), QStringLiteral("30"));
    QCOMPARE(detail->toPlainText(), expectedDetails(2000, 9, 30));
    QVERIFY(detail->toPlainText().contains(QStringLiteral("Hebrew Day:  1     Month  1 (Tishri)    Year: 5761")));

    const CalendarDateInput date = dialog.date();
    QCOMPARE(date.year, 2000);
    QCOMPARE(date.month, 9);
    QCOMPARE(date.day, 30);
}

void DayDialogTest::refreshShowsWhyTheDateIsRefused()
{
    QvDayDialog dialog;
    dialog.setInput({2024, 3, 20}, 0);
    const QString before = child<QTextEdit>(dialog, "detailEdit")->toPlainText();
    child<QLineEdit>(dialog, "monthEdit")->setText(QStringLiteral("13"));
    child<QLineEdit>(dialog, "dayEdit")->setText(QStringLiteral("0"));
    child<QPushButton>(dialog, "refreshButton")->click();
    QCOMPARE(child<QTextEdit>(dialog, "detailEdit")->toPlainText(), QStringLiteral("Month must be between 1 and 12."));
    QCOMPARE(child<QLineEdit>(dialog, "monthEdit")->text(), QStringLiteral("13"));
    QCOMPARE(child<QLineEdit>(dialog, "dayEdit")->text(), QStringLiteral("0"));

    // A day past the month's end is refused, not rolled into the next month.
    child<QLineEdit>(dialog, "monthEdit")->setText(QStringLiteral("2"));
    child<QLineEdit>(dialog, "dayEdit")->setText(QStringLiteral("30"));
    child<QPushButton>(dialog, "refreshButton")->click();
    QCOMPARE(child<QTextEdit>(dialog, "detailEdit")->toPlainText(), QStringLiteral("February 2024 has 29 days."));
    child<QLineEdit>(dialog, "dayEdit")->setText(QStringLiteral("29"));
    child<QPushButton>(dialog, "refreshButton")->click();
    QCOMPARE(child<QTextEdit>(dialog, "detailEdit")->toPlainText(), expectedDetails(2024, 2, 29));
    QVERIFY(before != expectedDetails(2024, 2, 29));

    // Text that is no number is refused, naming its field.
    for (const char* field : {"monthEdit", "dayEdit"}) {
        child<QLineEdit>(dialog, field)->setText(QStringLiteral("June"));
        child<QPushButton>(dialog, "refreshButton")->click();
        QCOMPARE(child<QTextEdit>(dialog, "detailEdit")->toPlainText(),
                 QString::fromLatin1(field) == "monthEdit" ? QStringLiteral("Month must be a whole number.")
                                                           : QStringLiteral("Day must be a whole number."));
        child<QLineEdit>(dialog, field)->setText(QStringLiteral("1"));
    }
}

// The New Moon of 2097-08-07 falls a minute before midnight in UTC+8: with the default TT - UT
// the lunation finder puts it after midnight, ten minutes more of TT - UT bring it before.
void DayDialogTest::chineseDaysFollowTheMainTtMinusUt()
{
    QvDayDialog dialog;
    dialog.setInput({2097, 8, 7}, 0);
    auto* detail = child<QTextEdit>(dialog, "detailEdit");
    QVERIFY(detail->toPlainText().contains(QStringLiteral("Chinese Day: 30    Month  6 ")));

    qv::SettingsRecord main;
    main.time.zone.offsetHours = -5.0;
    main.time.deltaTManualSeconds = qv::deltaTDefault(2097) + 600.0;
    main.time.deltaTFollowsYear = false;
    dialog.setContext(main);
    dialog.refreshSlot();
    QVERIFY(detail->toPlainText().contains(QStringLiteral("Chinese Day:  1    Month  7 ")));

    // On its default, TT - UT follows the year shown, not the main settings' value.
    main.time.deltaTFollowsYear = true;
    dialog.setContext(main);
    dialog.refreshSlot();
    QVERIFY(detail->toPlainText().contains(QStringLiteral("Chinese Day: 30    Month  6 ")));
}

void DayDialogTest::yearOutsideTheRangeShowsTheMessage()
{
    QvDayDialog dialog;
    dialog.setInput({2024, 1, 1}, 0);
    auto* yearEdit = child<QLineEdit>(dialog, "yearEdit");
    auto* detail = child<QTextEdit>(dialog, "detailEdit");
    for (const char* text : {"10000", "-10000", "123456789012345678901"}) {
        yearEdit->setText(QString::fromLatin1(text));
        dialog.refreshSlot();
        QCOMPARE(detail->toPlainText(), QString::fromStdString(qv::checkYear(qv::kYearMax + 1)));
    }

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    WarningAnswerer answerer;
    child<QPushButton>(dialog, "closeButton")->click();
    QCOMPARE(answerer.count, 1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(yearEdit->text(), QStringLiteral("123456789012345678901"));
}

void DayDialogTest::closeAcceptsAUsableDate()
{
    QvDayDialog dialog;
    dialog.setInput({-9999, 12, 31}, 0);
    QCOMPARE(child<QTextEdit>(dialog, "detailEdit")->toPlainText(), expectedDetails(-9999, 12, 31));
    dialog.show();
    WarningAnswerer answerer;
    auto* close = child<QPushButton>(dialog, "closeButton");
    close->click();
    QCOMPARE(answerer.count, 0);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(DayDialogTest)
#include "day_dialog_test.moc"
