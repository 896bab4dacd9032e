#pragma once

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

// The CPU, PCI and AGP clocks of the rows against their FSB, as an SVG
// document: one panel per clock on its own scale, one point per row, the FSB
// bands with their dividers, the PCI and AGP panels shaded by hint with the
// nominal clock marked. The row at `highlighted`, if any and not failed, is
// marked in every panel. Failed rows are left out. The same rows and labels
// give the same bytes.
std::string drawClockChart(std::span<const ClockCase> rows, const ChartLabels& labels,
                           std::optional<std::size_t> highlighted = std::nullopt);

} // namespace quenvale
