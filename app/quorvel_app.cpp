#include "app/quorvel_app.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextStream>
#include <QToolBar>
#include <QWhatsThis>

#include "app/quorvel_view.h"
#include "base/julian.h"
#include "base/replacing_file.h"
#include "base/version.h"
#include "config/input_limits.h"
#include "config/settings_io.h"
#include "dialogs/qv_date_dialog.h"
#include "dialogs/qv_day_dialog.h"
#include "dialogs/qv_holiday_dialog.h"
#include "dialogs/qv_map_dialog.h"
#include "dialogs/qv_moon_dialog.h"
#include "dialogs/qv_obs_dialog.h"
#include "dialogs/qv_quick_dialog.h"
#include "dialogs/qv_sat_dialog.h"
#include "dialogs/qv_solar_dialog.h"
#include "dialogs/qv_ttut_dialog.h"
#include "dialogs/qv_year_dialog.h"
#include "reports/calendar_export.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_path_export.h"
#include "reports/calendar_report.h"
#include "reports/holidays_page.h"
#include "reports/phenomena_report.h"
#include "reports/planets_details.h"
#include "reports/save_file.h"
#include "reports/year_tables.h"
#include "reports/year_totals.h"

#include <ctime>

namespace {

constexpr int kWindowWidthPx = 751;
constexpr int kWindowHeightPx = 510;
constexpr int kReadyTimeoutMs = 2000;
constexpr int kAbortedMessageMs = 2000;
constexpr int kFontSizeMin = 8;
constexpr int kFontSizeMax = 12;
constexpr int kFontSizeStep = 2;
// The width of the planets details' lines.
constexpr int kPlanetsDetailsColumns = 82;
constexpr const char* kHelpResource = ":/quorvelHelp.txt";
// Stands in the help text for the path of the configuration file in use.
constexpr const char* kHelpConfigFile = "%CONFIG_FILE%";

// One action of the window: its texts, shortcut, icon resource and slot.
struct ActionEntry {
    const char* text;
    const char* shortcut;
    const char* icon;
    const char* statusTip;
    const char* whatsThis;
    void (QuorvelApp::*slot)();
};

const ActionEntry kActions[] = {
    {"&Save File", "Ctrl+F", ":/filesave.png", "Saves the Moon phases / Calendar",
     "Save File.\n\nSaves the Moon phases table and the calendar on the selected (or default) output file.",
     &QuorvelApp::slotFileSave},
    {"Save File &As", nullptr, nullptr, "Saves the Moon phases / Calendar under a new filename",
     "Save As\n\nSaves the Moon phases table and the calendar on a newly specified output file.",
     &QuorvelApp::slotFileSaveAs},
    {"Export to &Calendar...", nullptr, nullptr,
     "Exports the Moon phases, seasons, eclipses, holidays and planets to a calendar file",
     "Export to Calendar\n\nWrites the phases of the Moon, the equinoxes and solstices, the eclipses, the "
     "holidays and the planetary phenomena of the specified year to an iCalendar (.ics) file that calendar "
     "programs can import. Eclipses visible at the selected location carry their local circumstances; the "
     "planetary phenomena carry the category Planets.",
     &QuorvelApp::slotFileExport},
    {"&Print...", "Ctrl+P", nullptr, "Prints the page on screen or the year",
     "Print\n\nPrints the page on screen, or the whole year as a booklet: the phases, Sun and eclipse "
     "tables, the calendar, the holidays, the eclipses with their details, the map of each solar "
     "eclipse with its legend and, when chosen, the planetary phenomena.",
     &QuorvelApp::slotFilePrint},
    {"Print Pre&view...", nullptr, nullptr, "Shows the pages as they will be printed",
     "Print Preview\n\nShows the pages of the page on screen or of the year as they will be printed.",
     &QuorvelApp::slotFilePrintPreview},
    {"Export P&DF...", nullptr, nullptr, "Writes the page on screen or the year to a PDF file",
     "Export PDF\n\nWrites the page on screen, or the whole year as a booklet, to a PDF file with "
     "searchable text and maps drawn as lines.",
     &QuorvelApp::slotFileExportPdf},
    {"E&xit", "Ctrl+Q", nullptr, "Quits Quorvel", "Exit\n\nQuits Quorvel", &QuorvelApp::slotFileQuit},
    {"&Date", "Ctrl+D", ":/date.png", "Select year and timezone",
     "Date\n\nSelects the year and the timezone for the calculations.", &QuorvelApp::slotInputDate},
    {"Delta-&Time", "Ctrl+T", nullptr, "Set the Delta-Time (difference TT - UTC)",
     "Delta-Time\n\nSets the difference between Terrestrial Time (TT) and Universal Time (UTC). If you "
     "don't know what this is use the default.",
     &QuorvelApp::slotInputDeltaTime},
    {"&Location", "Ctrl+L", ":/location.png", "Set the location.",
     "Location\n\nSets the location for which the local circumstances are calculated. The coordinates can "
     "be in decimal degrees or in DDD.MMss format (Degrees.MinutesSeconds)",
     &QuorvelApp::slotInputLocation},
    {"&Moon Phases", "Ctrl+M", ":/phases.png", "Calculate the phases of the Moon",
     "Moon Phases\n\nCalculate the phases of the Moon for the specified year.", &QuorvelApp::slotCalcPhases},
    {"&Calendar", "Ctrl+C", ":/calendar.png", "Display the calendar",
     "Calendar\n\nDisplay the calendar for the specified year.\nThe Julian Calendar will be used before "
     "the year 1582",
     &QuorvelApp::slotCalcCalendar},
    {"&Eclipses", "Ctrl+E", ":/eclipses.png", "Calculate lunar and solar eclipses",
     "Eclipses\n\nCalculates the lunar and solar eclipses for the specified year. A world map showing the "
     "solar eclipse visibilities can be displayed.",
     &QuorvelApp::slotCalcEclipses},
    {"H&oliday", "Ctrl+O", ":/holidays.png", "Calculate cultural and religious holidays",
     "Holidays\n\nCalculates for the specified year the following holidays:\n\nAsh Wednesday\nEaster\n\n"
     "Jewish New Year\nYom Kippur\n\nIslamic New Year\nFirst Day of Ramadan\n\nIndian New Year\n\n"
     "Chinese New Year",
     &QuorvelApp::slotCalcHolidays},
    {"Pla&nets", "Ctrl+N", nullptr, "Calculate the planetary phenomena of the year",
     "Planets\n\nCalculates for the specified year the conjunctions and oppositions of the planets with the "
     "Sun, the greatest elongations of Mercury and Venus, the stations of every planet, the conjunctions of "
     "the Moon with the planets and of two planets, the perigees and apogees of the Moon and the perihelion "
     "and aphelion of the Earth, in the local time of the timezone.",
     &QuorvelApp::slotCalcPlanets},
    {"D&ay Details", "Ctrl+A", nullptr, "Display details of the day",
     "Day Details\n\nShows the weekday, day of the year, week of the year as well as corresponding date in "
     "the Jewish, Islamic, Indian and Chinese calendar of the specified date",
     &QuorvelApp::slotCalcDay},
    {"&Sky Details", "Ctrl+S", nullptr, "Display Sun and Moon details of the day",
     "Sky Details\n\nShows the Julian Date, position of the Sun as well as the position, phase and "
     "libration of the Moon for the specified date and time.",
     &QuorvelApp::slotCalcSky},
    {"Planets &Details...", "Ctrl+G", nullptr, "Display the planets at a date and time",
     "Planets Details\n\nShows for the specified date and time the position of each planet, its altitude "
     "and azimuth at the location, its next rise, transit and set, its magnitude, elongation from the Sun, "
     "illuminated fraction and constellation.",
     &QuorvelApp::slotCalcPlanetsDetails},
    {"&Year Totals", "Ctrl+Y", nullptr, "Display total hours of Sun- and Moonshine and twilight",
     "Year Totals\n\nShows the total hours of Sun and Moon at the specified location and the specified "
     "minimum angle.",
     &QuorvelApp::slotCalcYearTot},
    {"Sola&r Panel", "Ctrl+R", nullptr,
     "Display maximum percentage and electricity of a fixed solar panel",
     "Solar Panel\n\nShows how a solar panel with a fixed azimuth and elevation at the given location "
     "compares (in percent) with one which tracks the sun. Also given is the maximum amount of energy in "
     "kWh which would be produced by each square meter of such a panel in one year if there were no "
     "clouds.",
     &QuorvelApp::slotCalcSolarPanel},
    {"Spec&ial Eclipses", "Ctrl+I", nullptr, "Display special solar eclipse map",
     "Special Eclipses\n\nDisplays the centerline of a solar eclipse around a specified New Moon date onto "
     "a surface which is above the Earth surface by specified height. This enables to check for eclipses "
     "at the height of satellite orbits.",
     &QuorvelApp::slotCalcSatEcl},
    // Ctrl+P prints; the plain key P still opens these settings.
    {"Ecli&pse Settings", nullptr, nullptr, "Select world map display and time steps for eclipses",
     "Eclipse Settings\n\nSpecifies the type of eclipse world map as well as how coordinates should be "
     "drawn on the map. Also specify the time steps to be used for the central eclipse listings.",
     &QuorvelApp::slotViewMapGrid},
    {"Font Si&ze", "Ctrl+Z", nullptr, "Set the font size for the screen display",
     "Font Size\n\nSpecifies the font size (8 or 10) for the screen display.", &QuorvelApp::slotViewFontSize},
    {"&About...", nullptr, nullptr, "About the application", "About\n\nAbout the application",
     &QuorvelApp::slotHelpAbout},
    {"&Help...", nullptr, nullptr, "Quick help", "Help\n\nA summary help of how to use Quorvel.",
     &QuorvelApp::slotQuickHelp},
};

// Plain keys: a letter (either case) or digit and the command it runs.
struct KeyCommand {
    int key;
    void (QuorvelApp::*slot)();
};

const KeyCommand kKeyCommands[] = {
    {Qt::Key_A, &QuorvelApp::slotCalcDay},       {Qt::Key_B, &QuorvelApp::slotViewZoomToPath},
    {Qt::Key_C, &QuorvelApp::slotCalcCalendar},
    {Qt::Key_D, &QuorvelApp::slotInputDate},     {Qt::Key_E, &QuorvelApp::slotCalcEclipses},
    {Qt::Key_F, &QuorvelApp::slotFileSave},      {Qt::Key_G, &QuorvelApp::slotCalcPlanetsDetails},
    {Qt::Key_H, &QuorvelApp::slotQuickHelp},
    {Qt::Key_L, &QuorvelApp::slotInputLocation}, {Qt::Key_M, &QuorvelApp::slotCalcPhases},
    {Qt::Key_N, &QuorvelApp::slotCalcPlanets},   {Qt::Key_O, &QuorvelApp::slotCalcHolidays},
    {Qt::Key_P, &QuorvelApp::slotViewMapGrid},
    {Qt::Key_R, &QuorvelApp::slotCalcSolarPanel}, {Qt::Key_S, &QuorvelApp::slotCalcSky},
    {Qt::Key_T, &QuorvelApp::slotInputDeltaTime}, {Qt::Key_Y, &QuorvelApp::slotCalcYearTot},
    {Qt::Key_Z, &QuorvelApp::slotViewFontSize},
};

// + and - zoom the eclipse map by this factor.
constexpr double kMapKeyZoom = 1.5;

// Arrow keys and their (dx, dy) page steps.
struct ArrowStep {
    int key;
    int dx;
    int dy;
};

const ArrowStep kArrowSteps[] = {
    {Qt::Key_Left, 10, 0}, {Qt::Key_Up, 0, -10}, {Qt::Key_Right, -10, 0}, {Qt::Key_Down, 0, 10},
};

// Keys that move the page a screen at a time, or to its top or bottom.
struct PageKey {
    int key;
    QAbstractSlider::SliderAction action;
};

const PageKey kPageKeys[] = {
    {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
    {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
    {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
    {Qt::Key_End, QAbstractSlider::SliderToMaximum},
};

}  // namespace

QuorvelApp::QuorvelApp(qv::SettingsRecord& settings, qv::PageBuffer& page, const QString& configPath)
    : QMainWindow(nullptr), settings_(settings), page_(page), configPath_(configPath)
{
    Q_INIT_RESOURCE(quorvel);
    setWindowTitle(tr("Quorvel - %1").arg(qv::kVersion));
    setWindowIcon(QIcon(":/quorvel.png"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::AnyCountry));
    createActions();
    createMenus();
    createToolBar();
    statusBar()->showMessage(tr("Ready."), kReadyTimeoutMs);
    resize(kWindowWidthPx, kWindowHeightPx);
    createCentralView();
    setFocus(Qt::OtherFocusReason);
    slotViewStatusBar(false);
    page_.lines.clear();
    // An unreadable configuration file is left as it is until a value it keeps is changed.
    keepUnreadableConfig_ = qv::initSettings(settings_, page_, QFile::encodeName(configPath_).constData(),
                                             std::time(nullptr)) == qv::ConfigRead::Unreadable;
    settingsAtStart_ = settings_;
    view_->renderPage(false, page_);
    view_->setMapSettings(settings_.display);
}

void QuorvelApp::createActions()
{
    QAction** members[] = {&fileSave_,     &fileSaveAs_,   &fileExport_,    &filePrint_,
                           &filePrintPreview_, &fileExportPdf_, &fileQuit_,     &inputDate_,
                           &inputDeltaTime_, &inputLocation_, &calcPhases_,   &calcCalendar_,
                           &calcEclipses_, &calcHolidays_, &calcPlanets_,   &calcDay_,
                           &calcSky_,      &calcPlanetsDetails_, &calcYearTot_, &calcSolarPanel_,
                           &calcSatEcl_,   &viewMapGrid_,  &viewFontSize_,  &helpAbout_,
                           &helpQuick_};
    static_assert(std::size(kActions) == std::size(members));
    for (size_t i = 0; i < std::size(kActions); ++i) {
        const ActionEntry& entry = kActions[i];
        auto* action = new QAction(tr(entry.text), this);
        if (entry.icon)
            action->setIcon(QIcon(entry.icon));
        if (entry.shortcut)
            action->setShortcut(QKeySequence(tr(entry.shortcut)));
        action->setStatusTip(tr(entry.statusTip));
        action->setWhatsThis(tr(entry.whatsThis));
        connect(action, &QAction::triggered, this, entry.slot);
        *members[i] = action;
    }
    createChartActions();
    viewToolBar_ = new QAction(tr("Tool&bar"), this);
    viewToolBar_->setCheckable(true);
    viewToolBar_->setChecked(true);  // the tool bar is visible from the start
    viewToolBar_->setStatusTip(tr("Enables/disables the toolbar"));
    viewToolBar_->setWhatsThis(tr("Toolbar\n\nEnables/disables the toolbar"));
    connect(viewToolBar_, &QAction::toggled, this, &QuorvelApp::slotViewToolBar);
    viewStatusBar_ = new QAction(tr("&Statusbar"), this);
    viewStatusBar_->setCheckable(true);
    viewStatusBar_->setStatusTip(tr("Enables/disables the statusbar"));
    viewStatusBar_->setWhatsThis(tr("Statusbar\n\nEnables/disables the statusbar"));
    connect(viewStatusBar_, &QAction::toggled, this, &QuorvelApp::slotViewStatusBar);
    fileExportPath_ = new QAction(tr("Export Eclipse &Path..."), this);
    fileExportPath_->setStatusTip(tr("Exports the path of the eclipse on the map for map programs"));
    fileExportPath_->setWhatsThis(
        tr("Export Eclipse Path\n\nWrites the central line, the limits, the penumbral limits and the sunrise/sunset "
           "curves of the solar eclipse on the map to a GeoJSON (.geojson) or KML (.kml) file, which map programs "
           "such as QGIS or Google Earth open."));
    connect(fileExportPath_, &QAction::triggered, this, &QuorvelApp::slotFileExportPath);
    viewZoomToPath_ = new QAction(tr("Zoom to &Path"), this);
    viewZoomToPath_->setShortcut(QKeySequence(tr("Ctrl+B")));
    viewZoomToPath_->setStatusTip(tr("Zooms the eclipse map to the band of totality or annularity"));
    viewZoomToPath_->setWhatsThis(
        tr("Zoom to Path\n\nFrames the band of totality or annularity of the solar eclipse on the map, with a "
           "margin (key B). The mouse wheel and the + and - keys zoom, dragging and the arrow keys move the map, "
           "and 0 shows the whole world again."));
    connect(viewZoomToPath_, &QAction::triggered, this, &QuorvelApp::slotViewZoomToPath);
    viewCopyPointer_ = new QAction(tr("&Copy Pointer Panel"), this);
    viewCopyPointer_->setShortcut(QKeySequence(tr("Ctrl+Shift+C")));
    viewCopyPointer_->setStatusTip(tr("Copies the eclipse at the mouse pointer on the map to the clipboard"));
    viewCopyPointer_->setWhatsThis(
        tr("Copy Pointer Panel\n\nCopies the text of the pointer panel for the point under the mouse pointer on the "
           "eclipse map to the clipboard: its position, maximum eclipse, magnitude, obscuration and, in the band, "
           "the duration of totality or annularity (Ctrl+Shift+C)."));
    connect(viewCopyPointer_, &QAction::triggered, this, &QuorvelApp::slotViewCopyPointer);
    helpAboutQt_ = new QAction(tr("About &Qt"), this);
    helpAboutQt_->setStatusTip(tr("Show the Qt library's About box"));
    connect(helpAboutQt_, &QAction::triggered, qApp, &QApplication::aboutQt);
    whatsThis_ = QWhatsThis::createAction(this);
    whatsThis_->setStatusTip(tr("What's This?"));
}

void QuorvelApp::createMenus()
{
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addActions({fileSave_, fileSaveAs_, fileExport_, fileExportPath_});
    connect(fileMenu_, &QMenu::aboutToShow, this,
            [this] { fileExportPath_->setEnabled(view_->displayMode() == QuorvelView::EclipseMap); });
    fileMenu_->addSeparator();
    fileMenu_->addActions({filePrint_, filePrintPreview_, fileExportPdf_});
    fileMenu_->addSeparator();
    fileMenu_->addAction(fileQuit_);
    inputMenu_ = menuBar()->addMenu(tr("&Input"));
    inputMenu_->addActions({inputDate_, inputDeltaTime_});
    inputMenu_->addSeparator();
    inputMenu_->addAction(inputLocation_);
    calcMenu_ = menuBar()->addMenu(tr("Calc&ulate"));
    calcMenu_->addActions({calcPhases_, calcCalendar_, calcEclipses_, calcHolidays_, calcPlanets_});
    calcMenu_->addActions(calcCharts_);
    calcMenu_->addSeparator();
    calcMenu_->addActions({calcDay_, calcSky_, calcPlanetsDetails_, calcYearTot_, calcSolarPanel_});
    calcMenu_->addSeparator();
    calcMenu_->addAction(calcSatEcl_);
    viewMenu_ = menuBar()->addMenu(tr("&View"));
    viewMenu_->addActions({viewMapGrid_, viewZoomToPath_, viewCopyPointer_, viewFontSize_});
    connect(viewMenu_, &QMenu::aboutToShow, this,
            [this] { viewZoomToPath_->setEnabled(view_->displayMode() == QuorvelView::EclipseMap); });
    viewMenu_->addSeparator();
    viewMenu_->addActions({viewToolBar_, viewStatusBar_});
    helpMenu_ = menuBar()->addMenu(tr("&Help"));
    helpMenu_->addActions({helpAbout_, helpAboutQt_});
    helpMenu_->addSeparator();
    helpMenu_->addAction(helpQuick_);
    helpMenu_->addSeparator();
    helpMenu_->addAction(whatsThis_);
}

void QuorvelApp::createToolBar()
{
    toolBar_ = addToolBar(tr("Quorvel Toolbar"));
    toolBar_->addAction(fileSave_);
    toolBar_->addSeparator();
    toolBar_->addActions({inputDate_, inputLocation_});
    toolBar_->addSeparator();
    toolBar_->addActions({calcPhases_, calcCalendar_, calcEclipses_, calcHolidays_});
    toolBar_->addSeparator();
    toolBar_->addSeparator();
    toolBar_->addAction(whatsThis_);
}

void QuorvelApp::createChartActions()
{
    for (const qv::ChartKind& chart : qv::chartKinds()) {
        auto* action = new QAction(tr(chart.menuText), this);
        action->setShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier, static_cast<Qt::Key>(chart.key))));
        action->setStatusTip(tr(chart.statusTip));
        action->setWhatsThis(QString(action->text()).remove(QLatin1Char('&')) + "\n\n" + tr(chart.statusTip) + ".");
        connect(action, &QAction::triggered, this, [this, &chart] { showChartPage(chart); });
        calcCharts_ << action;
    }
}

void QuorvelApp::showChartPage(const qv::ChartKind& chart)
{
    status("Draw the picture...");
    const qv::ChartOptions options = qv::startChartOptions(chart, settings_, view_->selectedEclipse());
    if (const std::string refusal = qv::chartRefusal(chart, settings_, options); !refusal.empty()) {
        status(refusal.c_str());
        return;
    }
    view_->showChart(chart, settings_, options);
    status("Ready.");
}

void QuorvelApp::createCentralView()
{
    viewParent_ = new QLabel(this);
    viewParent_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    viewParent_->setScaledContents(true);
    // Only the view's first parent: shown, it would lie over the left end of the menu bar and
    // take the clicks meant for the File and Input menus.
    viewParent_->hide();
    view_ = new QuorvelView(viewParent_);
    scrollArea_ = new QScrollArea();
    scrollArea_->setWidget(view_);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scrollArea_);
}

void QuorvelApp::status(const char* message, int timeoutMs)
{
    statusBar()->showMessage(tr(message), timeoutMs);
}

void QuorvelApp::applyNewYear(int year)
{
    settings_.time.year = year;
}

void QuorvelApp::arrowStep(int dx, int dy)
{
    if (view_->displayMode() != QuorvelView::SpecialMap) {
        view_->scrollStep(dy);
        return;
    }
    const double stepSeconds = (dx < 0 ? 1.0 : -1.0) * settings_.special.stepSeconds;
    settings_.time.currentMjdUT = qv::steppedSpecialInstant(settings_.time.currentMjdUT, stepSeconds);
    view_->drawSpecialEclipseLabel(settings_);
}

bool QuorvelApp::chartKey(int key)
{
    if (view_->displayMode() != QuorvelView::ChartPage || (key != Qt::Key_Left && key != Qt::Key_Right))
        return false;
    const qv::ChartKind& chart = *view_->chart();
    if (chart.step == qv::ChartStep::None)
        return false;
    const qv::ChartOptions options =
        qv::steppedChartOptions(chart, view_->chartSettings(), view_->chartOptions(), key == Qt::Key_Left ? -1 : 1);
    view_->showChart(chart, view_->chartSettings(), options);
    return true;
}

bool QuorvelApp::mapKey(int key)
{
    if (!view_->isZoomableMap())
        return false;
    // On the special map the arrow keys step its time cursor instead.
    const auto isArrow = [key](const ArrowStep& step) { return step.key == key; };
    if (view_->displayMode() == QuorvelView::SpecialMap &&
        std::any_of(std::begin(kArrowSteps), std::end(kArrowSteps), isArrow))
        return false;
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without Shift
        view_->zoomMap(kMapKeyZoom);
        return true;
    case Qt::Key_Minus:
        view_->zoomMap(1.0 / kMapKeyZoom);
        return true;
    case Qt::Key_0:
        view_->showWholeMapWorld();
        return true;
    case Qt::Key_Left:
        view_->panMapStep(-1, 0);
        return true;
    case Qt::Key_Right:
        view_->panMapStep(1, 0);
        return true;
    case Qt::Key_Up:
        view_->panMapStep(0, -1);
        return true;
    case Qt::Key_Down:
        view_->panMapStep(0, 1);
        return true;
    default:
        return false;
    }
}

void QuorvelApp::keyPressEvent(QKeyEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    int key = event->key();
    if (key >= 'a' && key <= 'z')
        key -= 'a' - 'A';
    if (mapKey(key) || chartKey(key))
        return;
    for (const KeyCommand& command : kKeyCommands) {
        if (command.key == key) {
            (this->*command.slot)();
            return;
        }
    }
    for (const qv::ChartKind& chart : qv::chartKinds()) {
        if (chart.key == key) {
            showChartPage(chart);
            return;
        }
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        view_->selectEclipse(key == Qt::Key_0 ? 10 : key - Qt::Key_0);
        return;
    }
    for (const ArrowStep& step : kArrowSteps) {
        if (step.key == key) {
            arrowStep(step.dx, step.dy);
            return;
        }
    }
    for (const PageKey& pageKey : kPageKeys) {
        if (pageKey.key == key) {
            scrollArea_->verticalScrollBar()->triggerAction(pageKey.action);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void QuorvelApp::slotFileSave()
{
    status("Writing Lunar Phases / Calendar...");
    // Built on a page of its own, so that the page on screen stays as it was.
    qv::PageBuffer scratch;
    std::string error;
    if (qv::saveYearFile(settings_, scratch, QFile::encodeName(saveFileName_).toStdString(), error)) {
        status("Ready.");
        return;
    }
    const QString reason = QString::fromLocal8Bit(error);
    showWriteFailure("Save File", tr("File not saved: %1: %2").arg(saveFileName_, reason), saveFileName_, reason);
}

void QuorvelApp::showWriteFailure(const char* title, const QString& statusText, const QString& path,
                                  const QString& reason)
{
    statusBar()->showMessage(statusText);
    QMessageBox::warning(this, tr(title),
                         tr("The file %1 could not be written:\n%2.").arg(QDir::toNativeSeparators(path), reason));
}

bool QuorvelApp::writeExport(const char* title, const QString& path, const std::string& text, const QString& doneText)
{
    std::string error;
    if (!qv::writeReplacingFile(QFile::encodeName(path).toStdString(), text, &error)) {
        reportExportFailure(title, path, error);
        return false;
    }
    statusBar()->showMessage(doneText);
    return true;
}

void QuorvelApp::reportExportFailure(const char* title, const QString& path, const std::string& error)
{
    const QString reason = QString::fromLocal8Bit(error);
    showWriteFailure(title, tr("*** ERROR ***  unable to write %1: %2").arg(path, reason), path, reason);
}

void QuorvelApp::slotFileSaveAs()
{
    status("Writing Lunar Phases / Calendar to a new file...");
    const QString name = QFileDialog::getSaveFileName(this);
    if (name.isEmpty()) {
        status("Operation aborted", kAbortedMessageMs);
        return;
    }
    saveFileName_ = name;
    slotFileSave();
}

void QuorvelApp::slotFileExport()
{
    status("Export to a calendar file...");
    QFileDialog dialog(this, tr("Export to Calendar"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("iCalendar files (*.ics)"));
    dialog.setDefaultSuffix("ics");
    // Offered beside the program, where the save file goes too.
    dialog.selectFile(QDir::current().absoluteFilePath(QString("quorvel-%1.ics").arg(settings_.time.year)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        status("Export cancelled.");
        return;
    }
    exportCalendar(dialog.selectedFiles().constFirst());
}

bool QuorvelApp::exportCalendar(const QString& path)
{
    std::string text;
    if (!qv::calendarExportText(settings_, QDateTime::currentSecsSinceEpoch(), text)) {
        status(qv::kCalendarExportYearMessage);
        return false;
    }
    return writeExport("Export to Calendar", path, text, tr("Calendar written to %1").arg(path));
}

void QuorvelApp::slotFileExportPath()
{
    status("Export the eclipse path...");
    QFileDialog dialog(this, tr("Export Eclipse Path"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({tr("GeoJSON files (*.geojson)"), tr("KML files (*.kml)")});
    dialog.setDefaultSuffix("geojson");
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(filter.contains("kml") ? "kml" : "geojson"); });
    dialog.selectFile(QDir::current().absoluteFilePath(
        QString("eclipse-%1-%2.geojson").arg(settings_.time.year).arg(view_->selectedEclipse())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        status("Export cancelled.");
        return;
    }
    exportEclipsePath(dialog.selectedFiles().constFirst());
}

bool QuorvelApp::exportEclipsePath(const QString& path)
{
    const qv::EclipseEvent* eclipse = qv::selectedEclipse(view_->selectedEclipse(), view_->eclipses());
    if (view_->displayMode() != QuorvelView::EclipseMap || !eclipse || !qv::isSolar(eclipse->kind)) {
        status("Select a solar eclipse in the eclipse list first.");
        return false;
    }
    const qv::PathFormat format =
        path.endsWith(".kml", Qt::CaseInsensitive) ? qv::PathFormat::Kml : qv::PathFormat::GeoJson;
    return writeExport("Export Eclipse Path", path, qv::eclipsePathFile(view_->listSettings(), *eclipse, format),
                       tr("Eclipse path written to %1").arg(path));
}

void QuorvelApp::slotFileQuit()
{
    status("Exiting application...");
    // The per-user configuration folder may not exist yet.
    QDir().mkpath(QFileInfo(configPath_).absolutePath());
    std::string reason;
    const bool keepFile = keepUnreadableConfig_ && qv::sameConfigValues(settings_, settingsAtStart_);
    if (!keepFile && !qv::writeConfigFile(settings_, 0, QFile::encodeName(configPath_).constData(), &reason))
        QMessageBox::warning(this, tr("Exit"),
                             tr("The configuration file %1 could not be written: %2.\n"
                                "The time zone and location will not be kept.")
                                 .arg(QDir::toNativeSeparators(configPath_), QString::fromStdString(reason)));
    QCoreApplication::quit();
    status("Ready.");
}

void QuorvelApp::slotInputDate()
{
    status("Input the year...");
    QvDateDialog dialog(this);
    dialog.setInput({settings_.time.year, settings_.time.zone});
    if (dialog.exec() != QDialog::Accepted) {
        status("Input cancelled.");
        return;
    }
    const DateZoneInput input = dialog.input();
    settings_.time.zone = input.zone;
    applyNewYear(input.year);
    status("Ready.");
}

void QuorvelApp::slotInputDeltaTime()
{
    status("Input Delta-Time...");
    QvTtutDialog dialog(this);
    dialog.setInput({qv::deltaTSecondsOfYear(settings_.time), qv::deltaTDefault(settings_.time.year),
                     settings_.time.deltaTFollowsYear});
    if (dialog.exec() != QDialog::Accepted) {
        status("Input cancelled.");
        return;
    }
    const DeltaTInput input = dialog.input();
    settings_.time.deltaTFollowsYear = input.followsYear;
    // With "Use Default" the edit shows the year's default; only a typed value is kept.
    if (!input.followsYear)
        settings_.time.deltaTManualSeconds = input.seconds;
    status("Ready.");
}

void QuorvelApp::slotInputLocation()
{
    status("Input the location...");
    QvObsDialog dialog(this);
    dialog.setInput(settings_.observer, settings_.display.dmsAngles);
    if (dialog.exec() != QDialog::Accepted) {
        status("Input cancelled.");
        return;
    }
    const ObserverInput input = dialog.input();
    settings_.observer.latitudeDeg = input.latitudeDeg;
    settings_.observer.longitudeDeg = input.longitudeDeg;
    settings_.observer.heightM = input.heightM;
    settings_.display.dmsAngles = input.dmsAngles;
    qv::storeLocationName(settings_, input.name.toUtf8().constData());
    if (input.zone) {
        settings_.time.zone = *input.zone;
        // What an older reader of the configuration sees: the offset in force now.
        const double nowMjdUT = QDateTime::currentSecsSinceEpoch() / qv::kSecondsPerDay + qv::kMjdOfUnixEpoch;
        settings_.time.zone.offsetHours = qv::zoneOffsetHoursAt(nowMjdUT, *input.zone);
    }
    status("Ready.");
}

void QuorvelApp::showTextReport(Page lastPage, void (*build)(qv::SettingsRecord&, qv::PageBuffer&))
{
    page_.lines.clear();
    build(settings_, page_);
    lastPage_ = lastPage;
    view_->renderPage(true, page_);
}

void QuorvelApp::slotCalcPhases()
{
    status("Calculate the phases of the Moon...");
    showTextReport(Page::Phases, [](qv::SettingsRecord& settings, qv::PageBuffer& page) {
        qv::buildYearTables(settings, page);
    });
    status("Ready.");
}

void QuorvelApp::slotCalcCalendar()
{
    status("Display the Calendar...");
    showTextReport(Page::Calendar, [](qv::SettingsRecord& settings, qv::PageBuffer& page) {
        qv::buildCalendarReport(settings, page);
    });
    status("Ready.");
}

void QuorvelApp::slotCalcPlanets()
{
    status("Calculate the planetary phenomena...");
    showTextReport(Page::Planets, [](qv::SettingsRecord& settings, qv::PageBuffer& page) {
        qv::appendPhenomenaPage(settings.time.year, settings.time.zone, qv::phenomenaOfYear(settings), page);
    });
    status("Ready.");
}

void QuorvelApp::slotCalcEclipses()
{
    status("Calculate lunar and solar eclipses...");
    lastPage_ = Page::EclipseList;
    view_->showEclipseList(settings_);
    status("Click respective line to get eclipse details.");
}

void QuorvelApp::slotCalcHolidays()
{
    status("Calculate cultural and religious holidays...");
    QvHolidayDialog dialog(this);
    for (const std::string& piece : qv::holidayDialogPieces(settings_))
        dialog.setHolidayLine(QString::fromStdString(piece));
    dialog.showFromStart();
    dialog.exec();
    status("Ready.");
}

void QuorvelApp::slotCalcDay()
{
    status("Calculate day details...");
    QvDayDialog dialog(this);
    dialog.setContext(settings_);
    dialog.setInput({settings_.time.year, settings_.time.month, settings_.time.day}, fontSize_);
    if (dialog.exec() == QDialog::Accepted) {
        const CalendarDateInput date = dialog.date();
        settings_.time.month = date.month;
        settings_.time.day = date.day;
        if (date.year != settings_.time.year)
            applyNewYear(date.year);
    }
    status("Ready.");
}

void QuorvelApp::slotCalcSky()
{
    status("Calculate sky details...");
    QvMoonDialog dialog(this);
    dialog.setInput(settings_, fontSize_);
    if (dialog.exec() == QDialog::Accepted) {
        storeMoment(dialog.moment(), settings_.time);
    }
    status("Ready.");
}

void QuorvelApp::slotCalcPlanetsDetails()
{
    status("Calculate planets details...");
    QvMoonDialog dialog(this);
    dialog.showDetailsOf(tr("Planets"), qv::planetsDetailsText, kPlanetsDetailsColumns);
    dialog.setInput(settings_, fontSize_);
    if (dialog.exec() == QDialog::Accepted) {
        storeMoment(dialog.moment(), settings_.time);
    }
    status("Ready.");
}

void QuorvelApp::showYearlyTotals(qv::YearTotalsMode mode)
{
    std::string text;
    qv::yearlyTotalsReport(settings_, mode, cutoffAngle_, text);
    QvYearDialog dialog(this);
    dialog.showTotals(QString::fromStdString(text), fontSize_);
    dialog.exec();
}

void QuorvelApp::slotCalcYearTot()
{
    status("Calculate yearly totals...");
    bool accepted = false;
    // Cancelling returns the angle offered, so the last angle entered is kept either way.
    cutoffAngle_ = QInputDialog::getDouble(this, tr("Yearly Totals"),
                                           tr("Cutoff Angle (deg - if > 90 standard output):"), cutoffAngle_,
                                           qv::kCutoffMinDeg, qv::kCutoffMaxDeg, qv::kCutoffDecimals, &accepted);
    if (accepted)
        showYearlyTotals(qv::YearTotalsMode::SkyTotals);
    status("Ready.");
}

void QuorvelApp::slotCalcSolarPanel()
{
    status("Calculate solar panel statistics");
    QvSolarDialog dialog(this);
    dialog.setInput(settings_.panel);
    if (dialog.exec() == QDialog::Accepted) {
        settings_.panel = dialog.input();
        showYearlyTotals(qv::YearTotalsMode::SolarPanel);
    }
    status("Ready.");
}

void QuorvelApp::slotCalcSatEcl()
{
    status("Show special solar eclipse map...");
    lastPage_ = Page::SpecialMap;
    QvSatDialog dialog(this);
    dialog.setInput({settings_.special, qv::splitUtInstant(settings_.time.currentMjdUT)});
    if (dialog.exec() == QDialog::Accepted) {
        const SpecialEclipseInput input = dialog.input();
        settings_.special = input.surface;
        const qv::UtInstant& at = input.startUT;
        settings_.time.currentMjdUT =
            qv::modifiedJulianDate(at.day, at.month, at.year, qv::dmsToDecimal(at.hour, at.minute, at.second));
        view_->drawSpecialEclipse(settings_);
    }
    status("Ready.");
}

void QuorvelApp::slotViewMapGrid()
{
    status("Specify the eclipse map and time steps...");
    QvMapDialog dialog(this);
    dialog.setInput(settings_.display);
    if (dialog.exec() == QDialog::Accepted) {
        settings_.display = dialog.input(settings_.display);
        view_->setMapSettings(settings_.display);
    }
    status("Ready.");
}

void QuorvelApp::slotViewZoomToPath()
{
    if (view_->displayMode() != QuorvelView::EclipseMap)
        return;
    view_->zoomMapToPath();
    status("Ready.");
}

void QuorvelApp::slotViewCopyPointer()
{
    const QString text = view_->pointerAnswerText();
    if (text.isEmpty()) {
        status("Rest the mouse pointer on the eclipse map to copy what it shows there.");
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    status("Copied the pointer panel.");
}

void QuorvelApp::slotViewFontSize()
{
    status("Specify the font size...");
    bool accepted = false;
    const int size = QInputDialog::getInt(this, tr("Font Size"), tr("Specify font size for display"),
                                          fontSize_, kFontSizeMin, kFontSizeMax, kFontSizeStep, &accepted);
    if (accepted) {
        // Only the offered sizes 8, 10 and 12: a typed odd size falls to the one below.
        fontSize_ = size - (size - kFontSizeMin) % kFontSizeStep;
        view_->setFontSize(fontSize_);
    }
    status("Ready.");
}

void QuorvelApp::slotViewToolBar(bool toggle)
{
    status("Toggle toolbar...");
    toolBar_->setVisible(toggle);
    status("Ready.");
}

void QuorvelApp::slotViewStatusBar(bool toggle)
{
    status("Toggle statusbar...");
    statusBar()->setVisible(toggle);
    status("Ready.");
}

void QuorvelApp::slotHelpAbout()
{
    QMessageBox::about(this, tr("About..."),
                       tr("Quorvel\nVersion %1\n\n"
                          "An astronomical calendar for one year at a time:\n"
                          "Moon phases, seasons, eclipses, holidays and sky details.\n\n"
                          "Written by the Quorvel developers.\n\n"
                          "Place names: GeoNames (geonames.org), CC BY.").arg(qv::kVersion));
}

void QuorvelApp::slotQuickHelp()
{
    status("Provide general help with Quorvel");
    QFile file(kHelpResource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        status("*** ERROR ***  unable to open Help file");
        return;
    }
    QvQuickDialog dialog(this);
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        dialog.setHelpLine(stream.readLine().replace(kHelpConfigFile, QDir::toNativeSeparators(configPath_)));
        dialog.setHelpLine("\n");
    }
    dialog.showFromStart();
    dialog.exec();
    status("Ready.");
}
