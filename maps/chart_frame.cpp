#include "maps/chart_frame.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "maps/daylight_chart.h"

namespace qv {

namespace {

std::string daylightTitle(const SettingsRecord& settings, const ChartOptions&) { return daylightChartTitle(settings); }
std::string daylightData(const SettingsRecord& settings, const ChartOptions&)
{
    return daylightCsv(daylightYear(settings));
}

constexpr ChartKind kCharts[] = {
    {"daylight", "Dayli&ght Chart", Qt::Key_U, "Display the daylight and twilight of the year", daylightTitle,
     nullptr, paintDaylightChart, daylightData},
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
