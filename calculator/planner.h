#pragma once

#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/consequences.h>
#include <calculator/option_group.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

// One crystal with one FSB setting, with the dividers a pick of that FSB
// selects in a freshly loaded panel.
struct PlanCandidate {
    std::string reference; // the crystal's list text, "15.000"
    std::string fsb;       // the FSB setting's list text, "100"
    DividerChoice pci;
    DividerChoice agp;
    std::string_view pciCaption; // "1/3", from kPciDividers
    std::string_view agpCaption; // "2/3", from kAgpDividers
    ClockResults clocks;
    ClockHint pciHint = ClockHint::Ok;
    ClockHint agpHint = ClockHint::Ok;
    // CPU clock × multiplier; none when no multiplier was given.
    std::optional<CoreClock> core;
    Consequences consequences;

    // The clock ranked against the target: the core clock, or the CPU clock
    // without a multiplier.
    float rankedMhz() const;
};

// Every crystal of `references` with every setting of `settings` whose PCI
// and AGP hints are no worse than `limit`, best first: nearest ranked clock
// to the target, then lower PCI clock, then crystal nearer 14.318 MHz, then
// list order (crystal, then setting). The target and the multiplier are
// converted in that order; a text that is not a number fails as
// computeClocks' inputs do, and so does a step that overflows.
std::vector<PlanCandidate>
planCrystals(std::string_view targetText, std::optional<std::string_view> multiplierText,
             ClockHint limit, std::span<const std::string_view> references = kReferencePresets,
             std::span<const std::string_view> settings = kFsbPresets);

} // namespace quenvale
