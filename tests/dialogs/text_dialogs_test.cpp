// The text dialogs: pieces shown in the order sent and as plain text, the view back at the
// first line when asked, font sizes, and the closing buttons.
#include "dialog_test_support.h"

#include "dialogs/qv_ecl_dialog.h"
#include "dialogs/qv_holiday_dialog.h"
#include "dialogs/qv_quick_dialog.h"
#include "dialogs/qv_year_dialog.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <functional>

class TextDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void piecesAreShownInOrderFromTheTop_data();
    void piecesAreShownInOrderFromTheTop();
    void eclipseDetailsStartAtFirstLine();
    void eclipsePictureStandsBesideTheText();
    void yearTotalsReplaceTextAndSetFont();
    void closingButtonsAccept();
};

void TextDialogsTest::piecesAreShownInOrderFromTheTop_data()
{
    QTest::addColumn<bool>("holiday");
    QTest::newRow("holidays") << true;
    QTest::newRow("quick help") << false;
}

void TextDialogsTest::piecesAreShownInOrderFromTheTop()
{
    QFETCH(bool, holiday);
    QvHolidayDialog holidayDialog;
    QvQuickDialog quickDialog;
    QDialog& dialog = holiday ? static_cast<QDialog&>(holidayDialog) : quickDialog;
    const std::function<void(const QString&)> send = [&](const QString& piece) {
        if (holiday)
            holidayDialog.setHolidayLine(piece);
        else
            quickDialog.setHelpLine(piece);
    };
    const std::function<void()> showFromStart = [&] {
        if (holiday)
            holidayDialog.showFromStart();
        else
            quickDialog.showFromStart();
    };
    auto* text = child<QTextEdit>(dialog, "textEdit1");
    dialog.show();

    QString expected = QStringLiteral("\t\tHolidays for 2024\n\t\t==============\n\n");
    send(expected);
    // Markup is shown as typed, never interpreted.
    send(QStringLiteral("<b>Easter</b> & more"));
    expected += QStringLiteral("<b>Easter</b> & more");
    for (int line = 1; line <= 120; ++line) {
        const QString piece = QStringLiteral("\nline %1").arg(line);
        send(piece);
        expected += piece;
    }
    QCOMPARE(text->toPlainText(), expected);
    QVERIFY(text->verticalScrollBar()->value() > 0);

    showFromStart();
    QCOMPARE(text->toPlainText(), expected);
    QCOMPARE(text->textCursor().position(), 0);
    QCOMPARE(text->verticalScrollBar()->value(), 0);

    // A piece sent afterwards still goes to the end, whatever its text.
    send(QStringLiteral("\n$$$"));
    QVERIFY(text->toPlainText().endsWith(QStringLiteral("line 120\n$$$")));
}

void TextDialogsTest::eclipseDetailsStartAtFirstLine()
{
    QvEclDialog dialog;
    auto* text = child<QTextEdit>(dialog, "eclEdit");
    dialog.show();
    QString details = QStringLiteral("Total Solar Eclipse\n");
    for (int line = 0; line < 100; ++line)
        details += QStringLiteral("contact %1\n").arg(line);
    dialog.showDetails(details, 12);
    QCOMPARE(text->toPlainText(), details);
    QCOMPARE(text->font().pointSize(), 12);
    QCOMPARE(text->textCursor().position(), 0);
    QCOMPARE(text->verticalScrollBar()->value(), 0);
    QVERIFY(text->isReadOnly());
}

void TextDialogsTest::eclipsePictureStandsBesideTheText()
{
    QvEclDialog dialog;
    auto* text = child<QTextEdit>(dialog, "eclEdit");
    auto* picture = child<QWidget>(dialog, "eclPicture");
    dialog.show();
    QVERIFY(!picture->isVisible());
    QSizeF paintedSize;
    dialog.showPicture([&](QPainter& painter, QSizeF sizePx) {
        paintedSize = sizePx;
        painter.fillRect(QRectF(QPointF(0.0, 0.0), sizePx), Qt::black);
    });
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    QCOMPARE(paintedSize, QSizeF(picture->size()));
    QVERIFY(picture->geometry().left() >= text->geometry().right());
    QCOMPARE(picture->geometry().top(), text->geometry().top());
}

void TextDialogsTest::yearTotalsReplaceTextAndSetFont()
{
    QvYearDialog dialog;
    auto* text = child<QTextEdit>(dialog, "totEdit");
    QString report = QStringLiteral("Yearly Total for Default\n  Sunshine Hours:  4383.12 h \n");
    dialog.showTotals(report, 8);
    QCOMPARE(text->toPlainText(), report);
    QCOMPARE(text->font().pointSize(), 8);

    const QString panel = QStringLiteral("Solar Panel Statistics for Default\n");
    dialog.showTotals(panel, 0);
    QCOMPARE(text->toPlainText(), panel);
    QCOMPARE(text->font().pointSize(), 8);
}

void TextDialogsTest::closingButtonsAccept()
{
    QvEclDialog ecl;
    QvHolidayDialog holiday;
    QvYearDialog year;
    QvQuickDialog quick;
    const QList<std::pair<QDialog*, const char*>> dialogs = {
        {&ecl, "closeButton"}, {&holiday, "okButton"}, {&year, "okButton"}, {&quick, "okButton"}};
    for (const auto& [dialog, buttonName] : dialogs) {
        dialog->show();
        auto* button = child<QPushButton>(*dialog, buttonName);
        QVERIFY(button->isDefault());
        button->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
    }
}

QTEST_MAIN(TextDialogsTest)
#include "text_dialogs_test.moc"
