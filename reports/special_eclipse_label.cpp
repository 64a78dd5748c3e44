#include "reports/special_eclipse_label.h"

#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"

namespace qv {

std::string specialEclipseLabel(double mjdUT, double heightKm, const ElevatedCentralPoints& points)
{
    const UtInstant at = splitUtInstant(mjdUT);
    char month[4];
    monthAbbreviation(at.month, month);
    char text[160];
    std::snprintf(text, sizeof text, "%4i %s %2i  %2i:%02i:%02i UT   h:%8.1lf km ", at.year, month, at.day, at.hour,
                  at.minute, at.second, heightKm);
    commaToPointOutsideParens(text);
    std::string label = text;
    for (const ElevatedCentralPoint& point : {points.entry, points.exit}) {
        if (point.kind == kNoElevatedPoint)
            continue;
        std::snprintf(text, sizeof text, "%s%7.2lf %8.2lf", point.kind == kElevatedTotal ? "   tot." : "   ann.",
                      point.latitudeDeg, point.longitudeDeg);
        commaToPoint(text);
        label += text;
    }
    return label;
}

}  // namespace qv
