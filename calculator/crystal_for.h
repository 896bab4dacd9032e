#pragma once

#include <calculator/clock_panel.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace quenvale {

// The crystal that makes a board set to an FSB run its CPU at a target clock,
// and the listed crystals next to it.
struct CrystalChoice {
    float crystal = 0; // the single value, as the clock texts are worked out
    // Indexes into the list searched: the highest crystal at or below the
    // one needed, and the lowest above it; none past either end.
    std::optional<std::size_t> below;
    std::optional<std::size_t> above;
};

// Why no crystal can be found: a crystal runs at a positive frequency, so at
// an FSB of 0 or below no crystal gives a positive CPU clock, and no crystal
// gives a CPU clock of 0 or below.
enum class NoCrystal { FsbNotPositive, TargetNotPositive };

// `references` must be in rising order, as the preset list is. The target and
// the FSB are converted in that order; a text that is not a number fails as
// computeClocks' inputs do, and so does a step that overflows.
std::variant<CrystalChoice, NoCrystal>
crystalFor(std::string_view targetText, std::string_view fsbText,
           std::span<const std::string_view> references = kReferencePresets);

} // namespace quenvale
