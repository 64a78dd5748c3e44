#include "maps/eclipse_seen.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "base/julian.h"
#include "maps/picture_parts.h"

namespace qv {

namespace {

// Shares of the picture's height: title, discs (solar), chart (solar) and legend bands, margin.
constexpr double kTitleShare = 0.08;
constexpr double kDiscsShare = 0.36;
constexpr double kLegendShare = 0.05;
constexpr double kMarginShare = 0.02;
// The Sun's radius as a share of a disc panel's side.
constexpr double kSunPanelShare = 0.18;
// The chart's room for its axes' words, in text heights, and its text height as a share of the
// picture's height.
constexpr double kAxisRoomEms = 4.0;
constexpr double kChartTextShare = 0.022;
// The Sun's altitude axis spans whole multiples of this, at least one below and above 0.
constexpr double kAltitudeStepDeg = 10.0;

const QColor kCurveColour(20, 40, 140);
const QColor kCurveFillColour(200, 212, 240);
const QColor kAltitudeColour(150, 20, 20);
const QColor kBelowHorizonColour(110, 110, 110);
const QColor kPenumbraColour(225, 225, 225);
const QColor kUmbraColour(140, 140, 140);

double margin(QSizeF size) { return kMarginShare * std::min(size.width(), size.height()); }

QRectF band(QSizeF size, double top, double share)
{
    return QRectF(margin(size), top, size.width() - 2.0 * margin(size), size.height() * share);
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Local "HH:MM" of an instant.
QString clockText(double mjdUT, const TimeZone& zone)
{
    char dateTime[kDateTimeLength];
    formatDateTime(localMjd(mjdUT, zone), dateTime);
    return QString::fromLatin1(dateTime + 7, 5).trimmed();
}

// The short name of a contact on the chart.
QString shortLabel(const std::string& label)
{
    static const std::pair<const char*, const char*> kShort[] = {
        {"First contact", "C1"}, {"Second contact", "C2"}, {"Maximum", "Max"}, {"Third contact", "C3"},
        {"Last contact", "C4"},  {"Sunrise", "Rise"},      {"Sunset", "Set"}};
    for (const auto& [longName, shortName] : kShort)
        if (label == longName)
            return QString::fromLatin1(shortName);
    return qs(label);
}

void paintSunAndMoon(QPainter& painter, QPointF sunCentre, double sunRadiusPx, QPointF moonCentre, double moonRadiusPx)
{
    painter.setPen(QPen(Qt::black, std::max(1.0, sunRadiusPx * 0.02)));
    painter.setBrush(sunDiscColour());
    painter.drawEllipse(sunCentre, sunRadiusPx, sunRadiusPx);
    painter.setPen(Qt::NoPen);
    painter.setBrush(moonDiscColour());
    painter.drawEllipse(moonCentre, moonRadiusPx, moonRadiusPx);
    // The Sun's limb stays drawn over the Moon, so that totality still shows where the Sun is.
    painter.setPen(QPen(sunDiscColour(), std::max(1.0, sunRadiusPx * 0.02), Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(sunCentre, sunRadiusPx, sunRadiusPx);
}

// One panel: the discs zenith up, the label and the time below.
void paintDiscPanel(QPainter& painter, const QRectF& panel, const SolarDiscs& discs, double textPx)
{
    const double side = std::min(panel.width(), panel.height() - 2.4 * textPx);
    const QRectF square(panel.center().x() - side / 2.0, panel.top(), side, side);
    const double sunRadiusPx = side * kSunPanelShare;
    const double scale = sunRadiusPx / discs.sunRadiusRad;
    const QPointF moonCentre = square.center() + QPointF(discs.moonXRad * scale, -discs.moonYRad * scale);
    paintSunAndMoon(painter, square.center(), sunRadiusPx, moonCentre, discs.moonRadiusRad * scale);
    painter.setPen(Qt::black);
    const QRectF words(panel.left(), square.bottom() + 0.2 * textPx, panel.width(), 1.2 * textPx);
    painter.setFont(fittedFont(textPx, true, qs(discs.label), panel.width()));
    painter.drawText(words, Qt::AlignCenter, qs(discs.label));
    painter.setFont(fittedFont(textPx, false, qs(discs.timeText), panel.width()));
    painter.drawText(words.translated(0.0, 1.2 * textPx), Qt::AlignCenter, qs(discs.timeText));
}

void paintZenithArrow(QPainter& painter, const QRectF& box, double textPx)
{
    const QPointF bottom(box.center().x(), box.bottom() - 1.5 * textPx), top(box.center().x(), box.top() + textPx);
    painter.setPen(QPen(Qt::black, std::max(1.0, textPx * 0.12)));
    painter.drawLine(bottom, top);
    const QPointF head[] = {top, top + QPointF(-0.35 * textPx, 0.6 * textPx), top + QPointF(0.35 * textPx, 0.6 * textPx)};
    painter.setBrush(Qt::black);
    painter.drawPolygon(head, 3);
    painter.setFont(pictureFont(textPx));
    painter.drawText(QRectF(box.left(), bottom.y(), box.width(), 1.4 * textPx), Qt::AlignCenter,
                     QStringLiteral("zenith"));
}

void paintDiscRow(QPainter& painter, const QRectF& area, const EclipseSeen& seen, double textPx)
{
    if (seen.discs.empty()) {
        painter.setPen(Qt::black);
        painter.setFont(pictureFont(1.5 * textPx, true));
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("The eclipse is not seen from %1").arg(qs(seen.place)));
        return;
    }
    const double arrowWidth = 4.0 * textPx;
    paintZenithArrow(painter, QRectF(area.left(), area.top(), arrowWidth, area.height() - 2.4 * textPx), textPx);
    const int count = static_cast<int>(seen.discs.size());
    const double width = (area.width() - arrowWidth) / count;
    for (int i = 0; i < count; ++i)
        paintDiscPanel(painter, QRectF(area.left() + arrowWidth + i * width + 0.05 * width, area.top(), 0.9 * width,
                                       area.height()),
                       seen.discs[i], textPx);
}

// The chart of the course: time across, obscuration (left axis) and the Sun's altitude (right).
class CourseChart {
public:
    CourseChart(const QRectF& plot, const EclipseSeen& seen) : plot_(plot), seen_(seen)
    {
        startUT_ = seen.course.front().mjdUT;
        endUT_ = std::max(seen.course.back().mjdUT, startUT_ + kMinuteDays);
        double low = 0.0, high = 0.0;
        for (const ObscurationSample& sample : seen.course) {
            low = std::min(low, sample.sunAltitudeDeg);
            high = std::max(high, sample.sunAltitudeDeg);
        }
        lowDeg_ = kAltitudeStepDeg * std::floor(low / kAltitudeStepDeg - 1e-9);
        highDeg_ = kAltitudeStepDeg * std::ceil(high / kAltitudeStepDeg + 1e-9);
    }

    double x(double mjdUT) const { return plot_.left() + plot_.width() * (mjdUT - startUT_) / (endUT_ - startUT_); }
    double yObscuration(double share) const { return plot_.bottom() - plot_.height() * share; }
    double yAltitude(double deg) const { return plot_.bottom() - plot_.height() * (deg - lowDeg_) / (highDeg_ - lowDeg_); }

    void paint(QPainter& painter, double textPx) const
    {
        paintBelowHorizon(painter);
        paintObscuration(painter);
        paintAltitude(painter);
        paintContacts(painter, textPx);
        painter.setPen(QPen(Qt::black, 0.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(plot_);
        paintAxes(painter, textPx);
    }

private:
    void paintBelowHorizon(QPainter& painter) const
    {
        const std::vector<ObscurationSample>& course = seen_.course;
        for (std::size_t i = 1; i < course.size(); ++i)
            if (course[i - 1].sunAltitudeDeg < 0.0 && course[i].sunAltitudeDeg < 0.0)
                painter.fillRect(QRectF(QPointF(x(course[i - 1].mjdUT), plot_.top()),
                                        QPointF(x(course[i].mjdUT), plot_.bottom())),
                                 QBrush(kBelowHorizonColour, Qt::BDiagPattern));
        painter.setPen(QPen(kBelowHorizonColour, 1.0, Qt::DashLine));
        painter.drawLine(QPointF(plot_.left(), yAltitude(0.0)), QPointF(plot_.right(), yAltitude(0.0)));
        painter.setPen(kBelowHorizonColour);
        painter.setFont(pictureFont(plot_.height() * 0.045));
        painter.drawText(QRectF(plot_.left(), yAltitude(0.0) - plot_.height() * 0.07, plot_.width() * 0.99,
                                plot_.height() * 0.065),
                         Qt::AlignRight | Qt::AlignBottom, QStringLiteral("horizon"));
    }

    void paintObscuration(QPainter& painter) const
    {
        QPainterPath curve;
        for (const ObscurationSample& sample : seen_.course) {
            const QPointF point(x(sample.mjdUT), yObscuration(sample.obscuration));
            curve.elementCount() == 0 ? curve.moveTo(point) : curve.lineTo(point);
        }
        QPainterPath area = curve;
        area.lineTo(x(seen_.course.back().mjdUT), plot_.bottom());
        area.lineTo(x(seen_.course.front().mjdUT), plot_.bottom());
        painter.fillPath(area, kCurveFillColour);
        painter.strokePath(curve, QPen(kCurveColour, std::max(1.5, plot_.height() * 0.008)));
    }

    void paintAltitude(QPainter& painter) const
    {
        QPainterPath line;
        for (const ObscurationSample& sample : seen_.course) {
            const QPointF point(x(sample.mjdUT), yAltitude(sample.sunAltitudeDeg));
            line.elementCount() == 0 ? line.moveTo(point) : line.lineTo(point);
        }
        painter.strokePath(line, QPen(kAltitudeColour, std::max(1.2, plot_.height() * 0.006), Qt::DashLine));
    }

    // A dotted line at each contact, its short name above the plot; a name that would run into
    // the one before goes a row higher.
    void paintContacts(QPainter& painter, double textPx) const
    {
        painter.setFont(pictureFont(textPx));
        double lastAt = -1e9;
        int row = 0;
        for (const SolarDiscs& discs : seen_.discs) {
            const double at = x(discs.mjdUT);
            row = at - lastAt < 2.5 * textPx ? row + 1 : 0;
            lastAt = at;
            painter.setPen(QPen(Qt::black, 0.0, Qt::DotLine));
            painter.drawLine(QPointF(at, plot_.top() - row * 1.2 * textPx), QPointF(at, plot_.bottom()));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(at - 3.0 * textPx, plot_.top() - (row + 1) * 1.2 * textPx, 6.0 * textPx,
                                    1.2 * textPx),
                             Qt::AlignCenter, shortLabel(discs.label));
        }
    }

    void paintAxes(QPainter& painter, double textPx) const
    {
        painter.setFont(pictureFont(textPx));
        painter.setPen(Qt::black);
        for (int percent = 0; percent <= 100; percent += 25) {
            const double y = yObscuration(percent / 100.0);
            painter.drawLine(QPointF(plot_.left() - 0.3 * textPx, y), QPointF(plot_.left(), y));
            painter.drawText(QRectF(plot_.left() - 3.0 * textPx, y - textPx, 2.5 * textPx, 2.0 * textPx),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(percent));
        }
        for (double deg = lowDeg_; deg <= highDeg_ + 1e-9; deg += kAltitudeStepDeg) {
            const double y = yAltitude(deg);
            painter.drawLine(QPointF(plot_.right(), y), QPointF(plot_.right() + 0.3 * textPx, y));
            painter.drawText(QRectF(plot_.right() + 0.5 * textPx, y - textPx, 3.0 * textPx, 2.0 * textPx),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(static_cast<int>(deg)));
        }
        paintTimeTicks(painter, textPx);
        painter.save();
        painter.translate(plot_.left() - 3.3 * textPx, plot_.center().y());
        painter.rotate(-90.0);
        painter.drawText(QRectF(-plot_.height() / 2.0, -1.2 * textPx, plot_.height(), 1.2 * textPx), Qt::AlignCenter,
                         QStringLiteral("Obscuration (%)"));
        painter.restore();
        painter.save();
        painter.translate(plot_.right() + 3.3 * textPx, plot_.center().y());
        painter.rotate(90.0);
        painter.drawText(QRectF(-plot_.height() / 2.0, -1.2 * textPx, plot_.height(), 1.2 * textPx), Qt::AlignCenter,
                         QStringLiteral("Sun's altitude (\u00b0)"));
        painter.restore();
        painter.drawText(QRectF(plot_.left(), plot_.bottom() + 1.4 * textPx, plot_.width(), 1.3 * textPx),
                         Qt::AlignCenter, QStringLiteral("Local time (zone %1)").arg(qs(seen_.zoneLabel)));
    }

    // Ticks at whole local quarter, half or full hours, about six across.
    void paintTimeTicks(QPainter& painter, double textPx) const
    {
        const double spanMinutes = (endUT_ - startUT_) * kMinutesPerDay;
        const double stepMinutes = spanMinutes <= 90.0 ? 15.0 : spanMinutes <= 200.0 ? 30.0 : spanMinutes <= 420.0 ? 60.0 : 120.0;
        const double startLocal = localMjd(startUT_, seen_.zone);
        const double offsetDays = startLocal - startUT_;
        const double step = stepMinutes / kMinutesPerDay;
        for (double local = std::ceil(startLocal / step) * step; local - offsetDays <= endUT_; local += step) {
            const double at = x(local - offsetDays);
            painter.drawLine(QPointF(at, plot_.bottom()), QPointF(at, plot_.bottom() + 0.3 * textPx));
            painter.drawText(QRectF(at - 3.0 * textPx, plot_.bottom() + 0.3 * textPx, 6.0 * textPx, 1.2 * textPx),
                             Qt::AlignCenter, clockText(local - offsetDays, seen_.zone));
        }
    }

    QRectF plot_;
    const EclipseSeen& seen_;
    double startUT_ = 0.0, endUT_ = 0.0;
    double lowDeg_ = -kAltitudeStepDeg, highDeg_ = kAltitudeStepDeg;
};

std::vector<LegendEntry> solarLegend()
{
    return {
        {[](QPainter& p, const QRectF& box) {
             const double radius = box.height() * 0.4;
             paintSunAndMoon(p, box.center() - QPointF(radius * 0.4, 0.0), radius,
                             box.center() + QPointF(radius * 0.6, 0.0), radius);
         },
         QStringLiteral("Sun and Moon, zenith up")},
        {[](QPainter& p, const QRectF& box) {
             p.fillRect(box, kCurveFillColour);
             p.fillRect(QRectF(box.left(), box.center().y() - box.height() * 0.08, box.width(), box.height() * 0.16),
                        kCurveColour);
         },
         QStringLiteral("obscuration")},
        {[](QPainter& p, const QRectF& box) {
             p.setPen(QPen(kAltitudeColour, std::max(1.2, box.height() * 0.12), Qt::DashLine));
             p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
         },
         QStringLiteral("Sun's altitude")},
        {[](QPainter& p, const QRectF& box) { p.fillRect(box, QBrush(kBelowHorizonColour, Qt::BDiagPattern)); },
         QStringLiteral("Sun below the horizon")},
    };
}

QString solarSubtitle(const EclipseSeen& seen)
{
    if (!seen.visible)
        return QStringLiteral("Not seen from this place");
    QString line = QStringLiteral("Seen %1 to %2, local time")
                       .arg(qs(seen.discs.front().timeText), qs(seen.discs.back().timeText).mid(7));
    if (seen.risesEclipsed)
        line += QStringLiteral("; the Sun rises eclipsed");
    if (seen.setsEclipsed)
        line += QStringLiteral("; the Sun sets eclipsed");
    return line;
}

void paintSolar(QPainter& painter, QSizeF size, const EclipseSeen& seen)
{
    const double textPx = size.height() * kChartTextShare;
    const QRectF title = band(size, margin(size), kTitleShare);
    paintPictureTitle(painter, title, eclipseSeenTitle(seen), solarSubtitle(seen));
    const QRectF discs = band(size, title.bottom() + margin(size), kDiscsShare);
    paintDiscRow(painter, discs, seen, textPx);
    const QRectF legend = band(size, size.height() - margin(size) - size.height() * kLegendShare, kLegendShare);
    const QRectF chart(discs.left(), discs.bottom() + margin(size), discs.width(),
                       legend.top() - discs.bottom() - 2.0 * margin(size));
    const QRectF plot = chart.adjusted(kAxisRoomEms * textPx, 3.8 * textPx, -kAxisRoomEms * textPx, -3.0 * textPx);
    if (!seen.course.empty())
        CourseChart(plot, seen).paint(painter, textPx);
    paintLegend(painter, legend, solarLegend());
}

// The lunar diagram: shadow discs about the centre of the box, the Moon's path and the Moon
// at each contact; east to the left and north up, both turned for the southern view.
class ShadowDiagram {
public:
    ShadowDiagram(const QRectF& box, const EclipseSeen& seen, bool southernView) : box_(box), seen_(seen)
    {
        double reach = seen.penumbraRadiusRad + seen.moonRadiusRad;
        for (const ShadowOffset& point : seen.path)
            reach = std::max(reach, std::hypot(point.eastRad, point.northRad) + seen.moonRadiusRad);
        scale_ = 0.46 * std::min(box.width(), box.height()) / reach;
        turn_ = southernView ? -1.0 : 1.0;
    }

    QPointF at(const ShadowOffset& offset) const
    {
        return box_.center() + turn_ * QPointF(-offset.eastRad * scale_, -offset.northRad * scale_);
    }

    void paint(QPainter& painter, double textPx) const
    {
        painter.setPen(QPen(Qt::black, 0.0));
        painter.setBrush(kPenumbraColour);
        const double penumbra = seen_.penumbraRadiusRad * scale_, umbra = seen_.umbraRadiusRad * scale_;
        painter.drawEllipse(box_.center(), penumbra, penumbra);
        painter.setBrush(kUmbraColour);
        painter.drawEllipse(box_.center(), umbra, umbra);
        paintPath(painter, textPx);
        paintContacts(painter, textPx);
        paintCompass(painter, textPx);
    }

private:
    void paintPath(QPainter& painter, double textPx) const
    {
        if (seen_.path.size() < 2)
            return;
        QPainterPath path;
        path.moveTo(at(seen_.path.front()));
        for (const ShadowOffset& point : seen_.path)
            path.lineTo(at(point));
        painter.strokePath(path, QPen(Qt::black, std::max(1.0, textPx * 0.1)));
        // An arrowhead at the end shows the direction of the Moon's motion.
        const QPointF tip = at(seen_.path.back()), before = at(seen_.path[seen_.path.size() - 2]);
        const QPointF along = tip - before;
        const double length = std::hypot(along.x(), along.y());
        if (length <= 0.0)
            return;
        const QPointF unit = along / length, across(-unit.y(), unit.x());
        const QPointF head[] = {tip, tip - 0.9 * textPx * unit + 0.4 * textPx * across,
                                tip - 0.9 * textPx * unit - 0.4 * textPx * across};
        painter.setBrush(Qt::black);
        painter.drawPolygon(head, 3);
    }

    void paintContacts(QPainter& painter, double textPx) const
    {
        const double moon = seen_.moonRadiusRad * scale_;
        painter.setFont(pictureFont(textPx, true));
        // Labels alternate from one side of the path to the other, clear of the Moon.
        QPointF across(0.0, 1.0);
        if (seen_.path.size() >= 2) {
            const QPointF along = at(seen_.path.back()) - at(seen_.path.front());
            const double length = std::hypot(along.x(), along.y());
            if (length > 0.0)
                across = QPointF(-along.y(), along.x()) / length;
        }
        int side = 1;
        for (const LunarContact& contact : seen_.contacts) {
            const QPointF centre = at(contact.moon);
            const bool maximum = contact.label == "Max";
            painter.setPen(QPen(Qt::black, maximum ? std::max(1.5, textPx * 0.15) : 0.0,
                                contact.moonUp ? Qt::SolidLine : Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centre, moon, moon);
            const QPointF labelCentre = centre + side * (moon + 1.0 * textPx) * across;
            painter.drawText(QRectF(labelCentre.x() - 2.0 * textPx, labelCentre.y() - 0.7 * textPx, 4.0 * textPx,
                                    1.4 * textPx),
                             Qt::AlignCenter, qs(contact.label));
            side = -side;
        }
    }

    void paintCompass(QPainter& painter, double textPx) const
    {
        const QPointF origin = box_.topLeft() + QPointF(3.0 * textPx, 3.0 * textPx);
        const double arm = 2.0 * textPx;
        const QPointF north = origin + turn_ * QPointF(0.0, -arm), east = origin + turn_ * QPointF(-arm, 0.0);
        painter.setPen(QPen(Qt::black, std::max(1.0, textPx * 0.1)));
        painter.drawLine(origin, north);
        painter.drawLine(origin, east);
        painter.setFont(pictureFont(textPx));
        painter.drawText(QRectF(north.x() - textPx, north.y() - 1.4 * textPx * turn_ - 0.7 * textPx, 2.0 * textPx,
                                1.4 * textPx),
                         Qt::AlignCenter, QStringLiteral("N"));
        painter.drawText(QRectF(east.x() - 1.4 * textPx * turn_ - textPx, east.y() - 0.7 * textPx, 2.0 * textPx,
                                1.4 * textPx),
                         Qt::AlignCenter, QStringLiteral("E"));
    }

    QRectF box_;
    const EclipseSeen& seen_;
    double scale_ = 1.0;
    double turn_ = 1.0;
};

// The contacts' table: label, local date and time, and whether the Moon is up.
void paintContactTable(QPainter& painter, const QRectF& area, const EclipseSeen& seen, double textPx)
{
    painter.setPen(Qt::black);
    double top = area.top();
    auto row = [&](const QString& label, const QString& time, const QString& note, bool bold) {
        painter.setFont(pictureFont(textPx, bold));
        painter.drawText(QRectF(area.left(), top, 4.5 * textPx, 1.5 * textPx), Qt::AlignLeft | Qt::AlignVCenter, label);
        painter.drawText(QRectF(area.left() + 4.5 * textPx, top, 8.0 * textPx, 1.5 * textPx),
                         Qt::AlignLeft | Qt::AlignVCenter, time);
        painter.drawText(QRectF(area.left() + 12.5 * textPx, top, area.width() - 12.5 * textPx, 1.5 * textPx),
                         Qt::AlignLeft | Qt::AlignVCenter, note);
        top += 1.6 * textPx;
    };
    row(QStringLiteral("Contact"), QStringLiteral("Local time"), QStringLiteral("Moon"), true);
    for (const LunarContact& contact : seen.contacts)
        row(qs(contact.label), qs(contact.timeText), contact.moonUp ? QStringLiteral("up") : QStringLiteral("below horizon"),
            false);
    top += textPx;
    painter.setFont(pictureFont(0.85 * textPx));
    const QString notes = QStringLiteral(
        "P1, P4: the Moon touches the penumbra\nP2, P3: wholly in the penumbra\nU1, U4: the Moon touches the umbra\n"
        "U2, U3: totality begins and ends\nMax: greatest eclipse");
    painter.drawText(QRectF(area.left(), top, area.width(), area.bottom() - top), Qt::AlignLeft | Qt::AlignTop, notes);
}

std::vector<LegendEntry> lunarLegend()
{
    return {
        {[](QPainter& p, const QRectF& box) { p.fillRect(box, kPenumbraColour); p.setPen(Qt::black); p.drawRect(box); },
         QStringLiteral("penumbra")},
        {[](QPainter& p, const QRectF& box) { p.fillRect(box, kUmbraColour); p.setPen(Qt::black); p.drawRect(box); },
         QStringLiteral("umbra")},
        {[](QPainter& p, const QRectF& box) {
             p.setPen(QPen(Qt::black, 0.0));
             p.drawEllipse(box);
         },
         QStringLiteral("Moon at a contact (dashed: below the horizon)")},
        {[](QPainter& p, const QRectF& box) {
             p.setPen(QPen(Qt::black, std::max(1.0, box.height() * 0.1)));
             p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
         },
         QStringLiteral("Moon's path")},
    };
}

void paintLunar(QPainter& painter, QSizeF size, const EclipseSeen& seen, bool southernView)
{
    const double textPx = size.height() * kChartTextShare;
    const QRectF title = band(size, margin(size), kTitleShare);
    const QString view = southernView ? QStringLiteral("south up, east to the right")
                                      : QStringLiteral("north up, east to the left");
    paintPictureTitle(painter, title, eclipseSeenTitle(seen),
                      QStringLiteral("The Moon's path through the Earth's shadow, %1; local times").arg(view));
    const QRectF legend = band(size, size.height() - margin(size) - size.height() * kLegendShare, kLegendShare);
    const QRectF body(title.left(), title.bottom() + margin(size), title.width(),
                      legend.top() - title.bottom() - 2.0 * margin(size));
    const double tableWidth = std::min(body.width() * 0.38, 26.0 * textPx);
    ShadowDiagram(body.adjusted(0.0, 0.0, -tableWidth, 0.0), seen, southernView).paint(painter, textPx);
    paintContactTable(painter, QRectF(body.right() - tableWidth, body.top(), tableWidth, body.height()), seen, textPx);
    paintLegend(painter, legend, lunarLegend());
}

}  // namespace

QString eclipseSeenTitle(const EclipseSeen& seen)
{
    return QStringLiteral("%1 \u2013 %2, zone %3")
        .arg(QString::fromStdString(seen.title), QString::fromStdString(seen.place),
             QString::fromStdString(seen.zoneLabel));
}

QColor sunDiscColour() { return QColor(250, 200, 60); }
QColor moonDiscColour() { return QColor(40, 40, 50); }

void paintEclipseAsSeen(QPainter& painter, QSizeF sizePx, const EclipseSeen& seen)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0.0, 0.0), sizePx), Qt::white);
    if (!seen.found) {
        painter.setPen(Qt::black);
        painter.setFont(pictureFont(sizePx.height() * kChartTextShare * 1.5));
        painter.drawText(QRectF(QPointF(0.0, 0.0), sizePx), Qt::AlignCenter, QStringLiteral("No such eclipse"));
    } else if (isSolar(seen.kind)) {
        paintSolar(painter, sizePx, seen);
    } else {
        paintLunar(painter, sizePx, seen, seen.southernView);
    }
    painter.restore();
}

void paintEclipseAsSeen(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, int eclipseNumber)
{
    paintEclipseAsSeen(painter, sizePx, eclipseSeen(settings, eclipseNumber));
}

}  // namespace qv
