#pragma once
// The picture pages of the year, one table entry each: the word that names a picture on the
// command line and in the print parts, its Calculate menu entry and key, its title, what it
// refuses to draw, and the function that paints it. The window's page, the printed page and
// the PNG and SVG files all paint through the same entry.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>

#include <span>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "reports/chart_options.h"

class QPainter;

namespace qv {

using ChartPaint = void (*)(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings,
                            const ChartOptions& options);

// What the arrow keys step through on a picture's page.
enum class ChartStep {
    None,
    Month,    // the whole year (month 0), then January to December
    Eclipse,  // the eclipses of the year, from 1
};

struct ChartKind {
    const char* name;        // "daylight": the command's word and the print part's key
    const char* menuText;    // the Calculate menu entry, with its mnemonic
    int key;                 // the key that shows it, with or without Ctrl (a Qt::Key)
    const char* statusTip;
    std::string (*title)(const SettingsRecord& settings, const ChartOptions& options);
    // Why the picture cannot be drawn for these inputs (empty: it can); nullptr: always drawn.
    std::string (*refusal)(const SettingsRecord& settings, const ChartOptions& options);
    ChartPaint paint;
    ChartStep step;
    // The data the picture draws as CSV text; nullptr: the picture has none.
    std::string (*csv)(const SettingsRecord& settings, const ChartOptions& options);
};

// Every picture page, in the order of the menu.
std::span<const ChartKind> chartKinds();
// The picture of that name, or nullptr.
const ChartKind* findChartKind(std::string_view name);
// The options the window's page starts with: the month of the settings' date, the selected
// eclipse (0: none selected, then the first of the year).
ChartOptions startChartOptions(const ChartKind& chart, const SettingsRecord& settings, int selectedEclipse);
// The options delta steps further (-1: back, +1: on) on the chart's page, held to the month
// range or to the eclipses of the settings' year.
ChartOptions steppedChartOptions(const ChartKind& chart, const SettingsRecord& settings, ChartOptions options,
                                 int delta);

// Why chart cannot be drawn for the inputs; empty when it can.
std::string chartRefusal(const ChartKind& chart, const SettingsRecord& settings, const ChartOptions& options);

// The picture at sizePx pixels, with scale device pixels per pixel (2: a screen at 200 %).
QImage chartImage(const ChartKind& chart, QSize sizePx, double scale, const SettingsRecord& settings,
                  const ChartOptions& options);

// The picture as an SVG document of sizePx pixels, its title that of the chart; false with the
// reason when it could not be made.
bool chartSvg(const ChartKind& chart, QSize sizePx, const SettingsRecord& settings, const ChartOptions& options,
              QByteArray& svg, std::string& error);

}  // namespace qv
