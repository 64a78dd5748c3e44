#include "app/quorvel_view.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/qv_ecl_dialog.h"
#include "eclipse/special_eclipse.h"
#include "maps/eclipse_seen.h"
#include "maps/special_map_view.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_map.h"
#include "reports/map_pointer.h"
#include "reports/year_tables.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPageWidthPx = qv::kMapPageWidthPx;
constexpr int kPageHeightPx = qv::kMapPageHeightPx;
// The Earth pixmap starts at the special map's size until the image replaces it.
constexpr int kEarthWidthPx = qv::kMapWidthPx;
constexpr int kEarthHeightPx = qv::kMapPictureHeightPx;
constexpr int kListWidthPx = 820;
constexpr int kListHeightPx = 1600;
constexpr int kLeftMarginPx = 10;
// A map click shows the central line of the details at this step (minutes).
constexpr int kClickMapStepMinutes = 60;
// The eclipse map zooms by this factor per notch of the mouse wheel.
constexpr double kWheelZoomPerNotch = 1.25;
constexpr double kWheelNotch = 120.0;  // angle delta of one notch, in eighths of a degree
// The pointer panel follows the pointer at most this often (ms), and stands this far from it.
constexpr int kPointerPanelIntervalMs = 30;
constexpr int kPointerPanelOffsetPx = 16;
// An arrow key moves the map by this share of its area's width or height.
constexpr double kArrowPanShare = 1.0 / 8.0;

bool isHemisphereView(const qv::MapView& view)
{
    return view.projection == qv::MapProjection::Northern || view.projection == qv::MapProjection::Southern;
}

// The view whose centre is the point now offset pixels from the area's centre: the map's
// content moves by -offset. On a hemisphere map a centre off the disc is not taken.
qv::MapView shiftedView(qv::MapView view, QPointF offset)
{
    if (isHemisphereView(view)) {
        const QPointF centre(view.size.width() / 2.0, view.size.height() / 2.0);
        const qv::GeoPoint target = qv::viewToGeographic(view, centre + offset);
        if (!target.exists())
            return view;
        view.centreLatitudeDeg = target.latitudeDeg;
        view.centreLongitudeDeg = target.longitudeDeg;
        return qv::clampedView(view);
    }
    // World maps: the centre may move to a pole, the map's edge, but not beyond it.
    const double perDegree = qv::pixelsPerDegree(view);
    view.centreLatitudeDeg -= offset.y() / perDegree;
    view.centreLongitudeDeg += offset.x() / perDegree;
    return qv::clampedView(view);
}

}  // namespace

double qv::steppedSpecialInstant(double mjdUT, double stepSeconds)
{
    const double first = qv::modifiedJulianDate(1, 1, qv::kYearMin, 0.0);
    const double last = qv::modifiedJulianDate(31, 12, qv::kYearMax, qv::dmsToDecimal(23, 59, 59));
    return std::clamp(mjdUT + stepSeconds / qv::kSecondsPerDay, first, last);
}

QuorvelView::QuorvelView(QWidget* parent)
    : QScrollArea(parent),
      pagePixmap_(screenPixmap(kPageWidthPx, kPageHeightPx)),
      captionPixmap_(screenPixmap(qv::kCaptionWidthPx, qv::kCaptionHeightPx)),
      earthPixmap_(kEarthWidthPx, kEarthHeightPx),
      specialMapPixmap_(screenPixmap(kEarthWidthPx, kEarthHeightPx))
{
    resize(kPageWidthPx, kPageHeightPx);
    pagePixmap_.fill(Qt::white);
    specialMapPixmap_.fill(Qt::white);
    earthLoaded_ = qv::loadEarthImage(earthPixmap_);
    // Keys belong to the main window, which dispatches letters, digits and arrows.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    // The map answers for the point under the pointer, buttons pressed or not.
    viewport()->setMouseTracking(true);
    pointerPanel_ = new QLabel(viewport());
    pointerPanel_->setObjectName("pointerPanel");
    pointerPanel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pointerPanel_->setStyleSheet("QLabel { background: rgba(255, 255, 255, 235); color: black; "
                                 "border: 1px solid #606060; padding: 3px; }");
    pointerPanel_->hide();
    pointerTimer_.setSingleShot(true);
    pointerTimer_.setInterval(kPointerPanelIntervalMs);
    connect(&pointerTimer_, &QTimer::timeout, this, &QuorvelView::updatePointerPanel);
}

QPixmap QuorvelView::screenPixmap(int width, int height) const
{
    return qv::scaledPixmap(width, height, devicePixelRatioF());
}

void QuorvelView::setFontSize(int pointSize) { fontSize_ = pointSize; }

void QuorvelView::setMapSettings(const qv::DisplaySettings& display)
{
    listSettings_.display.mapGrid = display.mapGrid;
    listSettings_.display.mapGrey = display.mapGrey;
    listSettings_.display.mapBorders = display.mapBorders;
    listSettings_.display.mapStepMinutes = display.mapStepMinutes;
    mapProjection_ = display.mapProjection;
    centralMeridian_ = display.centralMeridianDeg;
}

void QuorvelView::renderPage(bool fixedPitchAllowed, const qv::PageBuffer& page)
{
    setFillsPage(false);
    hidePointerPanel();
    displayMode_ = TextPage;
    viewport()->setCursor(Qt::ArrowCursor);
    drawPageText(page, fixedPitchAllowed);
}

void QuorvelView::showEclipseList(const qv::SettingsRecord& settings)
{
    setFillsPage(false);
    hidePointerPanel();
    displayMode_ = EclipseList;
    viewport()->setCursor(Qt::ArrowCursor);
    listSettings_.time = settings.time;
    listSettings_.observer = settings.observer;
    listSettings_.display.dmsAngles = settings.display.dmsAngles;
    eclipses_ = qv::eclipsesOfYear(listSettings_);
    viewPage_.lines.clear();
    const std::vector<int> eclipseLines =
        qv::buildEclipseListPage(listSettings_.time.year, listSettings_.time.zone, eclipses_, viewPage_);
    resize(kListWidthPx, kListHeightPx);
    drawPageText(viewPage_, true, &eclipseLines);
}

void QuorvelView::drawPageText(const qv::PageBuffer& page, bool fixedPitchAllowed, const std::vector<int>* eclipseLines)
{
    pagePixmap_.fill(Qt::white);
    QPainter painter(&pagePixmap_);
    const QFont font("helvetica", fontSize_);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 255));
    const QFontMetrics metrics(font);
    const int columnWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    const int ascent = metrics.ascent();
    if (eclipseLines)
        numberedLineCount_ = 0;
    int y = 0;
    for (int i = 0; i < static_cast<int>(page.lines.size()); ++i) {
        const qv::PageLine& line = page.lines[i];
        if (eclipseLines && numberedLineCount_ < qv::kMaxEclipses &&
            std::find(eclipseLines->begin(), eclipseLines->end(), i) != eclipseLines->end())
            lineTops_[++numberedLineCount_] = y - 2;
        y += ascent;
        // Location names may hold UTF-8; every other text is ASCII.
        const QString text = QString::fromStdString(line.text);
        const bool fixedPitch = fixedPitchAllowed && line.fixedPitch;
        double x = kLeftMarginPx;
        int grid = kLeftMarginPx;
        for (int k = 0; k < text.size(); ++k) {
            const QChar c = text[k];
            if (fixedPitch) {
                painter.drawText(QPointF(kLeftMarginPx + k * columnWidth, y), QString(c));
                continue;
            }
            painter.drawText(QPointF(x, y), QString(c));
            x = (c == QLatin1Char('\t')) ? grid : x + metrics.horizontalAdvance(c);
            grid += columnWidth;
        }
    }
    painter.end();
    refreshView();
}

void QuorvelView::showChart(const qv::ChartKind& chart, const qv::SettingsRecord& settings,
                            const qv::ChartOptions& options)
{
    hidePointerPanel();
    chart_ = &chart;
    chartSettings_ = settings;
    chartOptions_ = options;
    displayMode_ = ChartPage;
    viewport()->setCursor(Qt::ArrowCursor);
    setFillsPage(true);
    drawChart();
    refreshView();
}

void QuorvelView::drawChart()
{
    const QSize size = viewport()->size();
    chartPixmap_ = screenPixmap(size.width(), size.height());
    chartPixmap_.fill(Qt::white);
    QPainter painter(&chartPixmap_);
    chart_->paint(painter, QSizeF(size), chartSettings_, chartOptions_);
}

void QuorvelView::refreshView() { viewport()->repaint(); }

void QuorvelView::scrollStep(int dy)
{
    auto* outer = qobject_cast<QScrollArea*>(parentWidget() ? parentWidget()->parentWidget() : nullptr);
    if (!outer)
        return;
    // The view sits at (0, -scroll); moving it up means scrolling down.
    const int currentY = -outer->verticalScrollBar()->value();
    const int newY = std::min(0, currentY + dy);
    outer->horizontalScrollBar()->setValue(0);
    outer->verticalScrollBar()->setValue(-newY);
}

void QuorvelView::selectEclipse(int n)
{
    viewport()->clearFocus();
    if (displayMode_ != EclipseList || n < 1 || n > qv::kMaxEclipses || static_cast<int>(eclipses_.size()) < n)
        return;
    showEclipseDetails(lineTops_[n] + 2, listSettings_);
}

void QuorvelView::showEclipseDetails(int y, const qv::SettingsRecord& settings)
{
    const int index = qv::eclipseIndexAt(lineTops_, numberedLineCount_, y);
    if (index < 0)
        return;
    selectedEclipse_ = index + 1;
    const qv::EclipseEvent eclipse = eclipses_[index];
    // The map and the details share the eclipse's circumstances at the place.
    const qv::EclipseCircumstances circumstances = qv::circumstancesAtObserver(settings, eclipse);
    if (qv::isSolar(eclipse.kind))
        drawEclipseMap(settings, eclipse, circumstances);
    const std::string text = qv::eclipseDetailsText(settings, eclipse, circumstances);
    QvEclDialog dialog(this);
    dialog.showDetails(QString::fromUtf8(text.c_str()), fontSize_);
    const qv::EclipseSeen seen = qv::eclipseSeen(settings, eclipse, circumstances);
    dialog.showPicture([seen](QPainter& painter, QSizeF sizePx) { qv::paintEclipseAsSeen(painter, sizePx, seen); });
    dialog.exec();
}

void QuorvelView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    if (displayMode_ == EclipseMap && !mapTitle_.empty()) {
        mapView_ = fittedMapView(mapView_);
        qv::paintEclipseMapView(painter, mapView_, mapSettings_, mapPoints_, earthImage(), mapTitle_);
        return;
    }
    if (displayMode_ == SpecialMap) {
        mapView_ = fittedMapView(mapView_);
        qv::paintSpecialMapView(painter, mapView_, mapSettings_, specialTrack_, specialNow_, earthImage());
        return;
    }
    if (displayMode_ == ChartPage) {
        // Moved to a screen of another resolution, or resized: drawn again for it.
        if (chartPixmap_.deviceIndependentSize().toSize() != viewport()->size() ||
            chartPixmap_.devicePixelRatio() != devicePixelRatioF())
            drawChart();
        painter.drawPixmap(0, 0, chartPixmap_);
        return;
    }
    painter.drawPixmap(0, 0, pagePixmap_);
}

void QuorvelView::mousePressEvent(QMouseEvent* event)
{
    if (displayMode_ == EclipseList) {
        showEclipseDetails(qRound(event->position().y()), listSettings_);
        return;
    }
    if (isZoomableMap() && event->button() == Qt::LeftButton) {
        // A click or the start of a drag: told apart when the pointer moves or the button is let go.
        mapPressed_ = true;
        mapDragged_ = false;
        pressPosition_ = lastDragPosition_ = event->position();
    }
    takeWindowFocus();
}

void QuorvelView::mouseMoveEvent(QMouseEvent* event)
{
    if (!isZoomableMap())
        return;
    const QPointF position = event->position();
    if (displayMode_ == EclipseMap)
        schedulePointerPanel(position);
    if (!mapPressed_ || !(event->buttons() & Qt::LeftButton))
        return;
    if (!mapDragged_ && (position - pressPosition_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!mapDragged_) {
        mapDragged_ = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    // The map follows the pointer: the point grabbed stays under it.
    panMap(lastDragPosition_ - position);
    lastDragPosition_ = position;
}

void QuorvelView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isZoomableMap() || !mapPressed_ || event->button() != Qt::LeftButton)
        return;
    mapPressed_ = false;
    if (mapDragged_) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    // The special map names no place: a click there only takes the keys back to the window.
    if (displayMode_ == EclipseMap)
        showClickedPosition(qRound(pressPosition_.x()), qRound(pressPosition_.y()));
    takeWindowFocus();
}

void QuorvelView::wheelEvent(QWheelEvent* event)
{
    if (!isZoomableMap()) {
        QScrollArea::wheelEvent(event);
        return;
    }
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches != 0.0)
        zoomMapAt(event->position(), std::pow(kWheelZoomPerNotch, notches));
    event->accept();
}

void QuorvelView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    // The map keeps its centre and span; only the area it fills changes.
    if (isZoomableMap())
        setMapView(mapView_);
    if (displayMode_ == ChartPage) {
        drawChart();
        viewport()->update();
    }
}

bool QuorvelView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        hidePointerPanel();
    return QScrollArea::viewportEvent(event);
}

void QuorvelView::schedulePointerPanel(QPointF position)
{
    pointerPosition_ = position;
    // Moves in between only move the position the next tick answers for.
    if (!pointerTimer_.isActive())
        pointerTimer_.start();
}

void QuorvelView::hidePointerPanel()
{
    pointerTimer_.stop();
    pointerPanel_->hide();
}

QString QuorvelView::pointAnswerText(QPointF position)
{
    mapView_ = fittedMapView(mapView_);
    const bool onArea = position.x() >= 0 && position.y() >= 0 && position.x() < mapView_.size.width() &&
                        position.y() < mapView_.size.height();
    const qv::GeoPoint point = onArea ? qv::viewToGeographic(mapView_, position) : qv::GeoPoint{};
    if (displayMode_ != EclipseMap || mapTitle_.empty() || !point.exists())
        return {};
    const qv::MapPointAnswer answer =
        qv::mapPointAnswer(mapEclipse_, mapPoints_.centralLine, point.latitudeDeg, point.longitudeDeg);
    return QString::fromStdString(qv::mapPointAnswerText(answer, mapEclipse_.kind, mapSettings_.time.zone));
}

QString QuorvelView::pointerAnswerText()
{
    return pointAnswerText(viewport()->mapFromGlobal(QCursor::pos()).toPointF());
}

void QuorvelView::updatePointerPanel()
{
    const QPointF position = pointerPosition_;
    const QString text = pointAnswerText(position);
    if (text.isEmpty()) {
        pointerPanel_->hide();
        return;
    }
    pointerPanel_->setText(text);
    pointerPanel_->adjustSize();
    // Beside the pointer, turned to its other side near the area's right or bottom edge.
    QPoint at = position.toPoint() + QPoint(kPointerPanelOffsetPx, kPointerPanelOffsetPx);
    if (at.x() + pointerPanel_->width() > mapView_.size.width())
        at.setX(position.toPoint().x() - kPointerPanelOffsetPx - pointerPanel_->width());
    if (at.y() + pointerPanel_->height() > mapView_.size.height())
        at.setY(position.toPoint().y() - kPointerPanelOffsetPx - pointerPanel_->height());
    pointerPanel_->move(at);
    pointerPanel_->show();
    pointerPanel_->raise();
}

QScrollArea* QuorvelView::pageArea() const
{
    return qobject_cast<QScrollArea*>(parentWidget() ? parentWidget()->parentWidget() : nullptr);
}

void QuorvelView::setFillsPage(bool fill)
{
    QScrollArea* area = pageArea();
    if (!area || area->widgetResizable() == fill)
        return;
    area->setWidgetResizable(fill);
    // Back at the map page's size, as the fixed map left it before.
    if (!fill)
        resize(pagePixmap_.deviceIndependentSize().toSize());
}

QSize QuorvelView::mapAreaSize() const { return qv::viewAreaOfPicture(viewport()->size()); }

qv::MapView QuorvelView::fittedMapView(qv::MapView view) const
{
    view.size = mapAreaSize();
    view.deviceScale = devicePixelRatioF();
    return qv::clampedView(view);
}

void QuorvelView::setMapView(qv::MapView view)
{
    view = fittedMapView(view);
    const bool changed = view.centreLatitudeDeg != mapView_.centreLatitudeDeg ||
                         view.centreLongitudeDeg != mapView_.centreLongitudeDeg || view.spanDeg != mapView_.spanDeg ||
                         view.size != mapView_.size || view.deviceScale != mapView_.deviceScale ||
                         view.projection != mapView_.projection ||
                         view.centralMeridianDeg != mapView_.centralMeridianDeg;
    mapView_ = view;
    if (!changed || !isZoomableMap())
        return;
    viewport()->update();
    // Another point now lies under the resting pointer.
    if (pointerPanel_->isVisible())
        schedulePointerPanel(pointerPosition_);
}

void QuorvelView::zoomMapAt(QPointF pixel, double factor)
{
    if (!isZoomableMap() || factor <= 0.0)
        return;
    mapView_ = fittedMapView(mapView_);
    const qv::GeoPoint anchor = qv::viewToGeographic(mapView_, pixel);
    qv::MapView zoomed = mapView_;
    zoomed.spanDeg /= factor;
    zoomed = qv::clampedView(zoomed);
    // Then moved so that the point under the pointer is back under it.
    QPointF moved;
    if (anchor.exists() && qv::projectToView(zoomed, anchor.latitudeDeg, anchor.longitudeDeg, moved))
        zoomed = shiftedView(zoomed, moved - pixel);
    setMapView(zoomed);
}

void QuorvelView::zoomMap(double factor)
{
    const QSize area = mapAreaSize();
    zoomMapAt(QPointF(area.width() / 2.0, area.height() / 2.0), factor);
}

void QuorvelView::panMap(QPointF offset)
{
    if (!isZoomableMap())
        return;
    mapView_ = fittedMapView(mapView_);
    setMapView(shiftedView(mapView_, offset));
}

void QuorvelView::panMapStep(int columns, int rows)
{
    const QSize area = mapAreaSize();
    panMap(QPointF(columns * area.width() * kArrowPanShare, rows * area.height() * kArrowPanShare));
}

void QuorvelView::showWholeMapWorld()
{
    if (isZoomableMap())
        setMapView(qv::wholeWorldView(mapProjection_, centralMeridian_, mapAreaSize(), devicePixelRatioF()));
}

void QuorvelView::zoomMapToPath()
{
    if (displayMode_ != EclipseMap)
        return;
    mapView_ = fittedMapView(mapView_);
    setMapView(qv::frameOfPath(mapPoints_, mapView_));
}

void QuorvelView::startMap(int mode)
{
    hidePointerPanel();
    displayMode_ = mode;
    viewport()->setCursor(Qt::CrossCursor);
    resize(pagePixmap_.deviceIndependentSize().toSize());
    setFillsPage(true);
    mapGeometry_ = qv::mapGeometry(mapProjection_, centralMeridian_);
}

void QuorvelView::drawEclipseMap(const qv::SettingsRecord& settings, const qv::EclipseEvent& eclipse,
                                 const qv::EclipseCircumstances& circumstances)
{
    // The same eclipse in the same map style (the details of a clicked place) keeps the view;
    // another starts with its whole world.
    const std::string title = qv::eclipseMapTitle(settings.time.year, settings.time.zone, eclipse);
    const bool sameMap = displayMode_ == EclipseMap && title == mapTitle_ && mapView_.projection == mapProjection_ &&
                         mapView_.centralMeridianDeg == centralMeridian_;
    startMap(EclipseMap);
    mapPoints_ = qv::eclipseMapPoints(settings, eclipse, circumstances);
    mapEclipse_ = eclipse;
    mapSettings_ = settings;
    mapTitle_ = title;
    mapPressed_ = false;
    // The fixed design picture, for saving and printing the map.
    qv::paintEclipseMap(pagePixmap_, captionPixmap_, earthImage(), mapGeometry_, settings, mapPoints_, title);
    if (!sameMap)
        mapView_ = qv::wholeWorldView(mapProjection_, centralMeridian_, mapAreaSize(), devicePixelRatioF());
    setMapView(mapView_);
    refreshView();
}

void QuorvelView::showClickedPosition(int x, int y)
{
    // A click on the caption strip, off the world's edge or outside a hemisphere's disc names
    // no place.
    mapView_ = fittedMapView(mapView_);
    if (x < 0 || y < 0 || x >= mapView_.size.width() || y >= mapView_.size.height())
        return;
    const qv::GeoPoint clicked = qv::viewToGeographic(mapView_, QPointF(x, y));
    if (!clicked.exists())
        return;
    qv::SettingsRecord atClick = listSettings_;
    atClick.observer = qv::Observer{clicked.latitudeDeg, clicked.longitudeDeg, 0.0, "clicked position"};
    atClick.display.mapStepMinutes = kClickMapStepMinutes;
    showEclipseDetails(lineTops_[selectedEclipse_] + 1, atClick);
}

void QuorvelView::drawSpecialEclipse(const qv::SettingsRecord& settings)
{
    mapTitle_.clear();
    startMap(SpecialMap);
    const qv::SpecialEclipseSettings& surface = settings.special;
    specialTrack_ = qv::specialEclipseTrack(qv::instantAtUT(settings.time.currentMjdUT, qv::deltaTRule(settings.time)),
                                            surface.heightKm, surface.ellipsoid);
    qv::paintSpecialEclipseTrack(pagePixmap_, earthImage(), mapGeometry_, settings, specialTrack_);
    mapView_ = qv::wholeWorldView(mapProjection_, centralMeridian_, mapAreaSize(), devicePixelRatioF());
    drawSpecialEclipseLabel(settings);
}

void QuorvelView::drawSpecialEclipseLabel(const qv::SettingsRecord& settings)
{
    const qv::SpecialEclipseSettings& surface = settings.special;
    specialNow_ = qv::elevatedCentralPoints(qv::instantAtUT(settings.time.currentMjdUT, qv::deltaTRule(settings.time)),
                                            surface.heightKm, surface.ellipsoid);
    mapSettings_ = settings;
    // The fixed design picture beside the view, as the eclipse map keeps one.
    qv::paintSpecialEclipseLabel(specialMapPixmap_, pagePixmap_, captionPixmap_, mapGeometry_, settings, specialNow_);
    setMapView(mapView_);
    refreshView();
}

void QuorvelView::takeWindowFocus()
{
    window()->setFocus(Qt::OtherFocusReason);
}
