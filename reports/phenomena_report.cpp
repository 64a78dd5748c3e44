#include "reports/phenomena_report.h"

#include <cmath>
#include <cstdio>

#include "base/julian.h"
#include "base/number_text.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

constexpr int kLineSize = 128;
// The years over which the planetary series were checked (astro/planets.h).
constexpr int kTheoryFirstYear = 1800;
constexpr int kTheoryLastYear = 2200;
constexpr const char* kMonthNames[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                       "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

// The CSV value: degrees to 0.01, the Moon's distance in km, the Earth's in AU.
std::string csvValue(const Phenomenon& p)
{
    if (!p.hasValue)
        return "";
    switch (p.kind) {
    case PhenomenonKind::Perigee:
    case PhenomenonKind::Apogee:
        return numberText("%.0f", p.value);
    case PhenomenonKind::Perihelion:
    case PhenomenonKind::Aphelion:
        return numberText("%.6f", p.value);
    default:
        return numberText("%.2f", p.value);
    }
}

}  // namespace

std::vector<Phenomenon> phenomenaOfYear(const SettingsRecord& settings)
{
    const int year = settings.time.year;
    const TimeZone& zone = settings.time.zone;
    const Instant start{yearWindowStartUT(year, zone), deltaTSecondsOfYear(settings.time)};
    return phenomenaBetween(start, yearWindowEndUT(year, zone));
}

std::string phenomenaCsv(const std::vector<Phenomenon>& phenomena)
{
    std::string text = "ut,event,body,other,value\n";
    for (const Phenomenon& p : phenomena)
        text += isoSecondUT(p.instant.mjdUT) + "," + phenomenonName(p.kind) + "," + p.body + "," + p.other + "," +
                csvValue(p) + "\n";
    return text;
}

std::string phenomenonText(const Phenomenon& p)
{
    const char* body = p.body.c_str();
    switch (p.kind) {
    case PhenomenonKind::Conjunction:
        return numberText("%s in conjunction with the Sun", body);
    case PhenomenonKind::Opposition:
        return numberText("%s at opposition", body);
    case PhenomenonKind::InferiorConjunction:
        return numberText("%s at inferior conjunction", body);
    case PhenomenonKind::SuperiorConjunction:
        return numberText("%s at superior conjunction", body);
    case PhenomenonKind::GreatestElongationEast:
        return numberText("%s at greatest elongation east (%.1f deg)", body, p.value);
    case PhenomenonKind::GreatestElongationWest:
        return numberText("%s at greatest elongation west (%.1f deg)", body, p.value);
    case PhenomenonKind::Station:
        return p.body + " stationary, turning " + p.other;
    case PhenomenonKind::Perigee:
        return numberText("Moon at perigee (%.0f km)", p.value);
    case PhenomenonKind::Apogee:
        return numberText("Moon at apogee (%.0f km)", p.value);
    case PhenomenonKind::Perihelion:
        return numberText("Earth at perihelion (%.6f AU)", p.value);
    case PhenomenonKind::Aphelion:
        return numberText("Earth at aphelion (%.6f AU)", p.value);
    case PhenomenonKind::MoonConjunction:
        return numberText("Moon passes %.1f deg %s of %s", std::fabs(p.value), p.value >= 0.0 ? "north" : "south",
                         p.other.c_str());
    case PhenomenonKind::PlanetConjunction:
        return numberText("%s passes %.1f deg from %s", body, p.value, p.other.c_str());
    }
    return "";
}

void appendPhenomenaPage(int year, const TimeZone& zone, const std::vector<Phenomenon>& phenomena, PageBuffer& page)
{
    appendYearPageHead(page, zone, "          Planets for %4i", year, "          =================");
    appendLine(page, year >= kTheoryFirstYear && year <= kTheoryLastYear
                         ? "Planetary places within 2\" of PyEphem over 1800-2200."
                         : "Planetary places within 2\" over 1800-2200 only: this year's are less exact.");
    int month = 0;
    for (const Phenomenon& p : phenomena) {
        const double local = localMjd(p.instant.mjdUT, zone);
        char dateTime[kDateTimeLength + 1] = {};
        formatDateTime(local, dateTime);
        const int eventMonth = civilDate(printedMinute(local)).month;
        if (eventMonth != month) {
            month = eventMonth;
            appendBlankLines(page, 1);
            appendFixedPitchLine(page, std::string("  ") + kMonthNames[month - 1]);
        }
        appendFixedPitchLine(page, "  " + std::string(dateTime, kDateTimeShown) + "  " + phenomenonText(p));
    }
}

}  // namespace qv
