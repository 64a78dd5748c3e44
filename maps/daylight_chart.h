#pragma once
// The daylight chart of the year: days across, the local clock time up (midnight at the
// bottom), the Sun's day, civil, nautical and astronomical twilight and night as bands, the
// sunrise and sunset lines, the clock changes of daylight saving, today, the equinoxes and
// solstices, the axes, a legend and a title with the place and zone. The bands' colours fall
// in brightness from day to night, so that they stay apart in black-and-white print.
#include <QColor>
#include <QRectF>
#include <QSizeF>

#include "reports/chart_options.h"
#include "reports/daylight_chart.h"

class QPainter;

namespace qv {

// Where the chart puts a day and a local clock time, in the painter's pixels.
struct DaylightChartLayout {
    QRectF plot;       // the bands
    int dayCount = 365;

    // Left edge of the column of day dayIndex (0: 1 January); dayCount gives the right edge.
    double xOfDay(double dayIndex) const { return plot.left() + plot.width() * dayIndex / dayCount; }
    // Height of a local clock time in hours (0 at the bottom, 24 at the top).
    double yOfHour(double hours) const { return plot.bottom() - plot.height() * hours / 24.0; }
};

DaylightChartLayout daylightChartLayout(QSizeF sizePx, int dayCount);

// The bands by the Sun's height, from above the horizon down.
enum class DaylightBand { Day, Civil, Nautical, Astronomical, Night };
QColor daylightBandColour(DaylightBand band);

// Paints the chart of a year of the settings' place and zone on sizePx pixels.
void paintDaylightChart(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const DaylightYear& year);

// The same for the settings' year, as a picture page draws it (options are not used).
void paintDaylightChart(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const ChartOptions& options);

}  // namespace qv
