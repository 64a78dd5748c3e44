#pragma once
// The main window: actions, menus, tool bar, status bar, the central view and the slots that
// run every command.
#include <QList>
#include <QMainWindow>
#include <QString>

#include <optional>
#include <string>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "config/settings_io.h"
#include "dialogs/qv_print_dialog.h"
#include "maps/chart_frame.h"
#include "reports/year_totals.h"

class QAction;
class QPageLayout;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QuorvelView;

class QuorvelApp : public QMainWindow {
    Q_OBJECT
public:
    // settings and page: shared by every command for the whole run, owned by the caller.
    // configPath: the configuration file read at start and written by Exit.
    QuorvelApp(qv::SettingsRecord& settings, qv::PageBuffer& page, const QString& configPath);

    QuorvelView* view() const { return view_; }
    qv::SettingsRecord& settings() const { return settings_; }
    qv::PageBuffer& page() const { return page_; }
    const QString& saveFileName() const { return saveFileName_; }
    int fontSize() const { return fontSize_; }
    // The page last shown.
    enum class Page { Start, Phases, Calendar, EclipseList, SpecialMap, Planets };
    Page lastPage() const { return lastPage_; }
    double cutoffAngle() const { return cutoffAngle_; }

public slots:
    void slotFileSave();
    void slotFileSaveAs();
    void slotFileExport();
    void slotFilePrint();
    void slotFilePrintPreview();
    void slotFileExportPdf();
    void slotFileExportPath();
    void slotFileQuit();
    void slotInputDate();
    void slotInputDeltaTime();
    void slotInputLocation();
    void slotCalcPhases();
    void slotCalcCalendar();
    void slotCalcEclipses();
    void slotCalcHolidays();
    void slotCalcPlanets();
    void slotCalcDay();
    void slotCalcSky();
    void slotCalcPlanetsDetails();
    void slotCalcYearTot();
    void slotCalcSolarPanel();
    void slotCalcSatEcl();
    void slotViewMapGrid();
    // Frames the band of totality or annularity on the eclipse map on screen.
    void slotViewZoomToPath();
    // Copies the pointer panel's text for the point under the mouse pointer to the clipboard.
    void slotViewCopyPointer();
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

    // Writes the chosen print as a PDF file to path and reports the outcome as exportCalendar
    // does; false when nothing was written.
    bool exportPdf(const QString& path);
    // What the next print offers first; set by the print dialog.
    void setPrintChoice(const qv::PrintChoice& choice) { printChoice_ = choice; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createCentralView();
    void status(const char* message, int timeoutMs = 0);
    void applyNewYear(int year);
    // An arrow key: on the special-eclipse map it steps the instant by the time step (Right
    // later, the others earlier), held to the accepted years, and redraws the label; elsewhere
    // Up and Down scroll the page.
    void arrowStep(int dx, int dy);
    // The keys that zoom and pan the map on screen (+, -, 0, and the arrows on the eclipse
    // map; on the special map they step its cursor); false for any other key or mode.
    bool mapKey(int key);
    // The left and right arrows on a picture's page step its month or eclipse; true when the
    // key was taken.
    bool chartKey(int key);
    // Shows statusText and a message box naming the file and the system's reason; the box is
    // seen whether the status bar is shown or not.
    void showWriteFailure(const char* title, const QString& statusText, const QString& path, const QString& reason);
    // Writes text whole to path and shows doneText, or says why it failed (status bar and message box).
    bool writeExport(const char* title, const QString& path, const std::string& text, const QString& doneText);
    void reportExportFailure(const char* title, const QString& path, const std::string& error);
    // The Calculate entries of the picture pages, one per chart, in the order of the charts.
    void createChartActions();
    // Shows a picture page of the year, or says in the status bar why it cannot be drawn.
    void showChartPage(const qv::ChartKind& chart);
    // Clears the page, builds a report into it, remembers it as the last page and draws it.
    void showTextReport(Page lastPage, void (*build)(qv::SettingsRecord&, qv::PageBuffer&));
    // Builds the yearly totals for the cutoff angle, or the solar panel statistics, and shows
    // them in the "Yearly Totals" dialog.
    void showYearlyTotals(qv::YearTotalsMode mode);
    // Print commands (print_commands.cpp): asks what to print, on which paper and how turned;
    // false when cancelled.
    bool askPrintChoice();
    // Whether the view shows a page that can be printed by itself.
    bool screenPagePrintable() const;
    // The document of the print choice: the page on screen or the chosen parts of the year.
    qv::PrintDocument chosenDocument() const;
    // Writes the chosen document as a PDF file on pages of that layout; reports as exportPdf.
    bool writePdf(const QString& path, const QPageLayout& layout);
    // Shows a failed print in the status bar and a message box.
    void showPrintFailure(const char* title, const QString& target, const std::string& reason);

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
    QAction* filePrint_ = nullptr;
    QAction* filePrintPreview_ = nullptr;
    QAction* fileExportPdf_ = nullptr;
    QAction* fileExportPath_ = nullptr;  // enabled while a solar eclipse map is shown
    QAction* fileQuit_ = nullptr;
    QAction* inputDate_ = nullptr;
    QAction* inputDeltaTime_ = nullptr;
    QAction* inputLocation_ = nullptr;
    QAction* calcPhases_ = nullptr;
    QAction* calcCalendar_ = nullptr;
    QAction* calcEclipses_ = nullptr;
    QAction* calcHolidays_ = nullptr;
    QAction* calcPlanets_ = nullptr;
    QAction* calcDay_ = nullptr;
    QAction* calcSky_ = nullptr;
    QAction* calcPlanetsDetails_ = nullptr;
    QAction* calcYearTot_ = nullptr;
    QAction* calcSolarPanel_ = nullptr;
    QAction* calcSatEcl_ = nullptr;
    QList<QAction*> calcCharts_;  // in the order of qv::chartKinds()
    QAction* viewFontSize_ = nullptr;
    QAction* viewMapGrid_ = nullptr;
    QAction* viewZoomToPath_ = nullptr;  // enabled while a solar eclipse map is shown
    // Always enabled, so that its shortcut works whatever the menu last showed; off the map it
    // only says so.
    QAction* viewCopyPointer_ = nullptr;
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
    Page lastPage_ = Page::Start;
    double cutoffAngle_ = 100.0;
    // The last print choice for this run; empty until the first print, whose paper is the
    // printer's or the locale's.
    std::optional<qv::PrintChoice> printChoice_;
};
