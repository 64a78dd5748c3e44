// The picture pages of the year as PNG or SVG files, painted offscreen exactly as the window
// paints them, or the data a picture draws as CSV.
#include <QByteArray>

#include <string>

#include "cli/commands.h"
#include "cli/offscreen_gui.h"
#include "cli/picture_file.h"
#include "maps/chart_frame.h"

namespace qv {

namespace {

int refuse(const CliContext& context, const std::string& message)
{
    std::fprintf(context.err, "quorvel-cli: %s\n", message.c_str());
    return kCliExitUsage;
}

// "daylight, moon or eclipse": the names of the pictures.
std::string chartNames()
{
    std::string names;
    const std::span<const ChartKind> charts = chartKinds();
    for (std::size_t i = 0; i < charts.size(); ++i)
        names += (i == 0 ? "" : i + 1 == charts.size() ? " or " : ", ") + std::string(charts[i].name);
    return names;
}

// The lower-case extension of a file name, without its dot; empty when there is none.
std::string extensionOf(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return std::string();
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension;
}

}  // namespace

bool chartWritesPicture(const CliOptions& options) { return options.format != "csv"; }

int runChartCommand(CliContext& context)
{
    const CliOptions& options = context.options;
    const ChartKind* chart = findChartKind(context.text);
    if (chart == nullptr)
        return refuse(context, "chart needs the picture's name: " + chartNames());
    const ChartOptions chartOptions{options.month.value_or(0), options.eclipseNumber.value_or(0)};
    if (const std::string refusal = chartRefusal(*chart, context.settings, chartOptions); !refusal.empty())
        return refuse(context, refusal);
    if (options.format) {
        if (*options.format != "csv" || chart->csv == nullptr)
            return refuse(context, std::string("chart ") + chart->name +
                                       (chart->csv ? " takes --format csv" : " has no --format"));
        std::fputs(chart->csv(context.settings, chartOptions).c_str(), context.out);
        return kCliExitOk;
    }
    const std::string extension = extensionOf(options.outPath);
    if (extension != "png" && extension != "svg")
        return refuse(context, "chart needs --out FILE.png or FILE.svg");
    const CliSize size = options.mapViewSize.value_or(kDefaultMapViewSize);
    const QSize sizePx(size.width, size.height);
    const OffscreenGui gui;
    if (extension == "png")
        return writePngFile(context, chartImage(*chart, sizePx, options.pictureScale, context.settings, chartOptions));
    QByteArray svg;
    std::string reason;
    if (!chartSvg(*chart, sizePx, context.settings, chartOptions, svg, reason))
        return reportWriteFailure(context.err, options.outPath, reason);
    return writeOutFile(context, svg);
}

}  // namespace qv
