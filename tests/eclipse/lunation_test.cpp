// The lunation finder: phase times against PyEphem, the eclipses of whole years found the way the
// year driver steps through them, and the collector's rules for duplicates, caps and the window.
#include "eclipse/lunation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/julian.h"
#include "base/time_zone.h"
#include "eclipse/greatest_eclipse.h"
#include "reports/year_tables.h"
#include "test_environment.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;  // days

// The year's phase lists and eclipse table as the year driver builds them with the collector,
// for the year's default TT - UT.
struct YearScan : qv::YearLunations {
    qv::TimeZone zone;
};

YearScan scanYear(int year, double zoneHours = 0.0) {
    qv::SettingsRecord settings;
    settings.time.year = year;
    settings.time.zone.offsetHours = zoneHours;
    YearScan scan;
    static_cast<qv::YearLunations&>(scan) = qv::computeYearLunations(settings);
    scan.zone = qv::TimeZone{zoneHours};
    return scan;
}

struct FoundEclipse {
    double mjdLocal;
    qv::EclipseKind kind;
    double magnitude;
};

// The stored eclipse whose local date is the given one; kind None when there is none.
FoundEclipse eclipseOn(const YearScan& scan, int day, int month, int year) {
    const double dayStart = qv::modifiedJulianDate(day, month, year, 0.0);
    for (const qv::EclipseEvent& eclipse : scan.eclipses) {
        const double t = qv::localMjd(eclipse.greatest.mjdUT, scan.zone);
        if (t >= dayStart && t < dayStart + 1.0)
            return {t, eclipse.kind, eclipse.magnitude};
    }
    return {0.0, qv::EclipseKind::None, 0.0};
}

TEST(LunarPhase, TimesAgreeWithPyEphem) {
    // tests/eclipse/data/ephem_lunar_phases.txt: 1800 phases over 1800-2200 (see its README).
    const std::string path = qv::test::sourcePath("tests/eclipse/data/ephem_lunar_phases.txt");
    std::FILE* file = std::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr) << path;
    char line[128];
    int compared = 0;
    double largestErrorDays = 0.0;
    while (std::fgets(line, sizeof line, file)) {
        double decimalYear = 0.0;
        double phase = 0.0;
        double mjdTT = 0.0;
        if (line[0] == '#' || std::sscanf(line, "%lf %lf %lf", &decimalYear, &phase, &mjdTT) != 3) continue;
        qv::SyzygyEclipse eclipse;
        const double found = qv::lunarPhase(decimalYear, phase, qv::DeltaTRule{false, 60.0}, eclipse);
        largestErrorDays = std::fmax(largestErrorDays, std::fabs(found - mjdTT));
        ++compared;
    }
    std::fclose(file);
    EXPECT_EQ(compared, 1800);
    // Measured: at most 2.5 minutes.
    EXPECT_LT(largestErrorDays, 3.0 * kMinute);
}

TEST(LunarPhase, QuartersNeverBringEclipsesAndTheKindIsAlwaysWritten) {
    // 2024.28 lies in the lunation of the total solar eclipse of 8 April 2024.
    const qv::SyzygyEclipse unset{qv::EclipseKind::HybridSolar, -1.0, -1.0};
    qv::SyzygyEclipse eclipse = unset;
    qv::lunarPhase(2024.28, 0.0, qv::DeltaTRule{false, 69.0}, eclipse);
    EXPECT_EQ(eclipse.kind, qv::EclipseKind::TotalSolar);
    for (double quarter : {0.25, 0.75}) {
        eclipse = unset;
        qv::lunarPhase(2024.28, quarter, qv::DeltaTRule{false, 69.0}, eclipse);
        EXPECT_EQ(eclipse.kind, qv::EclipseKind::None);
        EXPECT_EQ(eclipse.greatestTT, -1.0);
        EXPECT_EQ(eclipse.magnitude, -1.0);
    }
    // A Full Moon far from the nodes.
    eclipse = unset;
    qv::lunarPhase(2024.10, 0.5, qv::DeltaTRule{false, 69.0}, eclipse);
    EXPECT_EQ(eclipse.kind, qv::EclipseKind::None);
}

TEST(YearScan, WellKnownEclipsesByDateAndKind) {
    struct Case {
        int day, month, year;
        qv::EclipseKind kind;
    };
    constexpr Case kCases[] = {
        {11, 8, 1999, qv::EclipseKind::TotalSolar},       {21, 8, 2017, qv::EclipseKind::TotalSolar},
        {8, 4, 2024, qv::EclipseKind::TotalSolar},        {14, 10, 2023, qv::EclipseKind::AnnularSolar},
        {20, 4, 2023, qv::EclipseKind::HybridSolar},      {8, 11, 2022, qv::EclipseKind::TotalLunar},
        {14, 3, 2025, qv::EclipseKind::TotalLunar},       {25, 3, 2024, qv::EclipseKind::PenumbralLunar},
        {18, 9, 2024, qv::EclipseKind::PartialLunar},     {25, 10, 2022, qv::EclipseKind::PartialSolar},
        {29, 4, 2014, qv::EclipseKind::NonCentralAnnularSolar},  // decided by the shadow engine
        {3, 11, 2013, qv::EclipseKind::HybridSolar},
        {31, 1, 1999, qv::EclipseKind::TotalPenumbralLunar},     // penumbral magnitude just above 1
        {14, 3, 2006, qv::EclipseKind::TotalPenumbralLunar},
    };
    for (const Case& c : kCases) {
        const YearScan scan = scanYear(c.year);
        EXPECT_EQ(eclipseOn(scan, c.day, c.month, c.year).kind, c.kind) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(YearScan, NumberOfEclipsesInWholeYears) {
    struct Case {
        int year;
        int solar;
        int lunar;
    };
    constexpr Case kCases[] = {{2024, 2, 2}, {2022, 2, 2}, {2020, 2, 4}, {2011, 4, 2}, {2029, 4, 2}, {2000, 4, 2}};
    for (const Case& c : kCases) {
        const YearScan scan = scanYear(c.year);
        int solar = 0;
        int lunar = 0;
        for (std::size_t i = 0; i < scan.eclipses.size(); ++i) {
            (qv::isSolar(scan.eclipses[i].kind) ? solar : lunar) += 1;
            if (i > 0) {
                EXPECT_GT(scan.eclipses[i].greatest.mjdUT, scan.eclipses[i - 1].greatest.mjdUT);
            }
        }
        EXPECT_EQ(solar, c.solar) << c.year;
        EXPECT_EQ(lunar, c.lunar) << c.year;
    }
}

TEST(YearScan, MagnitudesAndTimesOfGreatestEclipse) {
    const YearScan scan2024 = scanYear(2024);
    const FoundEclipse april = eclipseOn(scan2024, 8, 4, 2024);
    EXPECT_EQ(april.magnitude, 1.0);
    // Published greatest eclipse 18:17 UT; measured 18:20.
    EXPECT_NEAR(april.mjdLocal, qv::modifiedJulianDate(8, 4, 2024, 18.0 + 17.0 / 60.0), 4.0 * kMinute);
    // Penumbral magnitude 0.956 and umbral magnitude 0.085 as published.
    EXPECT_NEAR(eclipseOn(scan2024, 25, 3, 2024).magnitude, 0.956, 0.01);
    EXPECT_NEAR(eclipseOn(scan2024, 18, 9, 2024).magnitude, 0.085, 0.01);

    // Published greatest eclipse 18:25 UT; measured 18:26.
    const FoundEclipse august = eclipseOn(scanYear(2017), 21, 8, 2017);
    EXPECT_NEAR(august.mjdLocal, qv::modifiedJulianDate(21, 8, 2017, 18.0 + 25.0 / 60.0), 4.0 * kMinute);

    // Umbral magnitude 1.359 as published.
    EXPECT_NEAR(eclipseOn(scanYear(2022), 8, 11, 2022).magnitude, 1.359, 0.01);
}

TEST(YearScan, GrazingPartialEclipsesAsTheShadowEngineSeesThem) {
    // The largest magnitude anywhere on the Earth from PyEphem's Sun and Moon
    // (tools/ephem_grazing_eclipses.py). The series' formula gives 24 December 1916 0.005 and
    // 5 January 1935 none; the engine finds 0.0114 and 0.0013. The umbra of the other three
    // passes just beyond the Earth (the formula gave them 1.003, 1.002 and 1.013).
    struct Case {
        int day, month, year;
        double ephemMagnitude, tolerance;
    };
    constexpr Case kCases[] = {
        {24, 12, 1916, 0.0121, 0.0015}, {5, 1, 1935, 0.0019, 0.0015},
        {11, 2, 343, 0.9919, 0.007},    {4, 3, 900, 0.9942, 0.007},   {6, 12, 3631, 0.9985, 0.007},
    };
    for (const Case& c : kCases) {
        const FoundEclipse grazing = eclipseOn(scanYear(c.year), c.day, c.month, c.year);
        EXPECT_EQ(grazing.kind, qv::EclipseKind::PartialSolar) << c.year;
        EXPECT_NEAR(grazing.magnitude, c.ephemMagnitude, c.tolerance) << c.year;
        EXPECT_LT(grazing.magnitude, 1.0) << c.year;
    }
    // 14 July 1787: the discs stay 0.0004 of the Sun's diameter apart (the formula gives 0.003).
    const YearScan scan1787 = scanYear(1787);
    EXPECT_EQ(eclipseOn(scan1787, 14, 7, 1787).kind, qv::EclipseKind::None);
    EXPECT_EQ(eclipseOn(scan1787, 15, 7, 1787).kind, qv::EclipseKind::None);
}

TEST(YearScan, PhaseListsHoldEachPhaseOnceInOrder) {
    const YearScan scan = scanYear(2024);
    for (int p = 0; p < qv::kPhaseKinds; ++p) {
        const std::vector<double>& list = scan.phases.times[p];
        EXPECT_GE(list.size(), 12u);
        EXPECT_LE(list.size(), 13u);
        for (std::size_t i = 1; i < list.size(); ++i) {
            EXPECT_GT(list[i] - list[i - 1], 29.0);
            EXPECT_LT(list[i] - list[i - 1], 30.0);
        }
    }
    // The first New Moon of 2024 was on 11 January at 11:57 UT.
    EXPECT_NEAR(scan.phases.times[qv::kNewMoon][0], qv::modifiedJulianDate(11, 1, 2024, 11.95), 3.0 * kMinute);
}

TEST(YearScan, TimesAreInTheZonesLocalTime) {
    const YearScan utc = scanYear(2024);
    const YearScan east = scanYear(2024, 5.5);
    EXPECT_NEAR(qv::localMjd(east.phases.times[qv::kNewMoon][0], east.zone) -
                    qv::localMjd(utc.phases.times[qv::kNewMoon][0], utc.zone),
                5.5 / 24.0, 1e-9);
    ASSERT_EQ(east.eclipses.size(), utc.eclipses.size());
    EXPECT_NEAR(qv::localMjd(east.eclipses[1].greatest.mjdUT, east.zone) - qv::localMjd(utc.eclipses[1].greatest.mjdUT, utc.zone),
                5.5 / 24.0, 1e-9);
}

// One call of the collector for the New Moon of April 2024 (total solar eclipse).
struct April2024 {
    static constexpr double kDecimalYear = 2024.28;
    static constexpr double kDeltaTSeconds = 69.0;
    static constexpr qv::DeltaTRule kRule{false, kDeltaTSeconds};

    // The instants of the phase, of the finder's greatest eclipse and of the greatest eclipse.
    double phaseUT = 0.0;
    double eclipseUT = 0.0;
    double greatestUT = 0.0;
    April2024() {
        qv::SyzygyEclipse eclipse;
        phaseUT = qv::lunarPhase(kDecimalYear, 0.0, kRule, eclipse) - kDeltaTSeconds / 86400.0;
        eclipseUT = eclipse.greatestTT - kDeltaTSeconds / 86400.0;
        greatestUT = qv::greatestEclipse(qv::lunationEclipse(qv::lunationAt(kDecimalYear), 0.0, kRule)).instant.mjdUT;
    }

    void collect(double windowStart, double windowEnd, std::vector<double>& phases,
                 std::vector<qv::EclipseEvent>& eclipses) const {
        qv::collectLunation(windowStart, windowEnd, qv::lunationAt(kDecimalYear), 0.0, kRule, phases, eclipses);
    }
};

TEST(CollectLunation, SameLunationAndSameEclipseAreKeptOnce) {
    const April2024 april;
    std::vector<qv::EclipseEvent> eclipses;
    std::vector<double> phases;
    for (int call = 0; call < 3; ++call)
        april.collect(60000.0, 61000.0, phases, eclipses);
    ASSERT_EQ(phases.size(), 1u);
    EXPECT_EQ(phases[0], april.phaseUT);
    ASSERT_EQ(eclipses.size(), 1u);
    EXPECT_EQ(eclipses[0].greatest.mjdUT, april.eclipseUT);
    EXPECT_EQ(eclipses[0].greatest.deltaTSeconds, April2024::kDeltaTSeconds);
    EXPECT_EQ(eclipses[0].kind, qv::EclipseKind::TotalSolar);
    EXPECT_EQ(eclipses[0].magnitude, 1.0);

    // An eclipse stored 0.009 day away counts as the same one; 0.011 day away does not.
    std::vector<qv::EclipseEvent> near{{qv::EclipseKind::TotalSolar, {april.eclipseUT + 0.009, 69.0}, 1.0}};
    april.collect(60000.0, 61000.0, phases, near);
    EXPECT_EQ(near.size(), 1u);
    near[0].greatest.mjdUT = april.eclipseUT + 0.011;
    april.collect(60000.0, 61000.0, phases, near);
    EXPECT_EQ(near.size(), 2u);
}

TEST(CollectLunation, PhaseAfterTheLastOneIsAppendedOnlyWhenLaterByMoreThanATenthOfADay) {
    const April2024 april;
    std::vector<qv::EclipseEvent> eclipses;
    std::vector<double> phases{april.phaseUT - 0.09};
    april.collect(60000.0, 61000.0, phases, eclipses);
    EXPECT_EQ(phases.size(), 1u);
    phases = {april.phaseUT - 0.11};
    april.collect(60000.0, 61000.0, phases, eclipses);
    ASSERT_EQ(phases.size(), 2u);
    EXPECT_EQ(phases[1], april.phaseUT);
}

TEST(CollectLunation, WindowLimitsAreInclusive) {
    const April2024 april;
    ASSERT_NE(april.phaseUT, april.greatestUT);
    ASSERT_NE(april.eclipseUT, april.greatestUT);
    // A window holding exactly the phase time, then one holding exactly the greatest eclipse,
    // which decides the eclipse's window although the finder's time lies outside.
    std::vector<double> phases;
    std::vector<qv::EclipseEvent> eclipses;
    april.collect(april.phaseUT, april.phaseUT, phases, eclipses);
    EXPECT_EQ(phases.size(), 1u);
    EXPECT_EQ(eclipses.size(), 0u);
    phases.clear();
    april.collect(april.greatestUT, april.greatestUT, phases, eclipses);
    EXPECT_EQ(phases.size(), 0u);
    EXPECT_EQ(eclipses.size(), 1u);
    // Windows ending just before or starting just after either time leave it out.
    constexpr double kFar = 1e6;
    for (double t : {april.phaseUT, april.greatestUT}) {
        for (const auto& [start, end] : {std::pair(std::nextafter(t, kFar), kFar), std::pair(-kFar, std::nextafter(t, -kFar))}) {
            phases.clear();
            std::vector<qv::EclipseEvent> outside;
            april.collect(start, end, phases, outside);
            if (t == april.phaseUT) {
                EXPECT_EQ(phases.size(), 0u);
            } else {
                EXPECT_EQ(outside.size(), 0u);
            }
        }
    }
}

TEST(CollectLunation, ListsStopAtFifteenPhasesAndTwelveEclipses) {
    // Four years of New and Full Moons into one window: far more than either list holds.
    std::vector<qv::EclipseEvent> eclipses;
    std::vector<double> phases;
    for (long lunation = qv::lunationAt(2020.0); lunation < qv::lunationAt(2024.0); ++lunation) {
        for (double phase : {0.0, 0.5})
            qv::collectLunation(40000.0, 70000.0, lunation, phase, April2024::kRule, phases, eclipses);
    }
    EXPECT_EQ(phases.size(), static_cast<std::size_t>(qv::kMaxPhasesPerList));
    ASSERT_EQ(eclipses.size(), static_cast<std::size_t>(qv::kMaxEclipses));
    for (int i = 1; i < qv::kMaxEclipses; ++i) EXPECT_GT(eclipses[i].greatest.mjdUT, eclipses[i - 1].greatest.mjdUT);

    // A table already full takes nothing.
    const April2024 april;
    std::vector<double> none;
    std::vector<qv::EclipseEvent> full = eclipses;
    april.collect(60000.0, 61000.0, none, full);
    EXPECT_EQ(full.size(), static_cast<std::size_t>(qv::kMaxEclipses));
}

}  // namespace
