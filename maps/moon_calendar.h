#pragma once
// The Moon calendar picture: a month as a grid of days, or the whole year as twelve small
// months on one page, each day with the Moon drawn as it looks at the calendar's evening hour,
// the principal phases with their times, and the eclipses, supermoons and holidays marked.
// North is up for an observer north of the equator; south of it the Moon is turned 180 degrees.
#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <vector>

#include "base/settings.h"
#include "reports/moon_calendar.h"

class QPainter;

namespace qv {

// Paints the calendar of month 1..12 of the settings' year, or the whole year for month 0,
// filling sizePx.
void paintMoonCalendar(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, int month);

// The same from the calendar's data (as moonCalendar(settings, month) gives it).
void paintMoonCalendar(QPainter& painter, QSizeF sizePx, const MoonCalendar& calendar, int month);

// "Moon Calendar August 2026 – Vienna, zone UT+2": the period, the place and the zone.
QString moonCalendarTitle(const MoonCalendar& calendar, int month);

// Where the picture of that size draws a day's Moon: one entry per day of the calendar, in its
// order.
struct MoonDiskPlace {
    QPointF centre;
    double radiusPx = 0.0;
};
std::vector<MoonDiskPlace> moonDiskPlaces(QSizeF sizePx, const MoonCalendar& calendar, int month);

// Colours of the Moon's disc: lit and dark parts.
QColor moonLitColour();
QColor moonDarkColour();

}  // namespace qv
