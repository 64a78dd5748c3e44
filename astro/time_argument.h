#pragma once
// The time argument of the solar and lunar series: Julian centuries of TT from an instant in UT
// (TT = UT + TT - UT, the centuries counted from J2000.0 = MJD 51544.5 TT). It is as exact as
// the TT - UT given; the default rule's accuracy is stated in base/julian.cpp.

namespace qv {

// Julian centuries of TT since J2000 for an MJD of UT and TT - UT in seconds.
double centuriesTTFromUT(double mjdUT, double deltaTSeconds);

}  // namespace qv
