#include "calendars/holidays.h"

#include "base/julian.h"
#include "calendars/chinese.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"

namespace qv {

namespace {

constexpr int kFirstGregorianEasterYear = 1583;
constexpr int kRamadan = 9;
constexpr int kMonthsBeforeRamadan = 8;
constexpr int kAshWednesdayDaysBeforeEaster = 46;
constexpr int kYomKippurDaysAfterNewYear = 9;

int mathematicalRemainder(int value, int divisor)
{
    const int r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Julian-calendar Easter. The cycle remainders are taken non-negative, so that years before
// year 0 repeat the 532-year cycle instead of giving dates outside March 22 to April 25.
DayMonthYear julianEaster(int year)
{
    const int a = mathematicalRemainder(year, 4);
    const int b = mathematicalRemainder(year, 7);
    const int n = mathematicalRemainder(year, 19);
    const int d = (19 * n + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    return {(d + e + 114) % 31 + 1, (d + e + 114) / 31, year};
}

DayMonthYear gregorianEaster(int year)
{
    const int h = year / 100;
    const int g = year % 19;
    const int k = (h - 17) / 25;
    int i = (h - h / 4 - (h - k) / 3 + 19 * g + 15) % 30;
    i = i - (i / 28) * (1 - (i / 28) * (29 / (i + 1)) * ((21 - g) / 11));
    const int j = year + year / 4 + h / 4 + i + 2 - h;
    const int l = i - j % 7;
    const int month = 3 + (l + 40) / 44;
    return {l + 28 - 31 * (month / 4), month, year};
}

int civilYearOf(double mjd) { return civilDate(mjd).year; }

int civilMonthOf(double mjd) { return civilDate(mjd).month; }

}  // namespace

DayMonthYear easterSunday(int year)
{
    return year < kFirstGregorianEasterYear ? julianEaster(year) : gregorianEaster(year);
}

IslamicHolidays islamicHolidays(int year)
{
    IslamicHolidays result{};
    const double januaryFirst = modifiedJulianDate(1, 1, year, 0.0);
    const DayMonthYear jan1 = islamicDate(januaryFirst);

    const int firstNewYear = (jan1.day == 1 && jan1.month == 1) ? jan1.year : jan1.year + 1;
    result.newYearMjd[0] = islamicToMjd(1, 1, firstNewYear);
    result.islamicYear[0] = firstNewYear;
    result.newYearCount = 1;
    if (civilMonthOf(result.newYearMjd[0]) == 1) {
        const double next = islamicToMjd(1, 1, firstNewYear + 1);
        if (civilYearOf(next) == year) {
            result.newYearMjd[1] = next;
            result.islamicYear[1] = firstNewYear + 1;
            result.newYearCount = 2;
        }
    }

    // A 1 January that is itself 1 Ramadan counts as this year's first day of Ramadan.
    const bool ramadanAhead = jan1.month <= kMonthsBeforeRamadan ||
                              (jan1.month == kRamadan && jan1.day == 1);
    int ramadanYear = ramadanAhead ? jan1.year : jan1.year + 1;
    double ramadan = islamicToMjd(1, kRamadan, ramadanYear);
    if (civilYearOf(ramadan) > year)
        ramadan = islamicToMjd(1, kRamadan, --ramadanYear);
    if (civilYearOf(ramadan) < year)
        ramadan = islamicToMjd(1, kRamadan, ++ramadanYear);
    result.ramadanMjd[0] = ramadan;
    result.ramadanYear[0] = ramadanYear;
    result.ramadanCount = 1;
    if (civilMonthOf(ramadan) == 1) {
        const double next = islamicToMjd(1, kRamadan, ramadanYear + 1);
        if (civilYearOf(next) == year) {
            result.ramadanMjd[1] = next;
            result.ramadanYear[1] = ramadanYear + 1;
            result.ramadanCount = 2;
        }
    }
    return result;
}

namespace {

void addEasterHolidays(int year, std::vector<HolidayDate>& holidays)
{
    const DayMonthYear easter = easterSunday(year);
    const double easterMjd = modifiedJulianDate(easter.day, easter.month, year, 0.0);
    holidays.push_back({kAshWednesday, easterMjd - kAshWednesdayDaysBeforeEaster, year});
    holidays.push_back({kEaster, easterMjd, year});
}

void addJewishHolidays(int year, std::vector<HolidayDate>& holidays)
{
    if (year < kHebrewFirstCivilYear)
        return;
    int endingHebrewYear = 0;
    const double newYear = hebrewNewYear(year, endingHebrewYear);
    holidays.push_back({kJewishNewYear, newYear, endingHebrewYear + 1});
    holidays.push_back({kYomKippur, newYear + kYomKippurDaysAfterNewYear, endingHebrewYear + 1});
}

void addIslamicHolidays(int year, std::vector<HolidayDate>& holidays)
{
    if (year < kIslamicFirstCivilYear)
        return;
    const IslamicHolidays islamic = islamicHolidays(year);
    for (int i = 0; i < islamic.newYearCount; ++i)
        holidays.push_back({kIslamicNewYear, islamic.newYearMjd[i], islamic.islamicYear[i]});
    for (int i = 0; i < islamic.ramadanCount; ++i)
        holidays.push_back({kFirstDayOfRamadan, islamic.ramadanMjd[i], islamic.ramadanYear[i]});
}

void addIndianHolidays(int year, std::vector<HolidayDate>& holidays)
{
    if (year < kIndianFirstCivilYear)
        return;
    const int indianYear = indianDate(modifiedJulianDate(1, 1, year, 0.0)).year + 1;
    holidays.push_back({kIndianNewYear, indianToMjd(1, 1, indianYear), indianYear});
}

void addChineseHolidays(int year, const DeltaTRule& rule, std::vector<HolidayDate>& holidays)
{
    if (year < kChineseFirstYear)
        return;
    ChineseNewMoons moons;
    const int newYear = chineseNewYear(year, rule, moons);
    if (isChineseYear(moons))
        holidays.push_back({kChineseNewYear, static_cast<double>(newYear), year});
}

void addGroupHolidays(HolidayGroup group, int year, const DeltaTRule& rule, std::vector<HolidayDate>& holidays)
{
    switch (group) {
    case kEasterGroup:
        addEasterHolidays(year, holidays);
        break;
    case kJewishGroup:
        addJewishHolidays(year, holidays);
        break;
    case kIslamicGroup:
        addIslamicHolidays(year, holidays);
        break;
    case kIndianGroup:
        addIndianHolidays(year, holidays);
        break;
    case kChineseGroup:
        addChineseHolidays(year, rule, holidays);
        break;
    }
}

}  // namespace

std::vector<HolidayDate> groupHolidays(HolidayGroup group, int year, const DeltaTRule& rule)
{
    std::vector<HolidayDate> holidays;
    addGroupHolidays(group, year, rule, holidays);
    return holidays;
}

std::vector<HolidayDate> yearHolidays(int year, const DeltaTRule& rule)
{
    std::vector<HolidayDate> holidays;
    for (int group = 0; group < kHolidayGroups; ++group)
        addGroupHolidays(static_cast<HolidayGroup>(group), year, rule, holidays);
    return holidays;
}

}  // namespace qv
