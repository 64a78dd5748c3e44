#pragma once
// The kind of an eclipse as a whole, as the year's table, the list and the details know it,
// with the one mapping from the shadow engine's instantaneous classes and the questions the
// reports and maps ask of a kind. No computation of its own: the kinds are as right as the
// lunation finder's (lunation.h).
#include "eclipse/eclipse_geometry.h"

namespace qv {

// Lunar kinds are negative, solar kinds positive; the codes are those the batch companion prints.
enum class EclipseKind : int {
    TotalLunar = -4,
    PartialLunar = -3,
    TotalPenumbralLunar = -2,  // penumbral magnitude above 1
    PenumbralLunar = -1,
    None = 0,
    PartialSolar = 1,
    NonCentralAnnularSolar = 2,
    NonCentralTotalSolar = 3,
    AnnularSolar = 4,
    TotalSolar = 5,
    HybridSolar = 6,  // annular along part of the central line, total along the rest
};

// The kind of an eclipse that shows the engine's class at its instant.
EclipseKind eclipseKindOf(SolarEclipseClass eclipseClass);
EclipseKind eclipseKindOf(LunarEclipseClass eclipseClass);

bool isSolar(EclipseKind kind);
bool isLunar(EclipseKind kind);
// A solar eclipse whose shadow axis meets the Earth: annular, total or both.
bool isCentral(EclipseKind kind);
// Total somewhere: a total lunar eclipse, a total solar one, central or not.
bool isTotal(EclipseKind kind);

}  // namespace qv
