#include "maps/moon_calendar.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "base/constants.h"
#include "maps/picture_parts.h"

namespace qv {

namespace {

constexpr int kDaysPerWeek = 7;
// The year page: twelve months in rows of this many, and weeks enough for any month.
constexpr int kYearColumns = 4;
constexpr int kYearRows = 3;
constexpr int kYearWeekRows = 6;
// Shares of the picture's height: title band, legend band, margin; of a month block: its name
// and weekday bands on the year page, the weekday band on the month page.
constexpr double kTitleShare = 0.08;
constexpr double kLegendShare = 0.05;
constexpr double kMarginShare = 0.015;
constexpr double kSmallNameShare = 0.12;
constexpr double kSmallWeekdayShare = 0.08;
constexpr double kWeekdayShare = 0.04;
// The disc's radius as a share of the smaller side of its cell, and its centre's height in the
// cell (from the top, as a share of the cell's height); on the year page it sits right of the
// middle, clear of the day's number.
constexpr double kMonthDiscShare = 0.22;
constexpr double kYearDiscShare = 0.36;
constexpr double kMonthDiscHeight = 0.38;
constexpr double kYearDiscHeight = 0.5;
constexpr double kYearDiscAcross = 0.6;
// The words under the month page's discs: line height as a share of the cell's height.
constexpr double kWordLineShare = 0.11;

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kWeekdayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr const char* kPhaseNames[] = {"New Moon", "First Quarter", "Full Moon", "Last Quarter"};

const QColor kGridColour(150, 150, 150);
const QColor kPhaseDayColour(222, 230, 240);  // light blue-grey, a light grey in print
const QColor kEclipseColour(160, 0, 0);
const QColor kHolidayColour(0, 100, 0);
const QColor kSupermoonColour(0, 0, 0);

// One month's block: where its name, weekday names and grid of day cells go.
struct MonthBlock {
    int month = 1;
    QRectF name;
    QRectF weekdays;
    QRectF cells;
    int rows = kYearWeekRows;
};

bool yearPage(int month) { return month < 1 || month > 12; }

double margin(QSizeF size) { return kMarginShare * std::min(size.width(), size.height()); }

QRectF titleBand(QSizeF size)
{
    return QRectF(margin(size), margin(size), size.width() - 2.0 * margin(size), size.height() * kTitleShare);
}

QRectF legendBand(QSizeF size)
{
    const double height = size.height() * kLegendShare;
    return QRectF(margin(size), size.height() - margin(size) - height, size.width() - 2.0 * margin(size), height);
}

QRectF gridArea(QSizeF size)
{
    const QRectF title = titleBand(size), legend = legendBand(size);
    return QRectF(title.left(), title.bottom() + margin(size), title.width(),
                  legend.top() - title.bottom() - 2.0 * margin(size));
}

// The first weekday of each month and its number of days, from the calendar's days.
struct MonthShape {
    int firstWeekday = 0;
    int dayCount = 0;
    int firstIndex = 0;  // of its first day in the calendar's days
};

std::vector<MonthShape> monthShapes(const MoonCalendar& calendar)
{
    std::vector<MonthShape> shapes(13);
    for (int i = static_cast<int>(calendar.days.size()) - 1; i >= 0; --i) {
        MonthShape& shape = shapes[calendar.days[i].month];
        shape.firstWeekday = calendar.days[i].weekday;
        shape.firstIndex = i;
        ++shape.dayCount;
    }
    return shapes;
}

int weekRows(const MonthShape& shape) { return (shape.firstWeekday + shape.dayCount + kDaysPerWeek - 1) / kDaysPerWeek; }

std::vector<MonthBlock> monthBlocks(QSizeF size, const std::vector<MonthShape>& shapes, int month)
{
    const QRectF area = gridArea(size);
    std::vector<MonthBlock> blocks;
    if (!yearPage(month)) {
        const double weekdayHeight = size.height() * kWeekdayShare;
        blocks.push_back({month, QRectF(), QRectF(area.left(), area.top(), area.width(), weekdayHeight),
                          area.adjusted(0.0, weekdayHeight, 0.0, 0.0), std::max(weekRows(shapes[month]), 1)});
        return blocks;
    }
    const double gap = margin(size);
    const double width = (area.width() - gap * (kYearColumns - 1)) / kYearColumns;
    const double height = (area.height() - gap * (kYearRows - 1)) / kYearRows;
    for (int m = 1; m <= 12; ++m) {
        const int column = (m - 1) % kYearColumns, row = (m - 1) / kYearColumns;
        const QRectF block(area.left() + column * (width + gap), area.top() + row * (height + gap), width, height);
        const double nameHeight = height * kSmallNameShare, weekdayHeight = height * kSmallWeekdayShare;
        blocks.push_back({m, QRectF(block.left(), block.top(), width, nameHeight),
                          QRectF(block.left(), block.top() + nameHeight, width, weekdayHeight),
                          block.adjusted(0.0, nameHeight + weekdayHeight, 0.0, 0.0), kYearWeekRows});
    }
    return blocks;
}

QRectF dayCell(const MonthBlock& block, int cellIndex)
{
    const double width = block.cells.width() / kDaysPerWeek, height = block.cells.height() / block.rows;
    return QRectF(block.cells.left() + (cellIndex % kDaysPerWeek) * width,
                  block.cells.top() + (cellIndex / kDaysPerWeek) * height, width, height);
}

MoonDiskPlace discPlace(const QRectF& cell, bool year)
{
    const double radius = (year ? kYearDiscShare : kMonthDiscShare) * std::min(cell.width(), cell.height());
    return {QPointF(year ? cell.left() + cell.width() * kYearDiscAcross : cell.center().x(), cell.top() + cell.height() * (year ? kYearDiscHeight : kMonthDiscHeight)),
            radius};
}

// The lit part of a disc of radius r about the origin, its bright limb towards +x: the right
// half of the limb and, back along the terminator, the half-ellipse of semi-axis (1 - 2k) r.
QPainterPath litPart(double radius, double litFraction)
{
    QPainterPath path;
    const QRectF limb(-radius, -radius, 2.0 * radius, 2.0 * radius);
    const double semiAxis = (1.0 - 2.0 * std::clamp(litFraction, 0.0, 1.0)) * radius;
    const QRectF terminator(-std::fabs(semiAxis), -radius, 2.0 * std::fabs(semiAxis), 2.0 * radius);
    path.moveTo(0.0, -radius);
    path.arcTo(limb, 90.0, -180.0);
    path.arcTo(terminator, -90.0, semiAxis >= 0.0 ? 180.0 : -180.0);
    path.closeSubpath();
    return path;
}

// The Moon's disc as the observer sees it: north up, east to the left, turned 180 degrees for
// the southern view; the bright limb at its position angle.
void paintMoonDisc(QPainter& painter, const MoonDiskPlace& place, const MoonCalendarDay& day, bool southernView)
{
    painter.save();
    painter.translate(place.centre);
    const double angleRad = day.brightLimbAngleDeg * kRadPerDeg;
    double screenAngleDeg = std::atan2(-std::cos(angleRad), -std::sin(angleRad)) * kDegPerRad;
    if (southernView)
        screenAngleDeg += 180.0;
    painter.rotate(screenAngleDeg);
    painter.setPen(Qt::NoPen);
    painter.setBrush(moonDarkColour());
    painter.drawEllipse(QPointF(0.0, 0.0), place.radiusPx, place.radiusPx);
    painter.setBrush(moonLitColour());
    painter.drawPath(litPart(place.radiusPx, day.litFraction));
    painter.restore();
}

void paintSupermoonRing(QPainter& painter, const MoonDiskPlace& place)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kSupermoonColour, std::max(1.5, place.radiusPx * 0.14)));
    const double ring = place.radiusPx * 1.2;
    painter.drawEllipse(place.centre, ring, ring);
    painter.restore();
}

void paintDiamond(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QPointF c = box.center();
    const double h = box.height() / 2.0;
    const QPointF corners[] = {c + QPointF(0, -h), c + QPointF(h, 0), c + QPointF(0, h), c + QPointF(-h, 0)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(corners, 4);
}

void paintSquare(QPainter& painter, const QRectF& box, const QColor& colour)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.0, box.height() * 0.2)));
    const double inset = box.height() * 0.15;
    painter.drawRect(box.adjusted(inset, inset, -inset, -inset));
}

// What falls on one day.
struct DayMarks {
    const MoonCalendarPhase* phase = nullptr;
    const MoonCalendarMark* eclipse = nullptr;
    const MoonCalendarMark* holiday = nullptr;
};

template <typename Item>
const Item* onDay(const std::vector<Item>& items, const MoonCalendarDay& day)
{
    for (const Item& item : items)
        if (item.month == day.month && item.day == day.day)
            return &item;
    return nullptr;
}

DayMarks marksOf(const MoonCalendar& calendar, const MoonCalendarDay& day)
{
    return {onDay(calendar.phases, day), onDay(calendar.eclipses, day), onDay(calendar.holidays, day)};
}

// The words under the disc on the month page: the phase and its time, then the eclipse and
// the holiday.
void paintDayWords(QPainter& painter, const QRectF& cell, const MoonDiskPlace& disc, const DayMarks& marks)
{
    const double lineHeight = cell.height() * kWordLineShare;
    double top = disc.centre.y() + disc.radiusPx * 1.25;
    auto line = [&](const QString& text, const QColor& colour, bool bold) {
        painter.setFont(pictureFont(lineHeight * 0.85, bold));
        painter.setPen(colour);
        const QRectF box(cell.left() + 2.0, top, cell.width() - 4.0, lineHeight);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(box.width())));
        top += lineHeight;
    };
    if (marks.phase)
        line(QStringLiteral("%1 %2").arg(QString::fromUtf8(kPhaseNames[marks.phase->kind]),
                                        QString::fromStdString(marks.phase->timeText).trimmed()),
             Qt::black, true);
    if (marks.eclipse)
        line(QString::fromStdString(marks.eclipse->label), kEclipseColour, true);
    if (marks.holiday)
        line(QString::fromStdString(marks.holiday->label), kHolidayColour, false);
}

void paintDay(QPainter& painter, const QRectF& cell, const MoonDiskPlace& disc, const MoonCalendarDay& day,
              const DayMarks& marks, bool year, bool southernView)
{
    if (marks.phase)
        painter.fillRect(cell, kPhaseDayColour);
    painter.setPen(QPen(kGridColour, 0.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell);
    const double numberHeight = cell.height() * (year ? 0.3 : 0.14);
    const QRectF corner(cell.left() + numberHeight * 0.25, cell.top(), cell.width() * 0.5, numberHeight * 1.2);
    painter.setPen(Qt::black);
    painter.setFont(pictureFont(numberHeight, marks.phase != nullptr));
    painter.drawText(corner, Qt::AlignLeft | Qt::AlignVCenter, QString::number(day.day));
    const double markSize = numberHeight * 0.8;
    QRectF mark(cell.right() - markSize * 1.3, cell.top() + numberHeight * 0.2, markSize, markSize);
    if (marks.eclipse) {
        paintDiamond(painter, mark, kEclipseColour);
        mark.translate(-markSize * 1.2, 0.0);
    }
    if (marks.holiday)
        paintSquare(painter, mark, kHolidayColour);
    paintMoonDisc(painter, disc, day, southernView);
    if (marks.phase && marks.phase->supermoon)
        paintSupermoonRing(painter, disc);
    if (!year)
        paintDayWords(painter, cell, disc, marks);
}

void paintMonthHead(QPainter& painter, const MonthBlock& block, bool yearPageShown)
{
    if (yearPageShown) {
        painter.setPen(Qt::black);
        painter.setFont(pictureFont(block.name.height() * 0.7, true));
        painter.drawText(block.name, Qt::AlignCenter, QString::fromUtf8(kMonthNames[block.month - 1]));
    }
    painter.setFont(pictureFont(block.weekdays.height() * 0.6, false));
    for (int d = 0; d < kDaysPerWeek; ++d) {
        const double width = block.weekdays.width() / kDaysPerWeek;
        const QRectF box(block.weekdays.left() + d * width, block.weekdays.top(), width, block.weekdays.height());
        const QString name = QString::fromUtf8(kWeekdayNames[d]);
        painter.drawText(box, Qt::AlignCenter, yearPageShown ? name.left(2) : name);
    }
}

std::vector<LegendEntry> calendarLegend(bool southernView)
{
    MoonCalendarDay waxing;
    waxing.litFraction = 0.4;
    waxing.brightLimbAngleDeg = southernView ? 90.0 : 270.0;  // lit on the right as drawn
    return {
        {[waxing](QPainter& p, const QRectF& box) {
             paintMoonDisc(p, {box.center(), box.height() / 2.0}, waxing, false);
         },
         QStringLiteral("Moon at %1:00, lit part light").arg(static_cast<int>(kMoonEveningHour))},
        {[](QPainter& p, const QRectF& box) {
             p.fillRect(box, kPhaseDayColour);
             p.setPen(QPen(kGridColour, 0.0));
             p.drawRect(box);
         },
         QStringLiteral("day of a principal phase")},
        {[](QPainter& p, const QRectF& box) { paintDiamond(p, box, kEclipseColour); }, QStringLiteral("eclipse")},
        {[](QPainter& p, const QRectF& box) { paintSupermoonRing(p, {box.center(), box.height() / 2.6}); },
         QStringLiteral("supermoon (closer than 360,000 km)")},
        {[](QPainter& p, const QRectF& box) { paintSquare(p, box, kHolidayColour); }, QStringLiteral("holiday")},
    };
}

QString calendarSubtitle(const MoonCalendar& calendar)
{
    return calendar.southernView
               ? QStringLiteral("The Moon each evening at %1:00 local time as seen from the southern hemisphere "
                                "(south up, east to the right)")
                     .arg(static_cast<int>(kMoonEveningHour))
               : QStringLiteral("The Moon each evening at %1:00 local time as seen from the northern hemisphere "
                                "(north up, east to the left)")
                     .arg(static_cast<int>(kMoonEveningHour));
}

}  // namespace

QString moonCalendarTitle(const MoonCalendar& calendar, int month)
{
    const QString period = yearPage(month) ? QString::number(calendar.year)
                                           : QStringLiteral("%1 %2").arg(QString::fromUtf8(kMonthNames[month - 1]))
                                                 .arg(calendar.year);
    return QStringLiteral("Moon Calendar %1 \u2013 %2, zone %3")
        .arg(period, QString::fromStdString(calendar.place), QString::fromStdString(calendar.zoneLabel));
}

QColor moonLitColour() { return QColor(255, 250, 215); }
QColor moonDarkColour() { return QColor(70, 70, 80); }

std::vector<MoonDiskPlace> moonDiskPlaces(QSizeF sizePx, const MoonCalendar& calendar, int month)
{
    const std::vector<MonthShape> shapes = monthShapes(calendar);
    std::vector<MoonDiskPlace> places(calendar.days.size());
    for (const MonthBlock& block : monthBlocks(sizePx, shapes, month)) {
        const MonthShape& shape = shapes[block.month];
        for (int d = 0; d < shape.dayCount; ++d)
            places[shape.firstIndex + d] = discPlace(dayCell(block, shape.firstWeekday + d), yearPage(month));
    }
    return places;
}

void paintMoonCalendar(QPainter& painter, QSizeF sizePx, const MoonCalendar& calendar, int month)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0.0, 0.0), sizePx), Qt::white);
    paintPictureTitle(painter, titleBand(sizePx), moonCalendarTitle(calendar, month), calendarSubtitle(calendar));
    const std::vector<MonthShape> shapes = monthShapes(calendar);
    const std::vector<MoonDiskPlace> discs = moonDiskPlaces(sizePx, calendar, month);
    for (const MonthBlock& block : monthBlocks(sizePx, shapes, month)) {
        paintMonthHead(painter, block, yearPage(month));
        const MonthShape& shape = shapes[block.month];
        for (int d = 0; d < shape.dayCount; ++d) {
            const int index = shape.firstIndex + d;
            const MoonCalendarDay& day = calendar.days[index];
            paintDay(painter, dayCell(block, shape.firstWeekday + d), discs[index], day, marksOf(calendar, day),
                     yearPage(month), calendar.southernView);
        }
    }
    paintLegend(painter, legendBand(sizePx), calendarLegend(calendar.southernView));
    painter.restore();
}

void paintMoonCalendar(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, int month)
{
    paintMoonCalendar(painter, sizePx, moonCalendar(settings, month), month);
}

}  // namespace qv
