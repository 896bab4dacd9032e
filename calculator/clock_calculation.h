#pragma once

#include <calculator/option_group.h>

#include <array>
#include <string>
#include <string_view>

namespace quenvale {

// The nominal frequency of the reference crystal, in MHz.
inline constexpr double kNominalReference = 14.318;

// Index of each clock within ClockResults and within the panel's results.
enum ClockIndex : std::size_t { CpuClock = 0, PciClock = 1, AgpClock = 2 };
inline constexpr std::size_t kClockCount = 3;

struct ClockResults {
    std::array<float, kClockCount> values{};      // MHz: CPU (FSB), PCI, AGP
    std::array<std::string, kClockCount> texts{}; // as the window shows them
};

// Divider factors in single precision, each the exact quotient of its table
// row rounded once; no selection gives 0.
float dividerFactor(DividerGroup group, DividerChoice choice);
float pciFactor(DividerChoice choice);
float agpFactor(DividerChoice choice);

// The clocks a board runs at when its reference crystal reads referenceText
// MHz and its FSB is set to fsbText MHz. The reference text is converted
// first. Throws RuntimeError when a text is not a number or a step overflows.
ClockResults computeClocks(DividerChoice pci, DividerChoice agp, std::string_view referenceText,
                           std::string_view fsbText);

} // namespace quenvale
