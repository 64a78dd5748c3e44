#pragma once
// The main window: actions, menus, tool bar, status bar, the central view and the slots that
// run every command.
#include <QMainWindow>
#include <QString>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "config/settings_io.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QuorvelView;

namespace qv {
// The settings record and page buffer shared by every command for the whole run.
SettingsRecord& processSettings();
PageBuffer& processPage();
}  // namespace qv

class QuorvelApp : public QMainWindow {
    Q_OBJECT
public:
    // configPath: the configuration file read at start and written by Exit.
    explicit QuorvelApp(qv::SettingsRecord& settings = qv::processSettings(),
                        qv::PageBuffer& page = qv::processPage(),
                        const QString& configPath = QString::fromLatin1(qv::kConfigFileName));

    QuorvelView* view() const { return view_; }
    qv::SettingsRecord& settings() const { return settings_; }
    qv::PageBuffer& page() const { return page_; }
    const QString& saveFileName() const { return saveFileName_; }
    int fontSize() const { return fontSize_; }
    double cutoffAngle() const { return cutoffAngle_; }

public slots:
    void slotFileSave();
    void slotFileSaveAs();
    void slotFileExport();
    void slotFileExportPath();
    void slotFileQuit();
    void slotInputDate();
    void slotInputDeltaTime();
    void slotInputLocation();
    void slotCalcPhases();
    void slotCalcCalendar();
    void slotCalcEclipses();
    void slotCalcHolidays();
    void slotCalcDay();
    void slotCalcSky();
    void slotCalcYearTot();
    void slotCalcSolarPanel();
    void slotCalcSatEcl();
    void slotViewMapGrid();
    void slotViewFontSize();
    void slotViewToolBar(bool toggle);
    void slotViewStatusBar(bool toggle);
    void slotHelpAbout();
    void slotQuickHelp();

public:
    // Writes the calendar file of the year to path and reports the outcome in the status bar
    // (a file not written also in a message box); false when the year is outside the export's
    // range or the file could not be written.
    bool exportCalendar(const QString& path);
    // Writes the path of the eclipse on the map to path, as KML when it ends in .kml, else as
    // GeoJSON, and reports the outcome like exportCalendar; false when no solar eclipse map is
    // shown or the file could not be written.
    bool exportEclipsePath(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createCentralView();
    void status(const char* message, int timeoutMs = 0);
    void applyNewYear(int year);
    // Shows statusText and a message box naming the file and the system's reason; the box is
    // seen whether the status bar is shown or not.
    void showWriteFailure(const char* title, const QString& statusText, const QString& path, const QString& reason);
    // Clears the page, builds a report into it, remembers it as the last page and draws it.
    void showTextReport(int lastPage, void (*build)(qv::SettingsRecord&, qv::PageBuffer&));
    // Builds the yearly totals (or, for the panel cutoff, the solar panel statistics) and shows
    // them in the "Yearly Totals" dialog.
    void showYearlyTotals(double cutoffDeg);

    QuorvelView* view_ = nullptr;
    QLabel* viewParent_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* inputMenu_ = nullptr;
    QMenu* calcMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* fileSave_ = nullptr;
    QAction* fileSaveAs_ = nullptr;
    QAction* fileExport_ = nullptr;
    QAction* fileExportPath_ = nullptr;  // enabled while a solar eclipse map is shown
    QAction* fileQuit_ = nullptr;
    QAction* inputDate_ = nullptr;
    QAction* inputDeltaTime_ = nullptr;
    QAction* inputLocation_ = nullptr;
    QAction* calcPhases_ = nullptr;
    QAction* calcCalendar_ = nullptr;
    QAction* calcEclipses_ = nullptr;
    QAction* calcHolidays_ = nullptr;
    QAction* calcDay_ = nullptr;
    QAction* calcSky_ = nullptr;
    QAction* calcYearTot_ = nullptr;
    QAction* calcSolarPanel_ = nullptr;
    QAction* calcSatEcl_ = nullptr;
    QAction* viewFontSize_ = nullptr;
    QAction* viewMapGrid_ = nullptr;
    QAction* viewToolBar_ = nullptr;
    QAction* viewStatusBar_ = nullptr;
    QAction* helpAbout_ = nullptr;
    QAction* helpAboutQt_ = nullptr;
    QAction* helpQuick_ = nullptr;
    QAction* whatsThis_ = nullptr;

    qv::SettingsRecord& settings_;
    qv::PageBuffer& page_;
    QString configPath_;
    // The save file for this run, whole as the user chose it; never stored in the
    // configuration file.
    QString saveFileName_ = "./quorsave.txt";
    qv::SettingsRecord settingsAtStart_;  // as the configuration file gave them
    bool keepUnreadableConfig_ = false;   // the file met at start was unreadable
    int fontSize_ = 10;
    double cutoffAngle_ = 100.0;
};
