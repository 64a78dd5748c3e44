// Main window: start page, key table, status messages, input commands and Exit.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

#include "app/config_location.h"
#include "app/quorvel_app.h"
#include "app/quorvel_view.h"
#include "base/julian.h"
#include "base/page_buffer.h"
#include "eclipse/special_eclipse.h"
#include "support/file_size_limit.h"
#include "support/window_test.h"

namespace {

// Answers every modal dialog that opens: remembers its title, lets a hook fill it, then
// accepts or rejects it. A dialog that is still open after being accepted (its input was
// refused) is rejected the next time.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(bool accept, std::function<void(QWidget*)> fill = {})
        : accept_(accept), fill_(std::move(fill))
    {
        connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::answer);
        timer_.start(10);
    }
    QStringList titles;

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || busy_)
            return;
        const bool seenBefore = std::any_of(answered_.begin(), answered_.end(),
                                            [modal](const QPointer<QWidget>& seen) { return seen == modal; });
        if (!seenBefore) {
            titles << modal->windowTitle();
            answered_ << modal;
            if (fill_)
                fill_(modal);
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->done(QMessageBox::Ok);
            return;
        }
        // Answered from the event loop: accepting may open a message box of its own, and this
        // timer cannot fire again while its handler is still running.
        auto* dialog = qobject_cast<QDialog*>(modal);
        const bool accept = dialog && accept_ && !seenBefore;
        busy_ = true;
        QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(modal), dialog, accept] {
            busy_ = false;
            if (!modal)
                return;
            if (accept)
                dialog->accept();
            else if (dialog)
                dialog->reject();
            else
                modal->close();
        });
    }
    bool accept_;
    std::function<void(QWidget*)> fill_;
    QList<QPointer<QWidget>> answered_;  // destroyed dialogs drop out, so addresses may recur
    bool busy_ = false;
    QTimer timer_;
};

// A dialog hook that reads the text a text dialog shows and where its cursor stands.
std::function<void(QWidget*)> readShownText(QString& text, int& cursorPosition)
{
    return [&text, &cursorPosition](QWidget* dialog) {
        auto* edit = dialog->findChild<QTextEdit*>();
        text = edit->toPlainText();
        cursorPosition = edit->textCursor().position();
    };
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray goldenFile(const char* name)
{
    return fileBytes(qEnvironmentVariable("QUORVEL_SOURCE_DIR") + "/tests/golden/" + name);
}

// A dialog hook that reads the text of a message box.
std::function<void(QWidget*)> readMessageBox(QString& text)
{
    return [&text](QWidget* box) { text = qobject_cast<QMessageBox*>(box)->text(); };
}

// A file dialog hook that types path as the file name, as a user would.
std::function<void(QWidget*)> chooseFile(const QString& path)
{
    return [path](QWidget* dialog) { dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path); };
}

QString lineText(const qv::PageBuffer& page, int i)
{
    return QString::fromStdString(page.lines[i].text);
}

}  // namespace

class QuorvelAppTest : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startPageWithoutConfigurationFile();
    void windowCarriesTitleMenusAndToolBar();
    void plainLetterAndCtrlShortcutReachTheSameSlot_data();
    void plainLetterAndCtrlShortcutReachTheSameSlot();
    void statusBarStartsHiddenAndTogglesOnEachClick();
    void dateCommandFollowsTheDefaultDeltaT();
    void cancelledInputShowsInputCancelled();
    void locationNameIsPaddedOrCutToThirtyCharacters();
    void pickedPlaceSetsTheTimeZone();
    void fontSizeIsOneOfTheOfferedSizes();
    void quickHelpShowsTheHelpTextFromTheTop();
    void exitWritesTheConfigurationFile();
    void configurationAndSaveFilesBesideTheProgramOrPerUser();
    void exitCreatesThePerUserFolderAndHelpNamesTheFile();
    void saveWritesTheYearAndLeavesThePageOnScreen();
    void saveAsKeepsTheWholeNameAndCancelChangesNothing();
    void failedSaveSaysWhyAndKeepsTheEarlierFile();
    void exitLeavesAnUnreadableFileUntilAValueChanges();
    void exitTellsWhyTheFileCouldNotBeWritten();
    void everyMenuOpensWithAMouseClick();
    void toolbarActionStartsCheckedWithTheToolBarShown();
    void tabAlignsPlainTextToTheColumnGrid();
    void arrowKeysScrollTheTextPage();
    void phasesAndCalendarPagesAreDrawnWithFixedPitch();
    void planetsPageIsTheCompanionsPageOfTheYear();
    void planetsDetailsShowTheMomentAndStoreIt();
    void refusedYearNeverReachesTheSettings();
    void eclipseSettingsReachTheView();
    void eclipseListOpensDetailsByKeyAndClick();
    void specialEclipseMapStepsWithTheArrowKeys();
    void pictureArrowsStepTheMonthOrTheEclipse();
    void specialEclipseTakesTheTTMinusUTOfItsOwnYear();
    void holidaysShowTheYearsHolidaysFromTheTop();
    void dayDetailsStoreTheDateAndFollowTheDefaultDeltaT();
    void calendarExportWritesTheChosenFileOrReportsWhyNot();
    void skyDetailsStoreTheMomentAndFollowTheDefaultDeltaT();
    void yearTotalsShowTheTotalsAndKeepTheCutoff();
    void solarPanelStoresTheSettingsAndShowsTheStatistics();

};

void QuorvelAppTest::init() { startFresh(); }

void QuorvelAppTest::cleanup() { cleanUp(); }

void QuorvelAppTest::startPageWithoutConfigurationFile()
{
    makeWindow();
    QCOMPARE(page_.lines.size(), std::size_t{13});
    QCOMPARE(lineText(page_, 0), QString("     *** Welcome to Quorvel Version 5.6 ***"));
    QCOMPARE(lineText(page_, 2), QString("The present input values are:"));
    QCOMPARE(lineText(page_, 4), QString("Year: \t%1").arg(settings_.time.year, 4));
    QCOMPARE(lineText(page_, 5), QString("Timezone: 0"));
    QCOMPARE(lineText(page_, 6), QString("Delta-Time set to automatic"));
    QCOMPARE(lineText(page_, 9), QString("Default"));
    QCOMPARE(lineText(page_, 12), QString("Height:    \t0"));
    QCOMPARE(window_->view()->displayMode(), int(QuorvelView::TextPage));
}

void QuorvelAppTest::windowCarriesTitleMenusAndToolBar()
{
    makeWindow();
    QCOMPARE(window_->windowTitle(), QString("Quorvel - 5.6"));
    QStringList menus;
    for (QAction* action : window_->menuBar()->actions())
        menus << action->text();
    QCOMPARE(menus, QStringList({"&File", "&Input", "Calc&ulate", "&View", "&Help"}));
    auto* toolBar = window_->findChild<QToolBar*>();
    QVERIFY(toolBar);
    QCOMPARE(toolBar->windowTitle(), QString("Quorvel Toolbar"));
    QCOMPARE(toolBar->actions().size(), 12);
    int withIcon = 0;
    for (QAction* action : toolBar->actions())
        withIcon += action->icon().isNull() ? 0 : 1;
    QCOMPARE(withIcon, 8);  // seven own icons and the What's This arrow
}

void QuorvelAppTest::plainLetterAndCtrlShortcutReachTheSameSlot_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("hasShortcut");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("A") << int(Qt::Key_A) << true << "Calculate day details...";
    QTest::newRow("C") << int(Qt::Key_C) << true << "Display the Calendar...";
    QTest::newRow("D") << int(Qt::Key_D) << true << "Input the year...";
    QTest::newRow("E") << int(Qt::Key_E) << true << "Calculate lunar and solar eclipses...";
    QTest::newRow("F") << int(Qt::Key_F) << true << "Writing Lunar Phases / Calendar...";
    QTest::newRow("G") << int(Qt::Key_G) << true << "Calculate planets details...";
    QTest::newRow("H") << int(Qt::Key_H) << false << "Provide general help with Quorvel";
    QTest::newRow("L") << int(Qt::Key_L) << true << "Input the location...";
    QTest::newRow("M") << int(Qt::Key_M) << true << "Calculate the phases of the Moon...";
    QTest::newRow("N") << int(Qt::Key_N) << true << "Calculate the planetary phenomena...";
    QTest::newRow("O") << int(Qt::Key_O) << true << "Calculate cultural and religious holidays...";
    QTest::newRow("P") << int(Qt::Key_P) << false << "Specify the eclipse map and time steps...";  // Ctrl+P prints
    QTest::newRow("R") << int(Qt::Key_R) << true << "Calculate solar panel statistics";
    QTest::newRow("S") << int(Qt::Key_S) << true << "Calculate sky details...";
    QTest::newRow("T") << int(Qt::Key_T) << true << "Input Delta-Time...";
    QTest::newRow("K") << int(Qt::Key_K) << true << "Draw the picture...";
    QTest::newRow("U") << int(Qt::Key_U) << true << "Draw the picture...";
    QTest::newRow("V") << int(Qt::Key_V) << true << "Draw the picture...";
    QTest::newRow("Y") << int(Qt::Key_Y) << true << "Calculate yearly totals...";
    QTest::newRow("Z") << int(Qt::Key_Z) << true << "Specify the font size...";
}

void QuorvelAppTest::plainLetterAndCtrlShortcutReachTheSameSlot()
{
    QFETCH(int, key);
    QFETCH(bool, hasShortcut);
    QFETCH(QString, firstMessage);
    makeWindow();
    ModalAnswerer answerer(false);
    const QList<Qt::KeyboardModifiers> presses = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
    for (Qt::KeyboardModifiers modifiers : presses) {
        if (modifiers == Qt::ControlModifier && !hasShortcut)
            continue;
        messages_.clear();
        QTest::keyClick(window_, Qt::Key(key), modifiers);
        QVERIFY2(messages_.contains(firstMessage), qPrintable(messages_.join(" | ")));
    }
}

void QuorvelAppTest::statusBarStartsHiddenAndTogglesOnEachClick()
{
    makeWindow();
    QVERIFY(!window_->statusBar()->isVisible());
    QAction* statusAction = nullptr;
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text() == "&Statusbar")
            statusAction = action;
    QVERIFY(statusAction);
    statusAction->trigger();
    QVERIFY(window_->statusBar()->isVisible());
    statusAction->trigger();
    QVERIFY(!window_->statusBar()->isVisible());
    QCOMPARE(messages_.last(), QString("Ready."));
}

void QuorvelAppTest::dateCommandFollowsTheDefaultDeltaT()
{
    makeWindow();
    auto setYear = [](const char* year) {
        return [year](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("yearEdit")->setText(year);
            dialog->findChild<QLineEdit*>("tzoneEdit")->setText("5.5");
        };
    };
    {
        ModalAnswerer answerer(true, setYear("1950"));
        window_->slotInputDate();
    }
    QCOMPARE(settings_.time.year, 1950);
    QCOMPARE(settings_.time.zone.offsetHours, 5.5);
    QCOMPARE(qv::deltaTSecondsOfYear(settings_.time), qv::deltaTDefault(1950));
    QCOMPARE(messages_.last(), QString("Ready."));
    settings_.time.deltaTManualSeconds = 42.0;
    settings_.time.deltaTFollowsYear = false;
    {
        ModalAnswerer answerer(true, setYear("2024"));
        window_->slotInputDate();
    }
    QCOMPARE(settings_.time.year, 2024);
    QCOMPARE(qv::deltaTSecondsOfYear(settings_.time), 42.0);
}

void QuorvelAppTest::cancelledInputShowsInputCancelled()
{
    QuorvelApp* window = makeWindow();
    const qv::SettingsRecord before = settings_;
    ModalAnswerer answerer(false, [](QWidget* dialog) {
        if (auto* edit = dialog->findChild<QLineEdit*>("yearEdit"))
            edit->setText("1234");
    });
    for (auto slot : {&QuorvelApp::slotInputDate, &QuorvelApp::slotInputDeltaTime,
                      &QuorvelApp::slotInputLocation}) {
        (window->*slot)();
        QCOMPARE(messages_.last(), QString("Input cancelled."));
    }
    QCOMPARE(settings_.time.year, before.time.year);
    QCOMPARE(answerer.titles.size(), 3);
}

// A place picked in the search brings its named zone into the settings; a place typed by hand
// leaves the zone as it was.
void QuorvelAppTest::pickedPlaceSetsTheTimeZone()
{
    makeWindow();
    settings_.time.zone.offsetHours = 3.0;
    {
        ModalAnswerer answerer(true, [](QWidget* dialog) {
            QMetaObject::invokeMethod(dialog, "searchPlaces", Q_ARG(QString, QStringLiteral("sydney")));
            const QCompleter* completer = dialog->findChild<QLineEdit*>("placeEdit")->completer();
            QMetaObject::invokeMethod(dialog, "pickPlace",
                                      Q_ARG(QString, completer->model()->index(0, 0).data().toString()));
        });
        window_->slotInputLocation();
    }
    QCOMPARE(settings_.time.zone.name, std::string("Australia/Sydney"));
    QVERIFY(settings_.time.zone.rules != nullptr);
    // The fixed offset an older reader sees is Sydney's of today, standard or summer time.
    QVERIFY(settings_.time.zone.offsetHours == 10.0 || settings_.time.zone.offsetHours == 11.0);
    QCOMPARE(QByteArray::fromStdString(settings_.observer.name).trimmed(), QByteArray("Sydney"));
    QVERIFY(settings_.observer.latitudeDeg < -33.0);
    {
        ModalAnswerer answerer(true, [](QWidget* dialog) { dialog->findChild<QLineEdit*>("latEdit")->setText("10"); });
        window_->slotInputLocation();
    }
    QCOMPARE(settings_.observer.latitudeDeg, 10.0);
    QCOMPARE(settings_.time.zone.name, std::string("Australia/Sydney"));
}

void QuorvelAppTest::locationNameIsPaddedOrCutToThirtyCharacters()
{
    makeWindow();
    auto setName = [](QString name) {
        return [name](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("locEdit")->setText(name);
            dialog->findChild<QLineEdit*>("latEdit")->setText("48.2");
        };
    };
    {
        ModalAnswerer answerer(true, setName("Paris"));
        window_->slotInputLocation();
    }
    QCOMPARE(settings_.observer.name, "Paris" + std::string(25, ' '));
    QCOMPARE(settings_.observer.latitudeDeg, 48.2);
    {
        ModalAnswerer answerer(true, setName(QString(40, 'x')));
        window_->slotInputLocation();
    }
    QCOMPARE(settings_.observer.name, std::string(30, 'x'));
    // The field takes no more than the name keeps: 30 characters, or 30 bytes of UTF-8.
    QString typed;
    {
        ModalAnswerer answerer(false, [&typed](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("locEdit");
            edit->setText(QString(10000, 'y'));
            typed = edit->text();
            edit->clear();
            for (int i = 0; i < 20; ++i)
                edit->insert(QString(QChar(0xFC)));  // as typed: each key validated
            typed += edit->text();
        });
        window_->slotInputLocation();
    }
    QCOMPARE(typed, QString(30, 'y') + QString(15, QChar(0xFC)));
    {
        ModalAnswerer answerer(true, setName(""));
        window_->slotInputLocation();
    }
    QCOMPARE(settings_.observer.name, std::string(30, 'x'));
    // A name with accents survives the dialog and the record unchanged.
    const QString zurich = QString::fromUtf8("Z\u00fcrich");
    {
        ModalAnswerer answerer(true, setName(zurich));
        window_->slotInputLocation();
    }
    QString shown;
    {
        ModalAnswerer answerer(false, [&shown](QWidget* dialog) {
            shown = dialog->findChild<QLineEdit*>("locEdit")->text();
        });
        window_->slotInputLocation();
    }
    QCOMPARE(shown.trimmed(), zurich);
}

void QuorvelAppTest::fontSizeIsOneOfTheOfferedSizes()
{
    makeWindow();
    for (int typed : {9, 11, 12, 8}) {
        ModalAnswerer answerer(true, [typed](QWidget* dialog) {
            dialog->findChild<QSpinBox*>()->setValue(typed);
        });
        window_->slotViewFontSize();
        QVERIFY2(window_->fontSize() % 2 == 0, qPrintable(QString::number(window_->fontSize())));
        QCOMPARE(window_->view()->fontSize(), window_->fontSize());
    }
    QCOMPARE(window_->fontSize(), 8);
}

void QuorvelAppTest::quickHelpShowsTheHelpTextFromTheTop()
{
    makeWindow();
    QString text;
    int cursorPosition = -1;
    ModalAnswerer answerer(true, readShownText(text, cursorPosition));
    window_->slotQuickHelp();
    QCOMPARE(answerer.titles, QStringList("Quick Help"));
    QVERIFY(text.startsWith("Quorvel - Quick Help"));
    for (const char* section : {"1. Input", "2. Phases of the Moon, Solstices and Equinoxes",
                                "3. Display the Calendar", "4. Calculate Details of Eclipses",
                                "5. Display Cultural and Religious Holidays", "6. The Planets",
                                "7. Display Day and Sky Details and Year Totals", "8. Display Settings",
                                "9. Saving Data on File", "10. How exact the times are"})
        QVERIFY2(text.contains(QString("\n") + section + "\n"), section);
    QCOMPARE(cursorPosition, 0);
    QCOMPARE(messages_.last(), QString("Ready."));
}

void QuorvelAppTest::exitWritesTheConfigurationFile()
{
    makeWindow();
    settings_.time.zone.offsetHours = 1.0;
    settings_.observer.latitudeDeg = 48.5;
    window_->slotFileQuit();
    QFile file("quorvel.cfg");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1.000000 \n48.500000 \n0.000000 \n0.000000 \nDefault\n0"));
    QCOMPARE(messages_.first(), QString("Exiting application..."));
}

void QuorvelAppTest::configurationAndSaveFilesBesideTheProgramOrPerUser()
{
    const QDir root(directory_->path());
    const QString user = root.filePath("home/.config/quorvel");
    // A build folder: writable and not part of an installed tree.
    QVERIFY(root.mkpath("build"));
    QCOMPARE(qv::chooseConfigFile(root.filePath("build"), user), root.filePath("build/quorvel.cfg"));
    // The bin folder of an installed tree, even when it can be written.
    QVERIFY(root.mkpath("prefix/bin") && root.mkpath("prefix/share/applications"));
    QFile entry(root.filePath("prefix/share/applications/" QUORVEL_APP_ID ".desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.close();
    QCOMPARE(qv::chooseConfigFile(root.filePath("prefix/bin"), user), user + "/quorvel.cfg");
    // The save file follows: beside the program with its configuration file, else at home.
    QCOMPARE(qv::saveFileFolder(root.filePath("build/quorvel.cfg"), root.filePath("build"), root.filePath("home")),
             root.filePath("build"));
    QCOMPARE(qv::saveFileFolder(user + "/quorvel.cfg", root.filePath("prefix/bin"), root.filePath("home")),
             root.filePath("home"));
    // A file already beside the program is kept wherever the program is.
    QFile beside(root.filePath("prefix/bin/quorvel.cfg"));
    QVERIFY(beside.open(QIODevice::WriteOnly));
    beside.close();
    QCOMPARE(qv::chooseConfigFile(root.filePath("prefix/bin"), user), root.filePath("prefix/bin/quorvel.cfg"));
}

void QuorvelAppTest::exitCreatesThePerUserFolderAndHelpNamesTheFile()
{
    const QString path = QDir(directory_->path()).filePath("home/.config/quorvel/quorvel.cfg");
    makeWindow(path);
    QString help;
    int cursorPosition = -1;
    ModalAnswerer answerer(true, readShownText(help, cursorPosition));
    window_->slotQuickHelp();
    QVERIFY2(help.contains("This Quorvel keeps them in\n" + path + "\n"), qPrintable(help));
    settings_.time.zone.offsetHours = 5.5;
    window_->slotFileQuit();
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists("quorvel.cfg"));

    qv::SettingsRecord settings;
    qv::PageBuffer page;
    QuorvelApp restarted(settings, page, path);
    QCOMPARE(settings.time.zone.offsetHours, 5.5);
    QCOMPARE(lineText(page, 5), QString("Timezone: 5.5"));
}

// Saving twice leaves the year once; the page on screen stays as it was, a calendar as well as
// the eclipse list.
void QuorvelAppTest::saveWritesTheYearAndLeavesThePageOnScreen()
{
    makeWindow();
    settings_.time.year = 2023;
    settings_.time.zone.offsetHours = 8.0;
    QTest::keyClick(window_, Qt::Key_C);
    QTest::keyClick(window_, Qt::Key_F);
    QTest::keyClick(window_, Qt::Key_F);
    QCOMPARE(fileBytes("quorsave.txt"), goldenFile("save_2023_zone8.txt"));
    QVERIFY(messages_.contains("Writing Lunar Phases / Calendar..."));
    QCOMPARE(messages_.last(), QString("Ready."));
    QCOMPARE(lineText(page_, 0).trimmed(), QString("Calendar for 2023"));
    QCOMPARE(page_.lines.size(), std::size_t{38});

    QTest::keyClick(window_, Qt::Key_E);
    const QImage list = window_->view()->pagePixmap().toImage();
    window_->slotFileSave();
    QCOMPARE(window_->view()->displayMode(), int(QuorvelView::EclipseList));
    QCOMPARE(window_->view()->pagePixmap().toImage(), list);
    QCOMPARE(fileBytes("quorsave.txt"), goldenFile("save_2023_zone8.txt"));
}

void QuorvelAppTest::saveAsKeepsTheWholeNameAndCancelChangesNothing()
{
    makeWindow();
    {
        ModalAnswerer answerer(false);
        window_->slotFileSaveAs();
    }
    QCOMPARE(messages_.last(), QString("Operation aborted"));
    QCOMPARE(window_->saveFileName(), QString("./quorsave.txt"));
    QVERIFY(!QFile::exists("quorsave.txt"));

    // Longer than the 54 characters a record field could hold, and not ASCII.
    const QString name = QDir::current().absoluteFilePath(
        QString::fromUtf8("Jahresübersicht Mondphasen und Finsternisse für Österreich 日本語.txt"));
    {
        ModalAnswerer answerer(true, chooseFile(name));
        window_->slotFileSaveAs();
    }
    QCOMPARE(window_->saveFileName(), name);
    QVERIFY(fileBytes(name).startsWith("\n+++> Timezone  0.00 <+++"));
    QVERIFY(!QFile::exists("quorsave.txt"));
    QCOMPARE(messages_.last(), QString("Ready."));
}

// A save that cannot be written completely (here: past a file-size limit, as on a full disk)
// says so in a message box, seen with the status bar hidden, naming the file and the reason;
// the earlier file is left as it was.
void QuorvelAppTest::failedSaveSaysWhyAndKeepsTheEarlierFile()
{
    makeWindow();
    QFile earlier("quorsave.txt");
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier save\n");
    earlier.close();
    QString shown;
    {
        qv::testing::FileSizeLimit limit(1000);
        ModalAnswerer answerer(true, readMessageBox(shown));
        window_->slotFileSave();
        QCOMPARE(answerer.titles, QStringList("Save File"));
    }
    QVERIFY(!window_->statusBar()->isVisible());
    QCOMPARE(shown, QString("The file ./quorsave.txt could not be written:\nFile too large."));
    QCOMPARE(messages_.last(), QString("File not saved: ./quorsave.txt: File too large"));
    QCOMPARE(fileBytes("quorsave.txt"), QByteArray("earlier save\n"));
}

void QuorvelAppTest::exitLeavesAnUnreadableFileUntilAValueChanges()
{
    const QByteArray unreadable("nan \n48 \n16 \n0 \nVienna\n0");
    QFile file("quorvel.cfg");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(unreadable);
    file.close();
    makeWindow();
    QCOMPARE(lineText(page_, 2), QString("Problems reading Configuration File. Using defaults instead."));
    window_->slotFileQuit();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), unreadable);
    file.close();

    settings_.observer.latitudeDeg = 48.5;
    window_->slotFileQuit();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("0.000000 \n48.500000 \n0.000000 \n0.000000 \nDefault\n0"));
}

void QuorvelAppTest::exitTellsWhyTheFileCouldNotBeWritten()
{
    QFile file("quorvel.cfg");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1 \n2 \n3 \n4 \nHere\n0");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    makeWindow();
    settings_.time.zone.offsetHours = 5.0;
    QString text;
    ModalAnswerer answerer(true, [&text](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text = box->text();
    });
    window_->slotFileQuit();
    QCOMPARE(answerer.titles, QStringList({"Exit"}));
    QVERIFY2(text.contains("quorvel.cfg could not be written: Permission denied"), qPrintable(text));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1 \n2 \n3 \n4 \nHere\n0"));
}

// A click where the user sees a menu title opens that menu: the click goes to whatever widget
// lies on top at that point, as a real mouse click would.
void QuorvelAppTest::everyMenuOpensWithAMouseClick()
{
    makeWindow();
    QMenuBar* bar = window_->menuBar();
    for (QAction* title : bar->actions()) {
        const QPoint inWindow = bar->mapTo(window_, bar->actionGeometry(title).center());
        QWidget* target = window_->childAt(inWindow);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window_, inWindow));
        QTRY_VERIFY2(title->menu()->isVisible(), qPrintable(title->text()));
        title->menu()->hide();
    }
}

void QuorvelAppTest::toolbarActionStartsCheckedWithTheToolBarShown()
{
    makeWindow();
    QAction* toolbarAction = nullptr;
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text() == "Tool&bar")
            toolbarAction = action;
    QVERIFY(toolbarAction);
    auto* toolBar = window_->findChild<QToolBar*>();
    QVERIFY(toolbarAction->isChecked());
    QVERIFY(toolBar->isVisible());
    toolbarAction->trigger();  // the first click hides it
    QVERIFY(!toolbarAction->isChecked());
    QVERIFY(!toolBar->isVisible());
}

void QuorvelAppTest::tabAlignsPlainTextToTheColumnGrid()
{
    makeWindow();
    QuorvelView* view = window_->view();
    qv::PageBuffer plain;
    qv::appendLine(plain, "i\tM");
    view->renderPage(true, plain);
    const QImage tabbed = view->pagePixmap().toImage();
    qv::PageBuffer fixed;
    qv::appendFixedPitchLine(fixed, "iM");
    view->renderPage(true, fixed);
    QCOMPARE(view->pagePixmap().toImage(), tabbed);
    view->renderPage(false, fixed);  // the row is drawn proportional without fixed pitch
    QVERIFY(view->pagePixmap().toImage() != tabbed);
}

void QuorvelAppTest::arrowKeysScrollTheTextPage()
{
    makeWindow();
    auto* scrollArea = qobject_cast<QScrollArea*>(window_->centralWidget());
    QVERIFY(scrollArea);
    QTest::keyClick(window_, Qt::Key_Down);
    QCOMPARE(scrollArea->verticalScrollBar()->value(), 0);  // never below the top
    QTest::keyClick(window_, Qt::Key_Up);
    QTest::keyClick(window_, Qt::Key_Up);
    QCOMPARE(scrollArea->verticalScrollBar()->value(), 20);
    QTest::keyClick(window_, Qt::Key_Down);
    QCOMPARE(scrollArea->verticalScrollBar()->value(), 10);

    // A screen at a time, and to the top and the end.
    QScrollBar* bar = scrollArea->verticalScrollBar();
    QTest::keyClick(window_, Qt::Key_PageDown);
    const int pageDown = std::min(10 + bar->pageStep(), bar->maximum());
    QVERIFY(pageDown > 10);
    QCOMPARE(bar->value(), pageDown);
    QTest::keyClick(window_, Qt::Key_PageUp);
    QCOMPARE(bar->value(), std::max(pageDown - bar->pageStep(), 0));
    QTest::keyClick(window_, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(window_, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
}

void QuorvelAppTest::phasesAndCalendarPagesAreDrawnWithFixedPitch()
{
    makeWindow();
    settings_.time.year = 2024;
    QTest::keyClick(window_, Qt::Key_M);
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::Phases);
    QVERIFY(lineText(page_, 1).contains("Phases of the Moon for 2024"));
    QVERIFY(page_.lines[1].fixedPitch);
    bool eclipsesListed = false;
    for (int i = 0; i < static_cast<int>(page_.lines.size()); ++i)
        eclipsesListed = eclipsesListed || lineText(page_, i).contains("ECLIPSES for 2024");
    QVERIFY(eclipsesListed);
    const QImage phases = window_->view()->pagePixmap().toImage();
    QTest::keyClick(window_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::Calendar);
    QCOMPARE(page_.lines.size(), std::size_t{38});
    QCOMPARE(lineText(page_, 0), QString("                    Calendar for 2024"));
    QVERIFY(window_->view()->pagePixmap().toImage() != phases);
    QCOMPARE(window_->view()->displayMode(), int(QuorvelView::TextPage));
    QCOMPARE(messages_.last(), QString("Ready."));
}

// The Calculate menu's Planets entry shows the page of `quorvel-cli phenomena` for the year and
// zone, in fixed pitch, and remembers it as the page on screen.
void QuorvelAppTest::planetsPageIsTheCompanionsPageOfTheYear()
{
    makeWindow();
    settings_.time.year = 2026;
    settings_.time.zone.offsetHours = 1.0;
    QMenu* calculate = window_->menuBar()->actions().at(2)->menu();
    QAction* planets = calculate->actions().at(4);
    QCOMPARE(planets->text(), QString("Pla&nets"));
    QCOMPARE(planets->shortcut(), QKeySequence("Ctrl+N"));
    QVERIFY(planets->whatsThis().startsWith("Planets\n\n"));
    QVERIFY(!planets->statusTip().isEmpty());

    planets->trigger();
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::Planets);
    QCOMPARE(window_->view()->displayMode(), int(QuorvelView::TextPage));
    QByteArray shown;
    for (const qv::PageLine& line : page_.lines)
        shown += QByteArray::fromStdString(line.text) + "\n";
    QCOMPARE(shown, goldenFile("phenomena_2026_zone1.txt"));
    QVERIFY(page_.lines[1].fixedPitch && page_.lines.back().fixedPitch);
    QCOMPARE(messages_, QStringList({"Calculate the planetary phenomena...", "Ready."}));

    // Another year's page replaces it, and the phases replace that.
    settings_.time.year = 2024;
    QTest::keyClick(window_, Qt::Key_N);
    QCOMPARE(lineText(page_, 1), QString("          Planets for 2024"));
    QTest::keyClick(window_, Qt::Key_M);
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::Phases);
}

// Planets Details opens the dialog of the sky details titled "Planets": the planets at the
// moment typed, as `quorvel-cli planets` prints them; Close keeps that moment.
void QuorvelAppTest::planetsDetailsShowTheMomentAndStoreIt()
{
    makeWindow();
    settings_.observer.latitudeDeg = 48.2085;
    settings_.observer.longitudeDeg = 16.3721;
    settings_.observer.heightM = 171.0;
    qv::storeLocationName(settings_, "Vienna");
    QString details;
    QFont font;
    ModalAnswerer answerer(true, [&details, &font](QWidget* dialog) {
        const char* fields[][2] = {{"yearEdit", "2026"}, {"monthEdit", "12"}, {"dayEdit", "7"},
                                   {"hourEdit", "20"},   {"minuteEdit", "0"}, {"secondEdit", "0"},
                                   {"tzoneEdit", "1"}};
        for (const auto& field : fields)
            dialog->findChild<QLineEdit*>(field[0])->setText(field[1]);
        QMetaObject::invokeMethod(dialog, "refreshSlot");
        auto* text = dialog->findChild<QTextEdit*>("moonEdit");
        details = text->toPlainText();
        font = text->font();
    });
    QTest::keyClick(window_, Qt::Key_G);
    QCOMPARE(answerer.titles, QStringList("Planets"));
    QCOMPARE(details, QString::fromUtf8(goldenFile("planets_2026-12-07_vienna.txt")));
    QVERIFY(QFontInfo(font).fixedPitch());
    QCOMPARE(settings_.time.year, 2026);
    QCOMPARE(settings_.time.month, 12);
    QCOMPARE(settings_.time.day, 7);
    QCOMPARE(settings_.time.hour, 20);
    QCOMPARE(settings_.time.zone.offsetHours, 1.0);
    QCOMPARE(messages_.last(), QString("Ready."));
}

void QuorvelAppTest::refusedYearNeverReachesTheSettings()
{
    makeWindow();
    const int yearBefore = settings_.time.year;
    const double deltaTBefore = qv::deltaTSecondsOfYear(settings_.time);
    for (const char* text : {"2147483647", "abc"}) {
        ModalAnswerer answerer(true, [text](QWidget* dialog) {
            if (auto* edit = dialog->findChild<QLineEdit*>("yearEdit"))
                edit->setText(text);
        });
        window_->slotInputDate();
        QCOMPARE(settings_.time.year, yearBefore);
        QCOMPARE(qv::deltaTSecondsOfYear(settings_.time), deltaTBefore);
        QCOMPARE(messages_.last(), QString("Input cancelled."));
        // The date dialog and the message over it.
        QCOMPARE(answerer.titles.size(), 2);
    }
}

void QuorvelAppTest::eclipseSettingsReachTheView()
{
    makeWindow();
    ModalAnswerer answerer(true, [](QWidget* dialog) {
        dialog->findChild<QRadioButton*>("g10Button")->setChecked(true);
        dialog->findChild<QRadioButton*>("p2Button")->setChecked(true);
        dialog->findChild<QSpinBox*>("stepBox")->setValue(10);
        dialog->findChild<QLineEdit*>("meridianEdit")->setText("15");
    });
    window_->slotViewMapGrid();
    QCOMPARE(settings_.display.mapGrid, qv::MapGrid::Every10Degrees);
    QCOMPARE(settings_.display.mapProjection, qv::MapProjection::Southern);
    QCOMPARE(settings_.display.mapStepMinutes, 10);
    QCOMPARE(settings_.display.centralMeridianDeg, 15.0);
    QuorvelView* view = window_->view();
    QCOMPARE(view->listSettings().display.mapGrid, qv::MapGrid::Every10Degrees);
    QCOMPARE(view->listSettings().display.mapStepMinutes, 10);
    QCOMPARE(view->mapProjection(), qv::MapProjection::Southern);
    QCOMPARE(view->centralMeridian(), 15.0);
}

void QuorvelAppTest::eclipseListOpensDetailsByKeyAndClick()
{
    makeWindow();
    settings_.time.year = 2024;  // 2024: penumbral Mar 25, total solar Apr 8, partial lunar Sep 18, annular Oct 2
    QTest::keyClick(window_, Qt::Key_E);
    QuorvelView* view = window_->view();
    QCOMPARE(view->displayMode(), int(QuorvelView::EclipseList));
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::EclipseList);
    QCOMPARE(view->eclipses().size(), std::size_t{4});
    QCOMPARE(view->numberedLineCount(), 4);
    QCOMPARE(messages_.last(), QString("Click respective line to get eclipse details."));
    QString details;
    ModalAnswerer answerer(true, [&details](QWidget* dialog) {
        details = dialog->findChild<QTextEdit*>()->toPlainText();
    });
    QTest::keyClick(window_, Qt::Key_5);  // beyond the count: nothing opens
    QTest::keyClick(window_, Qt::Key_2);
    QCOMPARE(answerer.titles, QStringList("Eclipse Details"));
    QVERIFY2(details.contains("Total Eclipse of the Sun"), qPrintable(details.left(200)));
    QCOMPARE(view->selectedEclipse(), 2);
    // A solar eclipse shows its map before the details; a click on the map shows the details
    // for the clicked place: 33 N, 97 W, in the path of totality.
    QCOMPARE(view->displayMode(), int(QuorvelView::EclipseMap));
    QCOMPARE(view->viewport()->cursor().shape(), Qt::CrossCursor);
    // While the map is shown its path can be exported, as KML for a name ending in .kml.
    const QString pathFile = QDir::current().absoluteFilePath("eclipse-path-test.kml");
    QVERIFY(window_->exportEclipsePath(pathFile));
    QFile exported(pathFile);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(exported.readAll().contains("<name>2024-04-08 Total Eclipse of the Sun</name>"));
    QVERIFY(exported.remove());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, qv::projectToView(view->mapView(), 33.0, -97.0).toPoint());
    QCOMPARE(answerer.titles.size(), 2);
    // The clicked place is the pixel's point, within a pixel of the world map (360 degrees across).
    const QRegularExpressionMatch place =
        QRegularExpression("Local Circumstances for clicked position\nLat: (\\S+)   Long: (\\S+)   height: 0 m")
            .match(details);
    QVERIFY2(place.hasMatch(), qPrintable(details));
    const double degreesPerPixel = 360.0 / view->mapView().size.width();
    QVERIFY(qAbs(place.captured(1).toDouble() - 33.0) <= degreesPerPixel);
    QVERIFY(qAbs(place.captured(2).toDouble() + 97.0) <= degreesPerPixel);
    QVERIFY(details.contains("totality from"));
    QCOMPARE(view->listSettings().display.mapStepMinutes, settings_.display.mapStepMinutes);
    QCOMPARE(view->listSettings().observer.name, settings_.observer.name);
    // A click on the caption strip below the map names no place.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(100, view->mapView().size.height() + 10));
    QCOMPARE(answerer.titles.size(), 2);

    // Back on the list, a click below the fourth line's top opens the fourth eclipse, one above
    // the first nothing.
    QTest::keyClick(window_, Qt::Key_E);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(50, view->lineTop(4) + 5));
    QCOMPARE(view->selectedEclipse(), 4);
    QVERIFY(details.contains("Annular Eclipse of the Sun"));
    QTest::keyClick(window_, Qt::Key_E);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(50, view->lineTop(1) - 5));
    QCOMPARE(answerer.titles.size(), 3);
}

// The special eclipse of 7 April 1000 is the same picture whatever year the tables show: its
// TT - UT is that of the year 1000 (1632 s), not of the tables' year (73 s in 2024, which put
// the shadow about 700 km off).
// The Moon calendar opens at the month of the settings' date and the arrows step the months,
// with the whole year before January; the eclipse picture steps through the year's eclipses.
void QuorvelAppTest::pictureArrowsStepTheMonthOrTheEclipse()
{
    makeWindow();
    QuorvelView* view = window_->view();
    settings_.time.year = 2024;
    settings_.time.month = 12;
    QTest::keyClick(window_, Qt::Key_K);
    QCOMPARE(view->displayMode(), int(QuorvelView::ChartPage));
    QCOMPARE(view->chartOptions().month, 12);
    const QImage december = view->grab().toImage();
    QTest::keyClick(window_, Qt::Key_Right);
    QCOMPARE(view->chartOptions().month, 12);
    for (int month = 11; month >= 0; --month) {
        QTest::keyClick(window_, Qt::Key_Left);
        QCOMPARE(view->chartOptions().month, month);
    }
    QVERIFY(view->grab().toImage() != december);

    QTest::keyClick(window_, Qt::Key_V);
    QCOMPARE(QString(view->chart()->name), QString("eclipse"));
    QCOMPARE(view->chartOptions().eclipseNumber, 1);
    for (int step = 0; step < 5; ++step)
        QTest::keyClick(window_, Qt::Key_Right);
    QCOMPARE(view->chartOptions().eclipseNumber, 4);  // 2024 has four eclipses
}

void QuorvelAppTest::specialEclipseTakesTheTTMinusUTOfItsOwnYear()
{
    makeWindow();
    const auto pictureWithTablesOf = [&](int tablesYear) {
        settings_.time.year = tablesYear;
        ModalAnswerer answerer(true, [](QWidget* dialog) {
            const std::pair<const char*, const char*> fields[] = {
                {"yearEdit", "1000"}, {"monthEdit", "4"}, {"dayEdit", "7"}, {"hourEdit", "12"},
                {"minEdit", "0"},     {"secEdit", "0"},   {"heightEdit", "0"}};
            for (const auto& [name, text] : fields)
                dialog->findChild<QLineEdit*>(name)->setText(text);
        });
        window_->slotCalcSatEcl();
        return window_->view()->specialMapPixmap().toImage();
    };
    const QImage withTablesOf1000 = pictureWithTablesOf(1000);
    QCOMPARE(pictureWithTablesOf(2024), withTablesOf1000);
}

// Ctrl+I asks for the surface and the UT instant, draws the track and the label; Right and Left
// step the time cursor by the time step and redraw only the label, so stepping back restores
// the picture; a cancelled dialog changes nothing.
void QuorvelAppTest::specialEclipseMapStepsWithTheArrowKeys()
{
    makeWindow();
    QuorvelView* view = window_->view();
    {
        ModalAnswerer answerer(true, [](QWidget* dialog) {
            const std::pair<const char*, const char*> fields[] = {
                {"yearEdit", "2024"}, {"monthEdit", "4"},  {"dayEdit", "8"},    {"hourEdit", "18"},
                {"minEdit", "17"},    {"secEdit", "0"},    {"stepEdit", "60"},  {"heightEdit", "0"}};
            for (const auto& [name, text] : fields)
                dialog->findChild<QLineEdit*>(name)->setText(text);
        });
        QTest::keyClick(window_, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(answerer.titles, QStringList("Special Eclipse Settings"));
    }
    QCOMPARE(view->displayMode(), int(QuorvelView::SpecialMap));
    QCOMPARE(window_->lastPage(), QuorvelApp::Page::SpecialMap);
    QCOMPARE(settings_.special.stepSeconds, 60.0);
    const double start = qv::modifiedJulianDate(8, 4, 2024, qv::dmsToDecimal(18, 17, 0));
    QCOMPARE(settings_.time.currentMjdUT, start);
    const QImage first = view->specialMapPixmap().toImage();
    QTest::keyClick(window_, Qt::Key_Right);
    QVERIFY(std::fabs(settings_.time.currentMjdUT - (start + 60.0 / 86400.0)) < 1e-9);
    QVERIFY(view->specialMapPixmap().toImage() != first);
    QTest::keyClick(window_, Qt::Key_Left);
    QVERIFY(std::fabs(settings_.time.currentMjdUT - start) < 1e-9);
    QCOMPARE(view->specialMapPixmap().toImage(), first);

    ModalAnswerer cancel(false, [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("yearEdit")->setText("2017");
    });
    window_->slotCalcSatEcl();
    QCOMPARE(cancel.titles.size(), 1);
    QCOMPARE(settings_.time.currentMjdUT, start);

    // Stepping stops at the first and last second of the years the computations take.
    const double lastSecond = qv::modifiedJulianDate(31, 12, 9999, qv::dmsToDecimal(23, 59, 59));
    const double firstSecond = qv::modifiedJulianDate(1, 1, -9999, 0.0);
    settings_.time.currentMjdUT = lastSecond - 30.0 / 86400.0;
    QTest::keyClick(window_, Qt::Key_Right);
    QTest::keyClick(window_, Qt::Key_Right);
    QCOMPARE(settings_.time.currentMjdUT, lastSecond);
    QCOMPARE(qv::splitUtInstant(settings_.time.currentMjdUT).year, 9999);
    settings_.time.currentMjdUT = firstSecond + 30.0 / 86400.0;
    QTest::keyClick(window_, Qt::Key_Left);
    QCOMPARE(settings_.time.currentMjdUT, firstSecond);
}

void QuorvelAppTest::holidaysShowTheYearsHolidaysFromTheTop()
{
    makeWindow();
    settings_.time.year = 2024;
    QString text;
    int cursorPosition = -1;
    ModalAnswerer answerer(true, readShownText(text, cursorPosition));
    QTest::keyClick(window_, Qt::Key_O);
    QCOMPARE(answerer.titles, QStringList("Cultural and Religious Holidays"));
    QVERIFY(text.contains("Holidays for 2024"));
    QVERIFY(text.contains("Easter:\t\t\tMAR31"));
    QVERIFY(text.contains("Chinese New Year:\tFEB10"));
    QCOMPARE(cursorPosition, 0);
    QCOMPARE(messages_.last(), QString("Ready."));
}

void QuorvelAppTest::dayDetailsStoreTheDateAndFollowTheDefaultDeltaT()
{
    makeWindow();
    QString details;
    ModalAnswerer answerer(true, [&details](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("yearEdit")->setText("2012");
        dialog->findChild<QLineEdit*>("monthEdit")->setText("12");
        dialog->findChild<QLineEdit*>("dayEdit")->setText("31");
        QMetaObject::invokeMethod(dialog, "refreshSlot");
        details = dialog->findChild<QTextEdit*>("detailEdit")->toPlainText();
    });
    QTest::keyClick(window_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(answerer.titles, QStringList("Day Details"));
    QVERIFY2(details.startsWith("Monday   31-DEC-2012"), qPrintable(details.left(60)));
    QVERIFY(details.contains("Week: 53"));
    QCOMPARE(settings_.time.year, 2012);
    QCOMPARE(settings_.time.month, 12);
    QCOMPARE(settings_.time.day, 31);
    QCOMPARE(qv::deltaTSecondsOfYear(settings_.time), qv::deltaTDefault(2012));
}

void QuorvelAppTest::calendarExportWritesTheChosenFileOrReportsWhyNot()
{
    makeWindow();
    settings_.time.year = 2024;
    const QList<QAction*> fileActions = window_->menuBar()->actions().first()->menu()->actions();
    QAction* exportAction = fileActions.at(2);
    QCOMPARE(exportAction->text(), QString("Export to &Calendar..."));
    QCOMPARE(fileActions.at(1)->text(), QString("Save File &As"));
    QVERIFY(exportAction->whatsThis().startsWith("Export to Calendar\n\n"));
    QVERIFY(!exportAction->statusTip().isEmpty());

    {
        ModalAnswerer cancel(false);
        exportAction->trigger();
        QCOMPARE(cancel.titles, QStringList("Export to Calendar"));
        QCOMPARE(messages_.last(), QString("Export cancelled."));
    }
    // The dialog offers a file named after the year beside the program.
    {
        ModalAnswerer answerer(true);
        exportAction->trigger();
        QCOMPARE(answerer.titles, QStringList("Export to Calendar"));
    }
    const QString path = QDir::current().absoluteFilePath("quorvel-2024.ics");
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray calendar = written.readAll();
    QVERIFY(calendar.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(calendar.contains("SUMMARY:Total Eclipse of the Sun\r\n"));
    QCOMPARE(messages_.last(), "Calendar written to " + path);

    QString shown;
    {
        ModalAnswerer failure(true, readMessageBox(shown));
        QVERIFY(!window_->exportCalendar("missing/year.ics"));
        QCOMPARE(failure.titles, QStringList("Export to Calendar"));
    }
    QCOMPARE(shown, QString("The file missing/year.ics could not be written:\nNo such file or directory."));
    QCOMPARE(messages_.last(), QString("*** ERROR ***  unable to write missing/year.ics: No such file or directory"));
    settings_.time.year = 1;
    QVERIFY(!window_->exportCalendar("year1.ics"));
    QCOMPARE(messages_.last(), QString("Calendar export covers the years 2 to 9998."));
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList("quorvel-2024.ics"));
}

void QuorvelAppTest::skyDetailsStoreTheMomentAndFollowTheDefaultDeltaT()
{
    makeWindow();
    settings_.observer.latitudeDeg = 48.0;
    settings_.observer.longitudeDeg = 11.0;
    QString details;
    ModalAnswerer answerer(true, [&details](QWidget* dialog) {
        const char* fields[][2] = {{"yearEdit", "2000"}, {"monthEdit", "6"}, {"dayEdit", "21"},
                                   {"hourEdit", "13"},   {"minuteEdit", "0"}, {"secondEdit", "0"},
                                   {"tzoneEdit", "1"}};
        for (const auto& field : fields)
            dialog->findChild<QLineEdit*>(field[0])->setText(field[1]);
        QMetaObject::invokeMethod(dialog, "refreshSlot");
        details = dialog->findChild<QTextEdit*>("moonEdit")->toPlainText();
    });
    QTest::keyClick(window_, Qt::Key_S);
    QCOMPARE(answerer.titles, QStringList("Sun and Moon Details"));
    QVERIFY2(details.contains("Julian Date:  2451717.0000"), qPrintable(details));
    QCOMPARE(settings_.time.year, 2000);
    QCOMPARE(settings_.time.month, 6);
    QCOMPARE(settings_.time.hour, 13);
    QCOMPARE(settings_.time.zone.offsetHours, 1.0);
    QCOMPARE(qv::deltaTSecondsOfYear(settings_.time), qv::deltaTDefault(2000));
    QCOMPARE(messages_.last(), QString("Ready."));
}

void QuorvelAppTest::yearTotalsShowTheTotalsAndKeepTheCutoff()
{
    makeWindow();
    settings_.time.year = 2001;
    settings_.observer.latitudeDeg = 48.0;
    QString text;
    {
        ModalAnswerer answerer(true, [&text](QWidget* dialog) {
            if (auto* input = qobject_cast<QInputDialog*>(dialog))
                input->setDoubleValue(5.0);
            else
                text = dialog->findChild<QTextEdit*>("totEdit")->toPlainText();
        });
        QTest::keyClick(window_, Qt::Key_Y);
        QCOMPARE(answerer.titles, QStringList({"Yearly Totals", "Yearly Totals"}));
    }
    QVERIFY2(text.contains("Sun higher than   5.0 deg :"), qPrintable(text));
    QCOMPARE(window_->cutoffAngle(), 5.0);
    double offered = 0.0;
    ModalAnswerer cancel(false, [&offered](QWidget* dialog) {
        offered = qobject_cast<QInputDialog*>(dialog)->doubleValue();
    });
    window_->slotCalcYearTot();
    QCOMPARE(cancel.titles, QStringList("Yearly Totals"));
    QCOMPARE(offered, 5.0);
    QCOMPARE(window_->cutoffAngle(), 5.0);
}

void QuorvelAppTest::solarPanelStoresTheSettingsAndShowsTheStatistics()
{
    makeWindow();
    settings_.time.year = 2001;
    settings_.observer.latitudeDeg = 48.0;
    QString text;
    ModalAnswerer answerer(true, [&text](QWidget* dialog) {
        if (auto* tot = dialog->findChild<QTextEdit*>("totEdit")) {
            text = tot->toPlainText();
            return;
        }
        dialog->findChild<QLineEdit*>("azimuthEdit")->setText("170");
        dialog->findChild<QLineEdit*>("month1Edit")->setText("6");
        dialog->findChild<QLineEdit*>("month2Edit")->setText("7");
    });
    QTest::keyClick(window_, Qt::Key_R);
    QCOMPARE(answerer.titles, QStringList({"Solar Panel Settings", "Yearly Totals"}));
    QCOMPARE(settings_.panel.azimuthDeg, 170.0);
    QCOMPARE(settings_.panel.endMonth, 7);
    QVERIFY2(text.startsWith("Solar Panel Statistics for "), qPrintable(text));
    QVERIFY(text.contains("Months Interval from  6 to  7"));
}

QTEST_MAIN(QuorvelAppTest)
#include "quorvel_app_test.moc"
