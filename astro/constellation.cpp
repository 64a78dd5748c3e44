#include "astro/constellation.h"

#include <cmath>
#include <iterator>

#include "astro/precession.h"
#include "base/constants.h"

namespace qv {

namespace {

struct ConstellationName {
    const char* abbreviation;
    const char* name;
};

// One of Roman's rows: the band of right ascension [lowerRaHours, upperRaHours) north of
// lowerDecDeg, for the part of the sky the rows above it have not already taken.
struct BoundaryRow {
    double lowerRaHours;
    double upperRaHours;
    double lowerDecDeg;
    int constellation;  // index into kConstellationNames
};

#include "constellations.inc"

constexpr int kConstellationCount = static_cast<int>(std::size(kConstellationNames));
static_assert(kConstellationCount == 88);

Constellation constellationAt(int index) {
    if (index < 0 || index >= kConstellationCount) return Constellation{};
    return Constellation{index, kConstellationNames[index].abbreviation, kConstellationNames[index].name};
}

}  // namespace

Constellation constellationAtB1875(double raHours, double decDeg) {
    if (!std::isfinite(raHours) || !(decDeg >= -90.0 && decDeg <= 90.0)) return Constellation{};
    double ra = std::fmod(raHours, kHoursPerDay);
    if (ra < 0.0) ra += kHoursPerDay;
    if (ra >= kHoursPerDay) ra = 0.0;  // -1e-17 + 24 rounds to 24
    // The rows run from the north pole south; the last one takes the rest of the sky.
    for (const BoundaryRow& row : kBoundaryRows) {
        if (decDeg >= row.lowerDecDeg && ra >= row.lowerRaHours && ra < row.upperRaHours)
            return constellationAt(row.constellation);
    }
    return Constellation{};
}

Constellation constellationOf(const Vec3& equatorialOfDate, double centuriesTT) {
    if (!std::isfinite(norm(equatorialOfDate)) || !std::isfinite(centuriesTT)) return Constellation{};
    const Vec3 direction = unitVector(equatorialOfDate);
    if (direction.x == 0.0 && direction.y == 0.0 && direction.z == 0.0) return Constellation{};
    const Vec3 b1875 = precessionMatrix(centuriesTT, kCenturiesTTB1875) * direction;
    const PolarCoord polar = toPolar(b1875);
    return constellationAtB1875(polar.longitude() * kDegPerRad / kDegPerHour, polar.latitude() * kDegPerRad);
}

Constellation constellationNamed(std::string_view abbreviation) {
    for (int i = 0; i < kConstellationCount; ++i) {
        if (abbreviation == kConstellationNames[i].abbreviation) return constellationAt(i);
    }
    return Constellation{};
}

const char* constellationName(std::string_view abbreviation) { return constellationNamed(abbreviation).name; }

}  // namespace qv
