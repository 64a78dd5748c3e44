// Every command over the whole accepted range of years, both ends and every 100th year between:
// what must hold in any year, however far from the present.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "cli_args.h"
#include "config/input_limits.h"

namespace qv {
namespace {

constexpr int kYearStep = 100;
constexpr int kTotalsYearStep = 1000;
// Days between successive equinoxes and solstices: 88.5 to 94 today; the Earth's perihelion
// moves round the year over the range, so a little more room on either side.
constexpr double kSeasonMinDays = 85.0;
constexpr double kSeasonMaxDays = 97.0;
constexpr double kDaysPerYear = 365.25;
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr std::string_view kMonthNames = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";

// 0 for "JAN" to 11 for "DEC".
int monthIndex(const std::string& name)
{
    return static_cast<int>(kMonthNames.find(name) / 3);
}

// A date and time of a table: "MMM DD HH:MM" at a column of a line.
struct TableTime {
    double dayOfYear;  // days from the 1st of January, with the time of day
    std::size_t column;
};

std::vector<int> sweptYears()
{
    std::vector<int> years = {kYearMin};
    for (int year = kYearMin / kYearStep * kYearStep; year < kYearMax; year += kYearStep)
        years.push_back(year);
    years.push_back(kYearMax);
    return years;
}

std::vector<TableTime> tableTimes(const std::string& line)
{
    static const std::regex time(R"(([A-Z]{3}) +(\d{1,2}) +(\d{1,2}):(\d{2}))");
    std::vector<TableTime> times;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), time);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        const int month = monthIndex(m[1].str());
        const double day = std::stoi(m[2]) - 1 + (std::stoi(m[3]) + std::stoi(m[4]) / 60.0) / 24.0;
        times.push_back({kDaysBeforeMonth[month] + day, static_cast<std::size_t>(m.position(0))});
    }
    return times;
}

std::vector<std::string> linesBetween(const std::string& text,
                                      const std::string& first,
                                      const std::string& last)
{
    std::vector<std::string> lines;
    const std::size_t begin = text.find(first);
    const std::size_t end = text.find(last, begin);
    std::size_t start = begin == std::string::npos ? text.size() : text.find('\n', begin) + 1;
    while (start < std::min(end, text.size())) {
        const std::size_t stop = text.find('\n', start);
        lines.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return lines;
}

// Whether the text holds "nan" or "inf" as a word of its own, in any case.
bool hasNonFiniteWord(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto isLetter = [&text](std::size_t i) {
        return i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]));
    };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i)
        if ((text.compare(i, 3, "nan") == 0 || text.compare(i, 3, "inf") == 0) &&
            (i == 0 || !isLetter(i - 1)) && !isLetter(i + 3))
            return true;
    return false;
}

// Every H:MM of the text is a clock time; a table's 24:00 at a day's end counts as one.
// (A hand-made scan: the standard regex would take most of the sweep's time.)
void expectClockTimesAndFiniteNumbers(const std::string& text, const std::string& what)
{
    for (std::size_t colon = text.find(':'); colon != std::string::npos;
         colon = text.find(':', colon + 1)) {
        std::size_t first = colon;
        while (first > 0 && std::isdigit(static_cast<unsigned char>(text[first - 1])))
            --first;
        std::size_t last = colon + 1;
        while (last < text.size() && std::isdigit(static_cast<unsigned char>(text[last])))
            ++last;
        // No clock time without digits on both sides; seconds after a second colon are no hours.
        if (first == colon || last == colon + 1 || (first > 0 && text[first - 1] == ':'))
            continue;
        const int hour = std::stoi(text.substr(first, colon - first));
        const int minute = std::stoi(text.substr(colon + 1, last - colon - 1));
        EXPECT_TRUE((hour <= 23 && minute <= 59) || (hour == 24 && minute == 0))
            << what << ": " << text.substr(first, last - first);
    }
    EXPECT_FALSE(hasNonFiniteWord(text)) << what;
}

// The phases of the Moon: 12 or 13 of each phase, all in date order.
void expectPhases(const std::string& page, const std::string& what)
{
    int perPhase[4] = {};
    double previous = -1.0;
    for (const std::string& line : linesBetween(page, "New Moon", "The Sun for")) {
        for (const TableTime& time : tableTimes(line)) {
            // The four columns start at 0, 15, 31 and 47.
            ++perPhase[time.column < 15 ? 0 : time.column < 31 ? 1 : time.column < 47 ? 2 : 3];
            EXPECT_GT(time.dayOfYear, previous) << what << ": " << line;
            previous = time.dayOfYear;
        }
    }
    for (int phase = 0; phase < 4; ++phase)
        EXPECT_TRUE(perPhase[phase] == 12 || perPhase[phase] == 13)
            << what << " phase " << phase << ": " << perPhase[phase];
}

// Equinox, solstice, equinox, solstice, each about a quarter year after the one before; in the
// Julian calendar of the far past they fall in other months than today.
void expectSeasons(const std::string& page, const std::string& what)
{
    const std::vector<std::string> lines = linesBetween(page, "The Sun for", "ECLIPSES for");
    std::vector<TableTime> equinoxes;
    std::vector<TableTime> solstices;
    for (const std::string& line : lines) {
        if (line.find("Equinoxes") != std::string::npos)
            equinoxes = tableTimes(line);
        if (line.find("Solstices") != std::string::npos)
            solstices = tableTimes(line);
    }
    ASSERT_EQ(equinoxes.size(), 2u) << what;
    ASSERT_EQ(solstices.size(), 2u) << what;
    const double seasons[] = {equinoxes[0].dayOfYear, solstices[0].dayOfYear,
                              equinoxes[1].dayOfYear, solstices[1].dayOfYear};
    for (int i = 0; i < 4; ++i) {
        const double days =
            std::fmod(seasons[(i + 1) % 4] - seasons[i] + kDaysPerYear, kDaysPerYear);
        EXPECT_TRUE(days > kSeasonMinDays && days < kSeasonMaxDays)
            << what << " season " << i << ": " << days;
    }
}

// Runs one command; returns its page, or empty when it failed (the failure already reported).
std::string run(std::vector<std::string> words)
{
    std::string what;
    for (const std::string& word : words)
        what += word + " ";
    const CliResult result = runInProcess(std::move(words));
    EXPECT_EQ(result.status, kCliExitOk) << what << result.err;
    EXPECT_EQ(result.err, "") << what;
    expectClockTimesAndFiniteNumbers(result.out, what);
    return result.out;
}

std::string dateText(int year, const char* monthDay)
{
    return std::to_string(year) + "-" + monthDay;
}

TEST(YearRangeSweep, EveryCommandGivesCompleteTablesInEveryYear)
{
    // " 2 : APR  8 Tot.Sun"; hybrid solar eclipses show as "Ann/Tot.".
    static const std::regex listEntry(R"(\n *(\d+) : ([A-Z]{3}) +(\d+) (\S+))");
    for (int year : sweptYears()) {
        const std::string y = std::to_string(year);
        const std::string phases = run({"phases", "--year", y});
        expectPhases(phases, "phases " + y);
        expectSeasons(phases, "phases " + y);

        const std::string list = run({"eclipses", "--year", y});
        int eclipses = 0;
        std::string firstSolarDate;
        std::string firstSolarNumber;
        for (auto it = std::sregex_iterator(list.begin(), list.end(), listEntry);
             it != std::sregex_iterator(); ++it) {
            const std::smatch& m = *it;
            ++eclipses;
            run({"eclipse", "--year", y, "--eclipse", m[1].str()});
            if (m[4].str().find("Moon") == std::string::npos && firstSolarNumber.empty()) {
                firstSolarNumber = m[1].str();
                char monthDay[16];
                std::snprintf(monthDay, sizeof monthDay, "%02d-%02d", monthIndex(m[2].str()) + 1,
                              std::stoi(m[3]));
                firstSolarDate = dateText(year, monthDay);
            }
        }
        // At least two solar and two lunar eclipses; far from the present one full Moon of a
        // season may pass just outside the penumbra (-7800 has three eclipses).
        EXPECT_GE(eclipses, year >= 0 && year <= 4000 ? 4 : 3) << y;
        ASSERT_FALSE(firstSolarNumber.empty()) << y;
        run({"map", "--year", y, "--eclipse", firstSolarNumber, "--points"});
        run({"special", "--date", firstSolarDate, "--time", "12:00:00", "--points"});

        for (const char* command : {"start", "calendar", "holidays", "save"})
            run({command, "--year", y});
        run({"day", "--date", dateText(year, "03-01")});
        run({"sky", "--date", dateText(year, "03-01"), "--time", "12:00:00", "--lat", "48"});
        // The totals step through the whole year and take longest: every 1000th year only.
        if (year % kTotalsYearStep == 0 || year == kYearMin || year == kYearMax) {
            run({"totals", "--year", y, "--lat", "48"});
            run({"panel", "--year", y, "--lat", "48"});
        }
        run({"ephemeris", "--date", dateText(year, "01-01"), "--count", "3", "--every", "120"});

        // The calendar export may keep to fewer years; it refuses the others cleanly.
        const CliResult ics = runInProcess({"ics", "--year", y});
        if (ics.status == kCliExitOk)
            expectClockTimesAndFiniteNumbers(ics.out, "ics " + y);
        else
            EXPECT_TRUE(ics.status == kCliExitUsage && ics.out.empty() && !ics.err.empty()) << y;
    }
}

}  // namespace
}  // namespace qv
