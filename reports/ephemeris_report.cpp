#include "reports/ephemeris_report.h"

#include <cmath>
#include <cstdio>

#include "astro/moon.h"
#include "astro/sun.h"
#include "base/constants.h"
#include "base/number_text.h"

namespace qv {

namespace {

constexpr int kLineSize = 160;

void appendBodyLine(const char* body, double mjdUT, const Vec3& apparentEquatorial,
                    const Vec3& meanEcliptic, std::string& text) {
    const PolarCoord equatorial = toPolar(apparentEquatorial);
    const PolarCoord ecliptic = toPolar(meanEcliptic);
    char line[kLineSize];
    std::snprintf(line, sizeof line, "%s %.6f %.9f %.8f %.9f %.8f %.8f\n", body, mjdUT,
                  equatorial.longitude() * kDegPerRad / 15.0, equatorial.latitude() * kDegPerRad,
                  ecliptic.radius(), ecliptic.longitude() * kDegPerRad, ecliptic.latitude() * kDegPerRad);
    commaToPoint(line);
    text += line;
}

}  // namespace

bool ephemerisReport(double firstMjdUT, const DeltaTRule& rule, int count, double everyDays, std::string& text) {
    text.clear();
    if (count < 1 || count > kEphemerisMaxInstants) return false;
    if (!std::isfinite(firstMjdUT) || !std::isfinite(rule.manualSeconds) || !std::isfinite(everyDays)) {
        return false;
    }
    text = "body mjd_ut ra_hours dec_deg distance ecl_lon_deg ecl_lat_deg\n";
    for (int k = 0; k < count; ++k) {
        const double mjdUT = firstMjdUT + k * everyDays;
        const Instant instant = instantAtUT(mjdUT, rule);
        const double t = instant.centuriesTT();
        double eqeqSeconds = 0.0;
        double eclLongitudeRad = 0.0;
        appendBodyLine("sun", mjdUT, sunApparentEquatorial(instant, eqeqSeconds, eclLongitudeRad),
                       sunPosition(t), text);
        appendBodyLine("moon", mjdUT, moonApparentEquatorial(instant, eqeqSeconds, eclLongitudeRad),
                       moonPosition(t), text);
    }
    return true;
}

}  // namespace qv
