// The Moon calendar and eclipse pictures painted offscreen: each day's drawn Moon is lit in the
// share of its disc the calendar gives, and every picture is written at 1x and 2x to
// build/tests/ to be looked at.
#include "maps/eclipse_seen.h"
#include "maps/moon_calendar.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>

#include "base/time_zone.h"
#include "cli/offscreen_gui.h"

namespace {

const QSize kCalendarSize(1200, 900);

qv::SettingsRecord settingsAt(int year, const char* name, double latitudeDeg, double longitudeDeg, const char* zone)
{
    qv::SettingsRecord settings;
    settings.time.year = year;
    qv::findTimeZone(zone, settings.time.zone);
    settings.observer = {latitudeDeg, longitudeDeg, 0.0, name};
    return settings;
}

template <typename Paint>
QImage painted(QSize size, double scale, Paint paint)
{
    QImage image(size * scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    paint(painter, QSizeF(size));
    return image;
}

// The share of a disc's pixels (well inside its edge) nearer the lit colour than the dark one,
// and how far right of the centre the lit ones lie on average (pixels).
struct LitPart {
    double share = -1.0;
    double rightPx = 0.0;
};

LitPart litPart(const QImage& image, const qv::MoonDiskPlace& place)
{
    const double threshold = (qGray(qv::moonLitColour().rgb()) + qGray(qv::moonDarkColour().rgb())) / 2.0;
    const double inside = place.radiusPx - 1.0;
    int lit = 0, all = 0;
    double right = 0.0;
    for (int y = static_cast<int>(place.centre.y() - inside); y <= place.centre.y() + inside; ++y)
        for (int x = static_cast<int>(place.centre.x() - inside); x <= place.centre.x() + inside; ++x) {
            const double dx = x + 0.5 - place.centre.x();
            if (std::hypot(dx, y + 0.5 - place.centre.y()) > inside)
                continue;
            ++all;
            if (qGray(image.pixel(x, y)) > threshold) {
                ++lit;
                right += dx;
            }
        }
    return {all ? static_cast<double>(lit) / all : -1.0, lit ? right / lit : 0.0};
}

// Every day of 2026 on its month's page, north and south of the equator: lit in its fraction,
// and a waxing Moon (between New Moon and Full Moon) lit on the right in the north and on the
// left in the south. Measured: lit shares within 0.028 of the fractions.
TEST(MoonPictures, DrawnMoonsAreLitInTheirFractionOnTheirSide)
{
    qv::OffscreenGui gui;
    for (const qv::SettingsRecord& settings :
         {settingsAt(2026, "Vienna", 48.21, 16.37, "Europe/Vienna"), settingsAt(2026, "Sydney", -33.87, 151.21, "Australia/Sydney")}) {
        const double litSide = settings.observer.latitudeDeg > 0.0 ? 1.0 : -1.0;
        double worst = 0.0;
        for (int month = 1; month <= 12; ++month) {
            const qv::MoonCalendar calendar = qv::moonCalendar(settings, month);
            const QImage image = painted(kCalendarSize, 1.0, [&](QPainter& p, QSizeF size) {
                qv::paintMoonCalendar(p, size, calendar, month);
            });
            const std::vector<qv::MoonDiskPlace> places = qv::moonDiskPlaces(QSizeF(kCalendarSize), calendar, month);
            ASSERT_EQ(places.size(), calendar.days.size());
            for (std::size_t i = 0; i < places.size(); ++i) {
                const qv::MoonCalendarDay& day = calendar.days[i];
                const LitPart lit = litPart(image, places[i]);
                worst = std::max(worst, std::fabs(lit.share - day.litFraction));
                const bool waxing = day.brightLimbAngleDeg > 180.0;  // bright limb to the west
                if (day.litFraction > 0.1 && day.litFraction < 0.9) {
                    EXPECT_GT(lit.rightPx * litSide * (waxing ? 1.0 : -1.0), 0.0)
                        << settings.observer.name << " " << month << "-" << day.day;
                }
            }
        }
        EXPECT_LT(worst, 0.05) << settings.observer.name;
    }
}

// The pictures to look at, at 1x and 2x: the calendar of a month and of the year for Vienna and
// for Sydney, the total, annular and partial eclipses, one at sunrise and a lunar one.
TEST(MoonPictures, WritesPicturesToLookAt)
{
    qv::OffscreenGui gui;
    // What is drawn: a calendar's month (0: the year) or an eclipse's number, and where.
    struct Picture {
        const char* name;
        bool calendar;
        int number;
        int year;
        const char* place;
        double latitudeDeg, longitudeDeg;
        const char* zone;
    };
    const Picture pictures[] = {
        {"moon-month-vienna", true, 8, 2026, "Vienna", 48.21, 16.37, "Europe/Vienna"},
        {"moon-year-vienna", true, 0, 2026, "Vienna", 48.21, 16.37, "Europe/Vienna"},
        {"moon-month-sydney", true, 8, 2026, "Sydney", -33.87, 151.21, "Australia/Sydney"},
        {"moon-year-sydney", true, 0, 2026, "Sydney", -33.87, 151.21, "Australia/Sydney"},
        {"eclipse-total-dallas", false, 2, 2024, "Dallas", 32.78, -96.80, "America/Chicago"},
        {"eclipse-annular-albuquerque", false, 3, 2023, "Albuquerque", 35.08, -106.65, "America/Denver"},
        {"eclipse-partial-vienna", false, 2, 2025, "Vienna", 48.21, 16.37, "Europe/Vienna"},
        {"eclipse-sunrise-boston", false, 2, 2025, "Boston", 42.36, -71.06, "America/New_York"},
        {"eclipse-lunar-vienna", false, 1, 2025, "Vienna", 48.21, 16.37, "Europe/Vienna"},
        {"eclipse-lunar-santiago", false, 1, 2025, "Santiago", -33.45, -70.67, "America/Santiago"},
    };
    for (const Picture& picture : pictures) {
        const qv::SettingsRecord settings =
            settingsAt(picture.year, picture.place, picture.latitudeDeg, picture.longitudeDeg, picture.zone);
        auto paint = [&](QPainter& p, QSizeF size) {
            picture.calendar ? qv::paintMoonCalendar(p, size, settings, picture.number)
                             : qv::paintEclipseAsSeen(p, size, settings, picture.number);
        };
        for (double scale : {1.0, 2.0}) {
            const QString file = QStringLiteral("%1-%2x.png").arg(QString::fromLatin1(picture.name)).arg(scale);
            EXPECT_TRUE(painted(picture.calendar ? kCalendarSize : QSize(1100, 800), scale, paint).save(file))
                << file.toStdString();
        }
    }
}

}  // namespace
