#pragma once
// Rise, set and twilight of the Sun and the Moon for one place and instant: a one-shot
// estimate from a single position, its refinement (a linear crossing for the Sun, minute
// steps for the Moon), and where that does not end on the true crossing (near the poles) the
// crossings of a minute-by-minute altitude scan (astro/altitude_scan.h). Times are MJDs of UT;
// latitudes are radians, longitudes radians unless named Deg. Altitudes deciding an event carry
// no refraction. The event altitudes are those of Meeus, Astronomical Algorithms (1991), ch. 15:
// -0.83 degrees for the Sun's centre, 0.7275 times the Moon's horizontal parallax less 0.57
// degrees for the Moon's.
// Checked against PyEphem at 36 places and instants, 1950-2049, latitudes 62 S to 69 N: Sun rise
// and set within 0.1 min, twilights within 0.2 min, the Moon's minute searches within 1 min
// (tools/ephem_rise_set.py, tests/astro/rise_set_crosscheck_test.cpp); the Sun's rise and set
// shown at noon on every day of 2026 at six places within 0.07 min of those of the same local
// day (tools/ephem_noon_sun.py, the same test); and at 66.56 to 89
// degrees north and south over 2024 (tools/ephem_polar_rise_set.py,
// tests/astro/polar_rise_set_crosscheck_test.cpp).
#include "astro/refraction.h"
#include "base/vector.h"

namespace qv {

// Outcome of an estimate: both events found, or none because the body stays above (or below)
// the event altitude.
enum class RiseSetStatus { Found, StaysAbove, StaysBelow };

// Twilight altitudes of the Sun in degrees: civil, nautical and astronomical. The horizon is
// kSunHorizonAltitudeDeg (astro/refraction.h).
constexpr int kTwilightCount = 3;
constexpr int kTwilightAltitudesDeg[kTwilightCount] = {-6, -12, -18};

// Rise and set from one equatorial vector at mjdUT, treating one turn of hour angle as one day:
// the transit falls within the day that starts at mjdUT, so the rise may precede mjdUT and the
// set fall on the next day. currentAltDeg (the body's altitude now) decides between StaysAbove
// and StaysBelow when there is no crossing; the poles never have one.
RiseSetStatus riseSetEstimate(double mjdUT, const Vec3& equatorialVector, double h0Deg, double currentAltDeg,
                              double eqeqSeconds, double latitudeRad, double longitudeDeg, double& riseUT,
                              double& setUT);

// The observer and time scale of the event searches: geodetic latitude and east longitude
// (radians), height above sea level (metres) and TT - UT (seconds) of the instant the events
// are searched around, which every sample of the search keeps (Instant::at).
struct EventSite {
    double latitudeRad = 0.0;
    double longitudeRad = 0.0;
    double heightM = 0.0;
    double deltaTSeconds = 0.0;
};

// Geocentric true-equatorial Sun and Moon at mjdUT in Earth radii; eqeqSeconds is renewed.
Vec3 sunVectorAt(const EventSite& site, double mjdUT, double& eqeqSeconds);
Vec3 moonVectorAt(const EventSite& site, double mjdUT, double& eqeqSeconds);

// Topocentric altitude in degrees, without refraction, of a geocentric vector at mjdUT.
double topocentricAltitudeDeg(const EventSite& site, double mjdUT, double eqeqSeconds, const Vec3& v);

// The Sun's first upper transit at or after mjdUT, from its right ascension at mjdUT.
double sunTransitUT(const EventSite& site, double mjdUT);

// Time at which the line through (t1, y1) and (t2, y2) reaches target; t1 when it is flat.
double interpolateCrossing(double t1, double t2, double y1, double y2, double target);

// The Sun's crossing of h0Deg (topocentric) near estimateUT, from its altitudes at the estimate
// and 12 minutes later; kept within 3 hours of the estimate. eqeqSeconds is renewed.
double sunCrossingTime(const EventSite& site, double estimateUT, double& eqeqSeconds, double h0Deg);

struct RiseSet {
    RiseSetStatus status = RiseSetStatus::StaysBelow;
    double riseUT = 0.0;
    double setUT = 0.0;

    bool found() const { return status == RiseSetStatus::Found; }
};

// The Sun's rise and set and the twilights that the sky details show.
struct SunEvents {
    RiseSet horizon;
    RiseSet twilights[kTwilightCount];  // civil, nautical, astronomical
    int twilightLines = 0;              // stops after the first twilight the Sun stays above
};

// Sun events for the instant mjdUT: the last rise before the instant with the set after it
// (near the poles as AltitudeScan::select chooses them); each twilight of the same day, that
// is around the transit after that rise, or after the instant when the Sun neither rises nor
// sets. sunVector: geocentric Sun at mjdUT (Earth radii); altNowDeg its topocentric altitude.
SunEvents sunEvents(const EventSite& site, double mjdUT, Vec3 sunVector, double altNowDeg,
                    double eqeqSeconds);

// The Moon's rise and set for the instant mjdUT, searched minute by minute around the estimate,
// chosen as the Sun's rise and set.
// moonVector: geocentric Moon at mjdUT (Earth radii); topocentricDistance in Earth radii;
// altNowDeg its topocentric altitude.
RiseSet moonRiseSet(const EventSite& site, double mjdUT, Vec3 moonVector, double topocentricDistance,
                    double altNowDeg, double eqeqSeconds);

}  // namespace qv
