#include "reports/eclipse_kind_texts.h"

namespace qv {

namespace {

constexpr EclipseKindTexts kKindTexts[] = {
    {EclipseKind::TotalLunar, "\t Total eclipse of the Moon", true, " Tot.Moon", "\t\tTotal eclipse of the Moon",
     "totality    ", ""},
    {EclipseKind::PartialLunar, "\t Partial eclipse of the Moon", true, " Par.Moon",
     "\t\tPartial eclipse of the Moon", "partial     ", ""},
    {EclipseKind::TotalPenumbralLunar, "\t Penumbral eclipse of the Moon", true, " Pen.Moon",
     "\t\tPenumbral Eclipse of the Moon", "tot.penumb  ", ""},
    {EclipseKind::PenumbralLunar, "\t Penumbral eclipse of the Moon", true, " Pen.Moon",
     "\t\tPenumbral Eclipse of the Moon", "penumbral   ", ""},
    {EclipseKind::PartialSolar, "\t Partial eclipse of the Sun", true, " Par.Sun", "\t\tPartial Eclipse of the Sun",
     "partial     ", ""},
    {EclipseKind::NonCentralAnnularSolar, "\t Annular eclipse of the Sun", false, " Ann.Sun",
     "\t\tNon-Central Annular Eclipse of the Sun", "n-centr.Ann ", ""},
    {EclipseKind::NonCentralTotalSolar, "\t Total eclipse of the Sun", false, " Tot.Sun",
     "\t\tNon-Central Total Eclipse of the Sun", "n-centr.Tot ", ""},
    {EclipseKind::AnnularSolar, "\t Annular eclipse of the Sun", false, " Ann.Sun", "\t\tAnnular Eclipse of the Sun",
     "annularity  ", "  Annular"},
    {EclipseKind::TotalSolar, "\t Total eclipse of the Sun", false, " Tot.Sun", "\t\tTotal Eclipse of the Sun",
     "totality    ", "  Total"},
    {EclipseKind::HybridSolar, "\t Annular/Total Solar Eclipse", false, " Ann/Tot.", "\t\tAnnular/Total Solar Eclipse",
     "", "  Annular/Total"},
};

}  // namespace

const EclipseKindTexts* eclipseKindTexts(EclipseKind kind)
{
    for (const EclipseKindTexts& entry : kKindTexts)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

}  // namespace qv
