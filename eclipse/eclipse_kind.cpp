#include "eclipse/eclipse_kind.h"

namespace qv {

EclipseKind eclipseKindOf(SolarEclipseClass eclipseClass)
{
    switch (eclipseClass) {
    case kSolarPartial: return EclipseKind::PartialSolar;
    case kSolarNonCentralAnnular: return EclipseKind::NonCentralAnnularSolar;
    case kSolarNonCentralTotal: return EclipseKind::NonCentralTotalSolar;
    case kSolarCentralAnnular: return EclipseKind::AnnularSolar;
    case kSolarCentralTotal: return EclipseKind::TotalSolar;
    case kSolarNone: break;
    }
    return EclipseKind::None;
}

EclipseKind eclipseKindOf(LunarEclipseClass eclipseClass)
{
    switch (eclipseClass) {
    case kLunarPenumbral: return EclipseKind::PenumbralLunar;
    case kLunarTotalPenumbral: return EclipseKind::TotalPenumbralLunar;
    case kLunarPartialUmbral: return EclipseKind::PartialLunar;
    case kLunarTotalUmbral: return EclipseKind::TotalLunar;
    case kLunarNone: break;
    }
    return EclipseKind::None;
}

bool isSolar(EclipseKind kind)
{
    switch (kind) {
    case EclipseKind::PartialSolar:
    case EclipseKind::NonCentralAnnularSolar:
    case EclipseKind::NonCentralTotalSolar:
    case EclipseKind::AnnularSolar:
    case EclipseKind::TotalSolar:
    case EclipseKind::HybridSolar: return true;
    default: return false;
    }
}

bool isLunar(EclipseKind kind)
{
    switch (kind) {
    case EclipseKind::TotalLunar:
    case EclipseKind::PartialLunar:
    case EclipseKind::TotalPenumbralLunar:
    case EclipseKind::PenumbralLunar: return true;
    default: return false;
    }
}

bool isCentral(EclipseKind kind)
{
    return kind == EclipseKind::AnnularSolar || kind == EclipseKind::TotalSolar || kind == EclipseKind::HybridSolar;
}

bool isTotal(EclipseKind kind)
{
    return kind == EclipseKind::TotalLunar || kind == EclipseKind::NonCentralTotalSolar ||
           kind == EclipseKind::TotalSolar;
}

}  // namespace qv
