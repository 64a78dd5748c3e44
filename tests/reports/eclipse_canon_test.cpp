// The canon of eclipses: its counts against the published canons, every eclipse season of the
// far years, each eclipse once at year boundaries and in UT years whatever the zone, and the
// magnitudes it prints.
#include "reports/eclipse_canon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/julian.h"
#include "cli/cli_args.h"

namespace {

struct Span {
    int fromYear, toYear;
};

std::vector<qv::CanonEntry> canonOf(Span span, const qv::DeltaTRule& rule = {})
{
    std::vector<qv::CanonEntry> entries;
    qv::forEachCanonEntry(span.fromYear, span.toYear, rule, [&](const qv::CanonEntry& e) { entries.push_back(e); },
                          [](int) {});
    return entries;
}

std::string canonText(const std::vector<qv::CanonEntry>& entries)
{
    std::string text;
    for (const qv::CanonEntry& entry : entries)
        text += qv::canonLine(entry, qv::CanonFormat::Text, text.empty());
    return text;
}

TEST(Canon, EveryEclipseOnceAndEveryEclipseSeasonWithASolarEclipse) {
    // Eclipse seasons come every 173 days; a season's solar eclipses lie within 32 days of each
    // other, so no solar eclipse follows another by more than 6 lunations.
    constexpr double kMostDaysBetweenSolarEclipses = 180.0;
    constexpr double kLeastDaysBetweenLikeEclipses = 29.0;
    constexpr int kLeastEclipsesPerYear = 4;
    for (const Span span : {Span{-9999, -9800}, Span{-4100, -3900}, Span{4900, 5100}, Span{9800, 9999}}) {
        SCOPED_TRACE(span.fromYear);
        const std::vector<qv::CanonEntry> entries = canonOf(span);
        double lastUT[2] = {};
        std::vector<int> perYear(static_cast<std::size_t>(span.toYear - span.fromYear + 1), 0);
        for (const qv::CanonEntry& entry : entries) {
            const double mjdUT = entry.greatest.instant.mjdUT;
            const bool solar = qv::isSolar(entry.eclipse.kind);
            const int year = qv::civilDate(mjdUT).year;
            ASSERT_GE(year, span.fromYear);
            ASSERT_LE(year, span.toYear);
            ++perYear[static_cast<std::size_t>(year - span.fromYear)];
            if (lastUT[solar] != 0.0) {
                EXPECT_GT(mjdUT - lastUT[solar], kLeastDaysBetweenLikeEclipses) << year;
                EXPECT_TRUE(!solar || mjdUT - lastUT[solar] < kMostDaysBetweenSolarEclipses) << year;
            }
            lastUT[solar] = mjdUT;
        }
        for (std::size_t i = 0; i < perYear.size(); ++i)
            EXPECT_GE(perYear[i], kLeastEclipsesPerYear) << span.fromYear + static_cast<int>(i);
    }
}

TEST(Canon, CountsOfTheFiveMillenniaAsPublished) {
    // The published canons of -1999..3000 list 11898 solar and 12064 lunar eclipses; measured
    // 11893 and 12066.
    constexpr double kPublishedSolar = 11898.0, kPublishedLunar = 12064.0, kTolerance = 0.001;
    int solar = 0, lunar = 0;
    for (const qv::CanonEntry& entry : canonOf({-1999, 3000}))
        ++(qv::isSolar(entry.eclipse.kind) ? solar : lunar);
    EXPECT_NEAR(solar, kPublishedSolar, kTolerance * kPublishedSolar);
    EXPECT_NEAR(lunar, kPublishedLunar, kTolerance * kPublishedLunar);
}

TEST(Canon, YearsJoinWithoutLosingOrRepeatingAnEclipse) {
    // Where TT - UT steps at New Year (by 72 s about -9395), where the series gives way to the
    // shadow engine (years 0 and 4000), and with TT - UT fixed.
    const struct {
        Span span;
        qv::DeltaTRule rule;
    } kCases[] = {
        {{-9397, -9393}, {}}, {{-2, 1}, {}}, {{3998, 4002}, {}}, {{2008, 2012}, {false, 66.0}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.span.fromYear);
        std::vector<qv::CanonEntry> joined;
        for (int year = c.span.fromYear; year <= c.span.toYear; ++year) {
            const std::vector<qv::CanonEntry> single = canonOf({year, year}, c.rule);
            joined.insert(joined.end(), single.begin(), single.end());
        }
        EXPECT_EQ(canonText(canonOf(c.span, c.rule)), canonText(joined));
    }
}

TEST(Canon, YearsOfUTWhateverTheZone) {
    // The total lunar eclipse of 31 December 2009 at 19:23 UT falls on 1 January 2010 in Tokyo.
    const qv::CliResult ut = qv::runInProcess({"canon", "--from", "2010", "--to", "2010"});
    const qv::CliResult tokyo = qv::runInProcess({"canon", "--from", "2010", "--to", "2010", "--tz", "Asia/Tokyo"});
    EXPECT_EQ(tokyo.status, 0);
    EXPECT_EQ(tokyo.out, ut.out);
    EXPECT_EQ(ut.out.find("2009-"), std::string::npos) << ut.out;
}

TEST(Canon, MagnitudesAsPublished) {
    // Central eclipses: the Moon's apparent diameter over the Sun's at greatest eclipse;
    // non-central ones: the part of the Sun's diameter covered where the axis passes nearest.
    // Measured differences up to 0.0012. A penumbral eclipse that misses the umbra by less than
    // half a thousandth prints an umbral magnitude of 0.000.
    const struct {
        const char* date;
        const char* kind;
        double magnitude;
    } kCases[] = {
        {"2017-08-21", "total solar", 1.0306},          {"2023-04-20", "hybrid solar", 1.0132},
        {"2023-10-14", "annular solar", 0.9520},        {"2024-04-08", "total solar", 1.0566},
        {"2014-04-29", "non-central annular solar", 0.9868}, {"2043-04-09", "non-central total solar", 1.0095},
        {"1080-06-05", "total penumbral lunar", 1.062},
    };
    constexpr std::size_t kKindColumn = 19, kMagnitudeColumn = 46, kMagnitudeWidth = 6;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.date);
        const int year = std::stoi(c.date);
        bool found = false;
        for (const qv::CanonEntry& entry : canonOf({year, year})) {
            const std::string line = qv::canonLine(entry, qv::CanonFormat::Text, true);
            if (line.compare(0, 10, c.date) != 0)
                continue;
            found = true;
            EXPECT_EQ(line.find(c.kind), kKindColumn) << line;
            EXPECT_NEAR(std::stod(line.substr(kMagnitudeColumn, kMagnitudeWidth)), c.magnitude, 0.0015);
            if (qv::isLunar(entry.eclipse.kind)) {
                EXPECT_LT(entry.eclipse.umbralMagnitude, 0.0);
                EXPECT_EQ(line.substr(line.size() - 8), "  0.000\n");
            }
        }
        EXPECT_TRUE(found);
    }
}

}  // namespace
