#include "maps/chart_frame.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

#include "maps/daylight_chart.h"
#include "maps/eclipse_seen.h"
#include "maps/moon_calendar.h"
#include "reports/year_tables.h"

namespace qv {

namespace {

std::string daylightTitle(const SettingsRecord& settings, const ChartOptions&) { return daylightChartTitle(settings); }
std::string daylightData(const SettingsRecord& settings, const ChartOptions&)
{
    return daylightCsv(daylightYear(settings));
}

std::string moonTitle(const SettingsRecord& settings, const ChartOptions& options)
{
    return moonCalendarTitle(moonCalendar(settings, options.month), options.month).toStdString();
}
void paintMoonPage(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const ChartOptions& options)
{
    paintMoonCalendar(painter, sizePx, settings, options.month);
}

int eclipseCount(const SettingsRecord& settings) { return static_cast<int>(eclipsesOfYear(settings).size()); }

std::string eclipseTitle(const SettingsRecord& settings, const ChartOptions& options)
{
    return eclipseSeenTitle(eclipseSeen(settings, options.eclipseNumber)).toStdString();
}
std::string eclipseRefusal(const SettingsRecord& settings, const ChartOptions& options)
{
    const int count = eclipseCount(settings);
    const std::string year = std::to_string(settings.time.year);
    if (options.eclipseNumber == 0)
        return "chart eclipse needs --eclipse N; " + year + " has " + std::to_string(count) + " eclipses";
    if (options.eclipseNumber > count)
        return "--eclipse " + std::to_string(options.eclipseNumber) + " is beyond the " + std::to_string(count) +
               " eclipses of " + year;
    return std::string();
}
void paintEclipsePage(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, const ChartOptions& options)
{
    paintEclipseAsSeen(painter, sizePx, settings, options.eclipseNumber);
}

constexpr ChartKind kCharts[] = {
    {"daylight", "Dayli&ght Chart", Qt::Key_U, "Display the daylight and twilight of the year", daylightTitle,
     nullptr, paintDaylightChart, ChartStep::None, daylightData},
    {"moon", "Moon Ca&lendar", Qt::Key_K, "Display the Moon of each evening of the month or the year", moonTitle,
     nullptr, paintMoonPage, ChartStep::Month, nullptr},
    {"eclipse", "Ecli&pse as Seen", Qt::Key_V, "Display an eclipse as seen from the place", eclipseTitle,
     eclipseRefusal, paintEclipsePage, ChartStep::Eclipse, nullptr},
};

}  // namespace

std::span<const ChartKind> chartKinds() { return kCharts; }

const ChartKind* findChartKind(std::string_view name)
{
    for (const ChartKind& chart : kCharts)
        if (name == chart.name)
            return &chart;
    return nullptr;
}

ChartOptions startChartOptions(const ChartKind& chart, const SettingsRecord& settings, int selectedEclipse)
{
    ChartOptions options;
    if (chart.step == ChartStep::Month)
        options.month = settings.time.month;
    if (chart.step == ChartStep::Eclipse)
        options.eclipseNumber = std::max(selectedEclipse, 1);
    return options;
}

ChartOptions steppedChartOptions(const ChartKind& chart, const SettingsRecord& settings, ChartOptions options,
                                 int delta)
{
    if (chart.step == ChartStep::Month)
        options.month = std::clamp(options.month + delta, 0, 12);
    if (chart.step == ChartStep::Eclipse)
        options.eclipseNumber = std::clamp(options.eclipseNumber + delta, 1, std::max(eclipseCount(settings), 1));
    return options;
}

std::string chartRefusal(const ChartKind& chart, const SettingsRecord& settings, const ChartOptions& options)
{
    return chart.refusal ? chart.refusal(settings, options) : std::string();
}

QImage chartImage(const ChartKind& chart, QSize sizePx, double scale, const SettingsRecord& settings,
                  const ChartOptions& options)
{
    QImage image(sizePx * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.paint(painter, QSizeF(sizePx), settings, options);
    painter.end();
    return image;
}

bool chartSvg(const ChartKind& chart, QSize sizePx, const SettingsRecord& settings, const ChartOptions& options,
              QByteArray& svg, std::string& error)
{
    QBuffer buffer(&svg);
    if (!buffer.open(QIODevice::WriteOnly)) {
        error = buffer.errorString().toStdString();
        return false;
    }
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(sizePx);
    generator.setViewBox(QRect(QPoint(0, 0), sizePx));
    generator.setTitle(QString::fromStdString(chart.title(settings, options)));
    generator.setDescription(QStringLiteral("Quorvel " QUORVEL_VERSION));
    QPainter painter;
    if (!painter.begin(&generator)) {
        error = "the SVG picture could not be started";
        return false;
    }
    chart.paint(painter, QSizeF(sizePx), settings, options);
    painter.end();
    return true;
}

}  // namespace qv
