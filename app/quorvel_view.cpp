#include "app/quorvel_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "base/julian.h"
#include "config/input_limits.h"
#include "dialogs/qv_ecl_dialog.h"
#include "eclipse/special_eclipse.h"
#include "reports/eclipse_details.h"
#include "reports/eclipse_map.h"
#include "reports/year_tables.h"

#include <algorithm>

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
    displayMode_ = TextPage;
    viewport()->setCursor(Qt::ArrowCursor);
    drawPageText(page, fixedPitchAllowed);
}

void QuorvelView::showEclipseList(const qv::SettingsRecord& settings)
{
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
    dialog.exec();
}

void QuorvelView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, displayMode_ == SpecialMap ? specialMapPixmap_ : pagePixmap_);
}

void QuorvelView::mousePressEvent(QMouseEvent* event)
{
    if (displayMode_ == EclipseList) {
        showEclipseDetails(qRound(event->position().y()), listSettings_);
        return;
    }
    if (displayMode_ == EclipseMap) {
        showClickedPosition(qRound(event->position().x()), qRound(event->position().y()));
    }
    takeWindowFocus();
}

void QuorvelView::startMap(int mode)
{
    displayMode_ = mode;
    viewport()->setCursor(Qt::CrossCursor);
    resize(pagePixmap_.deviceIndependentSize().toSize());
    mapGeometry_ = qv::mapGeometry(mapProjection_, centralMeridian_);
}

void QuorvelView::drawEclipseMap(const qv::SettingsRecord& settings, const qv::EclipseEvent& eclipse,
                                 const qv::EclipseCircumstances& circumstances)
{
    startMap(EclipseMap);
    const qv::EclipseMapPoints points = qv::eclipseMapPoints(settings, eclipse, circumstances);
    qv::paintEclipseMap(pagePixmap_, captionPixmap_, earthImage(), mapGeometry_, settings, points,
                        qv::eclipseMapTitle(settings.time.year, settings.time.zone, eclipse));
    refreshView();
}

void QuorvelView::showClickedPosition(int x, int y)
{
    // A click beside the map or outside a hemisphere's disc names no place.
    if (!qv::isOnMap(mapGeometry_, QPoint(x, y)))
        return;
    const qv::GeoPoint clicked = qv::mapToGeographic(mapGeometry_, QPoint(x, y));
    qv::SettingsRecord atClick = listSettings_;
    atClick.observer = qv::Observer{clicked.latitudeDeg, clicked.longitudeDeg, 0.0, "clicked position"};
    atClick.display.mapStepMinutes = kClickMapStepMinutes;
    showEclipseDetails(lineTops_[selectedEclipse_] + 1, atClick);
}

void QuorvelView::drawSpecialEclipse(const qv::SettingsRecord& settings)
{
    startMap(SpecialMap);
    const qv::SpecialEclipseSettings& surface = settings.special;
    qv::paintSpecialEclipseTrack(pagePixmap_, earthImage(), mapGeometry_, settings,
                                 qv::specialEclipseTrack(qv::instantAtUT(settings.time.currentMjdUT, qv::deltaTRule(settings.time)),
                                                         surface.heightKm, surface.ellipsoid));
    drawSpecialEclipseLabel(settings);
}

void QuorvelView::drawSpecialEclipseLabel(const qv::SettingsRecord& settings)
{
    const qv::SpecialEclipseSettings& surface = settings.special;
    const qv::ElevatedCentralPoints points = qv::elevatedCentralPoints(
        qv::instantAtUT(settings.time.currentMjdUT, qv::deltaTRule(settings.time)), surface.heightKm, surface.ellipsoid);
    qv::paintSpecialEclipseLabel(specialMapPixmap_, pagePixmap_, captionPixmap_, mapGeometry_, settings, points);
    refreshView();
}

void QuorvelView::takeWindowFocus()
{
    window()->setFocus(Qt::OtherFocusReason);
}
