#include "base/time_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/julian.h"

namespace qv {
namespace {

constexpr double kMillisecond = 1e-3;

double mjdOfUnixSeconds(long long seconds) { return kMjdOfUnixEpoch + seconds / kSecondsPerDay; }
double unixSecondsOfMjd(double mjd) { return (mjd - kMjdOfUnixEpoch) * kSecondsPerDay; }

TimeZone namedZone(const char* name)
{
    TimeZone zone;
    EXPECT_TRUE(findTimeZone(name, zone)) << name;
    return zone;
}

// Every case of tools/zoneinfo_cases.py (Python's zoneinfo over the same tzdata): the offset at
// instants of UT around each change of ten zones with DST, half- and 45-minute offsets, over
// years from local mean time (1890) to beyond the last recorded change (2038 to 2400, where the
// last rule changes at -1:00, 24:00 or 26:00, Nuuk every year to 2100), and local times read
// before, inside and after each skipped or repeated stretch. All agree exactly.
TEST(TimeZoneTest, NamedZonesAgreeWithPythonZoneinfo)
{
    const std::string command = std::string("python3 ") + QUORVEL_TEST_SOURCE_DIR "/tools/zoneinfo_cases.py";
    std::FILE* cases = popen(command.c_str(), "r");
    ASSERT_NE(cases, nullptr);
    char kind = 0;
    char name[64];
    long long given = 0;
    long long expected = 0;
    int checked = 0;
    TimeZone zone;
    while (std::fscanf(cases, " %c %63s %lld %lld", &kind, name, &given, &expected) == 4) {
        if (std::string(name) != zone.name)
            zone = namedZone(name);
        if (kind == 'U') {
            const double local = localMjd(mjdOfUnixSeconds(given), zone);
            EXPECT_NEAR(unixSecondsOfMjd(local) - given, expected, kMillisecond) << name << " UT " << given;
            EXPECT_EQ(zoneOffsetHoursAt(mjdOfUnixSeconds(given), zone) * 3600.0, expected) << name;
        } else {
            const double ut = utFromLocal(mjdOfUnixSeconds(given), zone);
            EXPECT_NEAR(unixSecondsOfMjd(ut), expected, kMillisecond) << name << " local " << given;
        }
        ++checked;
    }
    EXPECT_EQ(pclose(cases), 0);
    EXPECT_GT(checked, 14000);
}

TEST(TimeZoneTest, FixedOffsetKeepsItsArithmetic)
{
    TimeZone zone;
    zone.offsetHours = 5.5;
    const double mjdUT = 60400.123456789;
    EXPECT_EQ(localMjd(mjdUT, zone), mjdUT + 5.5 / kHoursPerDay);
    EXPECT_EQ(utFromLocal(mjdUT, zone), mjdUT - 5.5 / kHoursPerDay);
    EXPECT_EQ(zoneOffsetHoursAt(mjdUT, zone), 5.5);
    EXPECT_EQ(zoneLabelAt(mjdUT, zone), "5.5");
}

TEST(TimeZoneTest, UnknownNamesAreReportedAndLeaveTheZoneAlone)
{
    TimeZone zone;
    zone.offsetHours = 1.0;
    for (const char* name : {"Europe/Nowhere", "", "../../etc/passwd", "Europe/Vienna/"})
        EXPECT_FALSE(findTimeZone(name, zone)) << name;
    EXPECT_EQ(zone.name, "");
    EXPECT_EQ(localMjd(60000.0, zone), 60000.0 + 1.0 / kHoursPerDay);
}

TEST(TimeZoneTest, LabelsNameTheZoneAndItsOffsetAtTheInstant)
{
    const double summer2024 = 60482.5;  // 2024-06-21 12:00 UT
    const double winter2024 = 60300.5;  // 2023-12-22 12:00 UT
    EXPECT_EQ(zoneLabelAt(summer2024, namedZone("Europe/Vienna")), "Europe/Vienna +2");
    EXPECT_EQ(zoneLabelAt(winter2024, namedZone("Europe/Vienna")), "Europe/Vienna +1");
    EXPECT_EQ(zoneLabelAt(summer2024, namedZone("Asia/Kathmandu")), "Asia/Kathmandu +5:45");
    EXPECT_EQ(zoneLabelAt(summer2024, namedZone("America/St_Johns")), "America/St_Johns -2:30");
    EXPECT_EQ(zoneLabelAt(0.0, namedZone("Europe/Vienna")), "Europe/Vienna +1:05:21");  // local mean time
}

// The program's whole range of years and beyond, and values that are no instant at all, give
// an offset the zone has had, without hanging.
TEST(TimeZoneTest, InstantsFarOutsideTheDatabaseAreClamped)
{
    const TimeZone vienna = namedZone("Europe/Vienna");
    const double lmtHours = 3921.0 / 3600.0;
    EXPECT_DOUBLE_EQ(zoneOffsetHoursAt(-4.5e6, vienna), lmtHours);  // year -9999
    EXPECT_DOUBLE_EQ(zoneOffsetHoursAt(std::nan(""), vienna), lmtHours);
    EXPECT_DOUBLE_EQ(zoneOffsetHoursAt(-1e300, vienna), lmtHours);
    EXPECT_EQ(zoneOffsetHoursAt(2973133.5, vienna), 1.0);  // 9999-01-15: the last rule continues
    EXPECT_EQ(zoneOffsetHoursAt(2973314.5, vienna), 2.0);  // 9999-07-15
    EXPECT_EQ(zoneOffsetHoursAt(1e300, vienna), zoneOffsetHoursAt(3.0e11 / kSecondsPerDay + kMjdOfUnixEpoch, vienna));
    EXPECT_TRUE(std::isfinite(utFromLocal(1e300, vienna)));
    EXPECT_TRUE(std::isfinite(utFromLocal(std::nan(""), vienna)));
}

}  // namespace
}  // namespace qv
