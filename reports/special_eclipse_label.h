#pragma once
// The label below the special-eclipse map.
#include <string>

#include "eclipse/special_eclipse.h"

namespace qv {

// Date and time (UT) of the instant, the surface's height, and for each central point then
// "tot." or "ann." with its latitude and longitude.
std::string specialEclipseLabel(double mjdUT, double heightKm, const ElevatedCentralPoints& points);

}  // namespace qv
