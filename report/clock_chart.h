#pragma once

#include <array>
#include <calculator/clock_case.h>
#include <report/svg_writer.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace quenvale {

// The words of a chart, in the reader's language; the chart adds only
// numbers, the typed FSB texts and the technical terms "FSB" and "MHz".
struct ChartLabels {
    std::string title;       // <title>, e.g. the crystal the rows are for
    std::string description; // <desc>, what the chart shows
    std::string fsbAxis;     // under the horizontal axis, e.g. "FSB (MHz)"
    std::string cpuPanel;    // heading of each panel, e.g. "CPU (MHz)"
    std::string pciPanel;
    std::string agpPanel;
    std::string ok;      // the shaded regions' legend
    std::string caution; //
    std::string danger;  //
    std::string nominal; // before the nominal clock, e.g. "nominal"
    std::string noRows;  // shown when no row could be calculated
};

// The chart's colours. The light ones are what the command line writes and
// the page saves and prints; the dark ones are for a screen in a dark
// scheme, where every colour keeps its meaning and stays legible.
struct ChartPalette {
    std::string_view text; // empty: the viewer's default, black
    std::string_view background;
    std::string_view mutedText; // the nominal clock's key
    std::string_view frame;     // the panels' and legend keys' edges
    std::string_view axis;      // ticks and the FSB bands' limits
    std::string_view grid;      // drawn at a tenth of its strength
    std::string_view nominal;
    std::string_view series;
    std::string_view current;
    std::array<std::string_view, 3> hints; // ok, caution and danger regions
};
inline constexpr ChartPalette kLightChart{
    {},        "#ffffff", "#333333", "#999999", "#777777", "#000000",
    "#444444", "#203a72", "#c2185b", {"#dcf2e0", "#fff0bf", "#fbd6d2"}};
inline constexpr ChartPalette kDarkChart{
    "#e6e6e6", "#232323", "#d0d0d0", "#8a8a8a", "#9a9a9a", "#ffffff",
    "#c8c8c8", "#8ab4f8", "#ff79b0", {"#1d3b27", "#4a3f12", "#4d2421"}};

// The size the chart has for these rows, in its own units: for a page to
// keep its place before it is drawn.
struct ChartSize {
    double width;
    double height;
};
ChartSize clockChartSize(std::span<const ClockCase> rows);

// The CPU, PCI and AGP clocks of the rows against their FSB, as an SVG
// tree: one panel per clock on its own scale, one point per row, the FSB
// bands with their dividers, the PCI and AGP panels shaded by hint with the
// nominal clock marked. The row at `highlighted`, if any and not failed, is
// marked in every panel. Failed rows are left out.
SvgElement clockChart(std::span<const ClockCase> rows, const ChartLabels& labels,
                      std::optional<std::size_t> highlighted = std::nullopt,
                      const ChartPalette& palette = kLightChart);

// The same chart as an SVG document's bytes: the same rows and labels give
// the same bytes.
std::string drawClockChart(std::span<const ClockCase> rows, const ChartLabels& labels,
                           std::optional<std::size_t> highlighted = std::nullopt,
                           const ChartPalette& palette = kLightChart);

} // namespace quenvale
