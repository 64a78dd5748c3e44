#pragma once
// The main view: shows one picture at a time (a text page, the eclipse list, an eclipse map
// or the special-eclipse map). Text is rasterised once into an off-screen pixmap; painting
// only copies the pixmap of the current mode. The two maps are the exception: they fill the
// page, are drawn as vector lines for their current view at every repaint, and zoom and pan;
// their fixed design pictures are still drawn into pixmaps for saving and printing. A picture
// page of the year (maps/chart_frame.h) also fills the page; it is drawn into a pixmap of the
// page's size and the screen's resolution, again whenever either changes.
#include <QPixmap>
#include <QScrollArea>
#include <QTimer>

#include <vector>

#include "base/page_buffer.h"
#include "base/settings.h"
#include "eclipse/circumstances.h"
#include "eclipse/lunation.h"
#include "maps/chart_frame.h"
#include "maps/map_drawing.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"

class QLabel;

namespace qv {
// The special eclipse's instant stepSeconds later (earlier when negative), held to the first
// and last second of the years the computations accept.
double steppedSpecialInstant(double mjdUT, double stepSeconds);
}  // namespace qv

class QuorvelView : public QScrollArea {
    Q_OBJECT
public:
    enum DisplayMode { NoPage = 0, TextPage = 1, EclipseList = 2, EclipseMap = 3, SpecialMap = 4, ChartPage = 5 };

    explicit QuorvelView(QWidget* parent = nullptr);

    void setFontSize(int pointSize);
    // Takes the grid, background, borders, step, projection and central meridian of the maps.
    void setMapSettings(const qv::DisplaySettings& display);
    // Draws a page; its table rows are drawn fixed-pitch only when fixedPitchAllowed.
    void renderPage(bool fixedPitchAllowed, const qv::PageBuffer& page);
    // Builds the year's eclipse list from the main settings and draws it with numbered lines.
    void showEclipseList(const qv::SettingsRecord& settings);
    // Up and down arrow keys: scrolls the page by dy pixels.
    void scrollStep(int dy);
    // Number keys 1..10: opens the details of that eclipse of the list.
    void selectEclipse(int n);
    // The world map of a solar eclipse from its circumstances at the settings' place.
    void drawEclipseMap(const qv::SettingsRecord& settings, const qv::EclipseEvent& eclipse,
                        const qv::EclipseCircumstances& circumstances);
    // Shows the details of the selected eclipse with the local circumstances of a clicked map
    // pixel of the current view; nothing for a pixel off the map or on the caption strip.
    void showClickedPosition(int x, int y);

    // The current view of the eclipse map or the special map (its size: the map's area of the page).
    const qv::MapView& mapView() const { return mapView_; }
    // Shows the view, clamped, at the page's size and device scale.
    void setMapView(qv::MapView view);
    // Zooms by factor (above 1: in) keeping the geographic point under pixel where it is.
    void zoomMapAt(QPointF pixel, double factor);
    // Zooms by factor around the centre of the map's area.
    void zoomMap(double factor);
    // Moves the map's centre by offset pixels of the current view (positive: east and south).
    void panMap(QPointF offset);
    // Arrow keys on the eclipse map: moves the centre an eighth of the area's width or height
    // per step (columns positive: east, rows positive: south).
    void panMapStep(int columns, int rows);
    // Key 0: the whole world of the map style.
    void showWholeMapWorld();
    // Zoom to Path (eclipse map only): frames the band of totality or annularity; the whole world without one.
    void zoomMapToPath();
    // The pointer panel's text for the point under the mouse pointer now; empty off the
    // eclipse map's area.
    QString pointerAnswerText();
    // The special-eclipse map: the track of central points over the four days around
    // settings.time.currentMjdUT on the settings' surface, and the label of that instant; it
    // starts with the whole world and zooms and pans as the eclipse map does.
    void drawSpecialEclipse(const qv::SettingsRecord& settings);
    // Redraws the special-eclipse label and markers for settings.time.currentMjdUT, keeping the view.
    void drawSpecialEclipseLabel(const qv::SettingsRecord& settings);
    // Shows a picture page of the year for the settings, filling the page.
    void showChart(const qv::ChartKind& chart, const qv::SettingsRecord& settings, const qv::ChartOptions& options);
    virtual void refreshView();

    int displayMode() const { return displayMode_; }
    // The eclipse map or the special map: the modes that zoom and pan.
    bool isZoomableMap() const { return displayMode_ == EclipseMap || displayMode_ == SpecialMap; }
    int fontSize() const { return fontSize_; }
    int lineTop(int n) const { return lineTops_[n]; }
    int numberedLineCount() const { return numberedLineCount_; }
    const QPixmap& pagePixmap() const { return pagePixmap_; }
    const QPixmap& specialMapPixmap() const { return specialMapPixmap_; }
    // The picture page shown (nullptr before the first), with the inputs it is drawn for.
    const qv::ChartKind* chart() const { return chart_; }
    const qv::SettingsRecord& chartSettings() const { return chartSettings_; }
    const qv::ChartOptions& chartOptions() const { return chartOptions_; }
    const QPixmap& chartPixmap() const { return chartPixmap_; }
    const qv::MapGeometry& mapGeometry() const { return mapGeometry_; }
    // The settings the eclipse list and its maps were drawn for.
    const qv::SettingsRecord& listSettings() const { return listSettings_; }
    int selectedEclipse() const { return selectedEclipse_; }
    void setSelectedEclipse(int number) { selectedEclipse_ = number; }
    const std::vector<qv::EclipseEvent>& eclipses() const { return eclipses_; }
    qv::PageBuffer& viewPage() { return viewPage_; }
    bool earthLoaded() const { return earthLoaded_; }
    qv::MapProjection mapProjection() const { return mapProjection_; }
    double centralMeridian() const { return centralMeridian_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // A pixmap of width x height logical pixels at the screen's device pixel ratio: painters
    // keep logical coordinates while text and lines are drawn at the screen's resolution.
    QPixmap screenPixmap(int width, int height) const;
    // Draws the lines of a page into pagePixmap; on the eclipse list page (eclipseLines: the
    // page line of each eclipse) records where each eclipse's line is drawn.
    void drawPageText(const qv::PageBuffer& page, bool fixedPitchAllowed,
                      const std::vector<int>* eclipseLines = nullptr);
    void takeWindowFocus();
    // Map mode: cross cursor, the view sized to the page, the geometry of the chosen style.
    void startMap(int mode);
    // The main window's scroll area holding the view; null for a view on its own.
    QScrollArea* pageArea() const;
    // The eclipse map fills the page area and follows its size; other modes keep their own.
    void setFillsPage(bool fill);
    // The pointer panel: the circumstances at the point under the pointer, computed once per
    // tick of the coalescing timer for the pointer's last position; hidden off the map.
    void schedulePointerPanel(QPointF position);
    void updatePointerPanel();
    // The pointer panel's text for a position in view pixels; empty off the eclipse map's area.
    QString pointAnswerText(QPointF position);
    void hidePointerPanel();
    // The map's area of the page at the current size (all of it but the caption strip).
    QSize mapAreaSize() const;
    // The view at the page's size and device scale, clamped.
    qv::MapView fittedMapView(qv::MapView view) const;
    // Paints the picture page into its pixmap at the page's size and the screen's resolution.
    void drawChart();
    const QPixmap* earthImage() const { return earthLoaded_ ? &earthPixmap_ : nullptr; }
    // Opens the details of the list line above the vertical position y of the list page, with
    // the circumstances at the settings' place.
    void showEclipseDetails(int y, const qv::SettingsRecord& settings);

    // Map geometry of the eclipse world map: origin, scales, style and central meridian.
    qv::MapGeometry mapGeometry_;
    QPixmap pagePixmap_;
    QPixmap captionPixmap_;
    QPixmap earthPixmap_;
    QPixmap specialMapPixmap_;
    std::vector<qv::EclipseEvent> eclipses_;  // of the list page, in its order
    int lineTops_[13] = {};                    // [n]: top of the list line of eclipse n
    int numberedLineCount_ = 0;
    int selectedEclipse_ = 0;  // 1-based number of the eclipse shown in the details
    qv::PageBuffer viewPage_;
    qv::SettingsRecord listSettings_;  // a copy: the settings that own them are the window's
    int displayMode_ = NoPage;
    bool earthLoaded_ = false;
    int fontSize_ = 10;
    qv::MapProjection mapProjection_ = qv::MapProjection::SimpleWorld;
    double centralMeridian_ = 0.0;

    // The map on screen: its view, what it shows and the settings it was drawn for.
    qv::MapView mapView_;
    qv::EclipseMapPoints mapPoints_;
    qv::EclipseEvent mapEclipse_;
    qv::SettingsRecord mapSettings_;
    std::string mapTitle_;
    // The special map on screen: its track and the central points of its instant.
    std::vector<qv::TrackPoint> specialTrack_;
    qv::ElevatedCentralPoints specialNow_;
    // A left-button press on the map: a click unless the pointer moves before the release.
    bool mapPressed_ = false;
    bool mapDragged_ = false;
    QPointF pressPosition_;
    QPointF lastDragPosition_;
    QLabel* pointerPanel_ = nullptr;
    QTimer pointerTimer_;
    QPointF pointerPosition_;

    // The picture page on screen.
    const qv::ChartKind* chart_ = nullptr;
    qv::SettingsRecord chartSettings_;
    qv::ChartOptions chartOptions_;
    QPixmap chartPixmap_;
};
