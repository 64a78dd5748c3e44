// The window's Print Preview and Export PDF: the preview pages through the whole year, an
// exported page is the page on screen, and a failed export says why and leaves no file.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "app/quorvel_app.h"
#include "app/quorvel_view.h"
#include "base/julian.h"
#include "config/settings_io.h"
#include "dialogs/qv_print_dialog.h"
#include "support/pdf_tools.h"
#include "support/window_test.h"

namespace {

// Hands each modal dialog that opens, once, to the handler, which must close it.
class ModalHandler : public QObject {
public:
    explicit ModalHandler(std::function<void(QWidget*)> handle) : handle_(std::move(handle))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen_.contains(modal))
                return;
            seen_ << modal;
            titles << modal->windowTitle();
            QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(modal)] {
                if (modal)
                    handle_(modal);
            });
        });
        timer_.start(10);
    }
    QStringList titles;

private:
    std::function<void(QWidget*)> handle_;
    QList<QPointer<QWidget>> seen_;
    QTimer timer_;
};

const QStringList kVienna = {"--year", "2024", "--zone", "1", "--lat", "48.2", "--lon", "16.37", "--name", "Vienna"};

// What the batch companion prints for these words.
QString companion(const QStringList& words)
{
    QProcess process;
    process.start(qEnvironmentVariable("QUORVEL_CLI"), words);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QAction* fileAction(QuorvelApp* window, const QString& text)
{
    for (QAction* action : window->menuBar()->actions().first()->menu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

}  // namespace

class PrintCommandsTest : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void previewPagesThroughTheWholeYear();
    void exportWritesThePageOnScreen();
    void failedExportSaysWhyAndLeavesNoFile();
    void planetsArePrintedWhenTickedOrOnScreen();

};

void PrintCommandsTest::init()
{
    startFresh();
    makeWindow();
    settings_.time.year = 2024;
    settings_.time.zone.offsetHours = 1.0;
    settings_.observer.latitudeDeg = 48.2;
    settings_.observer.longitudeDeg = 16.37;
    qv::storeLocationName(settings_, "Vienna");
}

void PrintCommandsTest::cleanup() { cleanUp(); }

// The print dialog offers the whole year; the preview then holds as many pages as the
// companion's PDF of the same year and steps through every one of them.
void PrintCommandsTest::previewPagesThroughTheWholeYear()
{
    window_->setPrintChoice({true, qv::kPrintWholeYear, qv::PrintPaper::kA4, false});
    int pageCount = 0;
    QList<int> pagesShown;
    ModalHandler handler([&](QWidget* modal) {
        if (auto* choice = qobject_cast<QvPrintDialog*>(modal)) {
            QVERIFY(choice->findChild<QRadioButton*>("yearButton")->isChecked());
            choice->findChild<QPushButton*>("okButton")->click();
            return;
        }
        auto* preview = modal->findChild<QPrintPreviewWidget*>();
        pageCount = preview->pageCount();
        for (int page = 1; page <= pageCount; ++page) {
            preview->setCurrentPage(page);
            pagesShown << preview->currentPage();
        }
        qobject_cast<QDialog*>(modal)->reject();
    });
    QCOMPARE(fileAction(window_, "&Print...")->shortcut(), QKeySequence("Ctrl+P"));
    fileAction(window_, "Print Pre&view...")->trigger();
    QCOMPARE(handler.titles, QStringList({"Print", "Print Preview: Quorvel"}));

    const QString pdf = directory_->filePath("year.pdf");
    companion(QStringList({"pdf", "--paper", "a4", "--out", pdf}) + kVienna);
    const std::string info = qv::testing::pdfInfo(pdf.toStdString());
    QVERIFY2(info.find("Pages:           " + std::to_string(pageCount) + "\n") != std::string::npos, info.c_str());
    QVERIFY(pageCount >= 10);
    QList<int> expected;
    for (int page = 1; page <= pageCount; ++page)
        expected << page;
    QCOMPARE(pagesShown, expected);
    QCOMPARE(messages_.last(), QString("Ready."));
}

// The calendar on screen exported is the companion's calendar; the map on screen exported is
// that eclipse's map page with its legend.
void PrintCommandsTest::exportWritesThePageOnScreen()
{
    window_->setPrintChoice({false, 0, qv::PrintPaper::kLetter, true});
    QTest::keyClick(window_, Qt::Key_C);
    const QString calendar = directory_->filePath("calendar.pdf");
    QVERIFY(window_->exportPdf(calendar));
    QCOMPARE(messages_.last(), "PDF written to " + calendar);
    const std::string text = qv::testing::pdfText(calendar.toStdString());
    QCOMPARE(qv::testing::pdfBodyLines(text),
             qv::testing::textLines(companion(QStringList("calendar") + kVienna).toStdString()));
    QVERIFY(qv::testing::pdfInfo(calendar.toStdString()).find("792 x 612 pts (letter)") != std::string::npos);

    QTest::keyClick(window_, Qt::Key_E);
    {
        ModalHandler closeDetails([](QWidget* modal) { modal->close(); });
        QTest::keyClick(window_, Qt::Key_2);
        QTRY_COMPARE(closeDetails.titles, QStringList("Eclipse Details"));
    }
    QCOMPARE(window_->view()->displayMode(), int(QuorvelView::EclipseMap));
    const QString map = directory_->filePath("map.pdf");
    QVERIFY(window_->exportPdf(map));
    const std::vector<std::vector<std::string>> pages = qv::testing::pdfPages(qv::testing::pdfText(map.toStdString()));
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(pages[0][1], std::string("2024APR8TotalEclipseoftheSun"));
    QCOMPARE(pages[0][2], std::string("centralline,totaleclipse"));
}

void PrintCommandsTest::failedExportSaysWhyAndLeavesNoFile()
{
    window_->setPrintChoice({true, qv::kPrintCalendar, qv::PrintPaper::kA4, false});
    QString shown;
    ModalHandler box([&shown](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    QVERIFY(!window_->exportPdf("missing/year.pdf"));
    QCOMPARE(box.titles, QStringList("Export PDF"));
    QCOMPARE(shown, QString("The file missing/year.pdf could not be written:\nNo such file or directory."));
    QCOMPARE(messages_.last(), QString("*** ERROR ***  unable to write missing/year.pdf: No such file or directory"));
    QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// The planets are left out of the whole year until their box is ticked; ticked alone they
// print the companion's planets page, as the planets page on screen does.
void PrintCommandsTest::planetsArePrintedWhenTickedOrOnScreen()
{
    const std::vector<std::string> planets =
        qv::testing::textLines(companion(QStringList("phenomena") + kVienna).toStdString());
    QVERIFY(planets.size() > 150);
    bool boxWasTicked = true;
    ModalHandler handler([&](QWidget* modal) {
        if (auto* choice = qobject_cast<QvPrintDialog*>(modal)) {
            auto* planetsBox = choice->findChild<QCheckBox*>("planetsBox");
            boxWasTicked = planetsBox->isChecked();
            for (QCheckBox* box : choice->findChildren<QCheckBox*>())
                box->setChecked(box == planetsBox);
            choice->findChild<QPushButton*>("okButton")->click();
            return;
        }
        qobject_cast<QDialog*>(modal)->accept();  // the file offered beside the program
    });
    fileAction(window_, "Export P&DF...")->trigger();
    QCOMPARE(handler.titles, QStringList({"Print", "Export PDF"}));
    QVERIFY(!boxWasTicked);
    const std::string year = QDir::current().absoluteFilePath("quorvel-2024.pdf").toStdString();
    QCOMPARE(qv::testing::pdfBodyLines(qv::testing::pdfText(year)), planets);

    QTest::keyClick(window_, Qt::Key_N);
    window_->setPrintChoice({false, 0, qv::PrintPaper::kA4, false});
    const QString onScreen = directory_->filePath("planets.pdf");
    QVERIFY(window_->exportPdf(onScreen));
    QCOMPARE(qv::testing::pdfBodyLines(qv::testing::pdfText(onScreen.toStdString())), planets);
}

QTEST_MAIN(PrintCommandsTest)
#include "print_commands_test.moc"
