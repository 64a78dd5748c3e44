#pragma once
// The time argument of the solar and lunar series: Julian centuries of TT from an instant in UT.

namespace qv {

// Julian centuries of TT since J2000 for an MJD of UT and TT - UT in seconds.
double centuriesTTFromUT(double mjdUT, double deltaTSeconds);

}  // namespace qv
