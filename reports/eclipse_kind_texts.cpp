#include "reports/eclipse_kind_texts.h"

#include "eclipse/lunation.h"

namespace qv {

namespace {

constexpr EclipseKindTexts kKindTexts[] = {
    {kTotalLunar, "\t Total eclipse of the Moon", true, " Tot.Moon", "\t\tTotal eclipse of the Moon"},
    {kPartialLunar, "\t Partial eclipse of the Moon", true, " Par.Moon", "\t\tPartial eclipse of the Moon"},
    {kTotalPenumbralLunar, "\t Penumbral eclipse of the Moon", true, " Pen.Moon",
     "\t\tPenumbral Eclipse of the Moon"},
    {kPenumbralLunar, "\t Penumbral eclipse of the Moon", true, " Pen.Moon", "\t\tPenumbral Eclipse of the Moon"},
    {kPartialSolar, "\t Partial eclipse of the Sun", true, " Par.Sun", "\t\tPartial Eclipse of the Sun"},
    {kNonCentralAnnularSolar, "\t Annular eclipse of the Sun", false, " Ann.Sun",
     "\t\tNon-Central Annular Eclipse of the Sun"},
    {kNonCentralTotalSolar, "\t Total eclipse of the Sun", false, " Tot.Sun",
     "\t\tNon-Central Total Eclipse of the Sun"},
    {kAnnularSolar, "\t Annular eclipse of the Sun", false, " Ann.Sun", "\t\tAnnular Eclipse of the Sun"},
    {kTotalSolar, "\t Total eclipse of the Sun", false, " Tot.Sun", "\t\tTotal Eclipse of the Sun"},
    {kHybridSolar, "\t Annular/Total Solar Eclipse", false, " Ann/Tot.", "\t\tAnnular/Total Solar Eclipse"},
};

}  // namespace

const EclipseKindTexts* eclipseKindTexts(int kind)
{
    for (const EclipseKindTexts& entry : kKindTexts)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

}  // namespace qv
