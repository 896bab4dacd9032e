#pragma once

#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/consequences.h>
#include <calculator/option_group.h>
#include <runtime/language.h>

#include <array>
#include <cstddef>
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

// The limits a plan keeps its PCI and AGP hints within, mildest first, and
// the one a plan is made with when none is asked for: caution, so that a
// slightly fast bus still shows, marked.
inline constexpr std::array kPlanLimits{ClockHint::Ok, ClockHint::Caution, ClockHint::Danger};
inline constexpr ClockHint kDefaultPlanLimit = ClockHint::Caution;

// A target clock or a multiplier as typed, when it is a number above 0;
// none when it is 0 or below, as no plan aims at such a clock. A text that
// is not a number throws the conversion's RuntimeError, so that it is told
// it is not a number rather than that it is not above 0.
std::optional<float> positiveValue(std::string_view text);

// The line above a plan: what it ranks against the target, the limit, and
// how many of how many candidates are shown, and of how many crystals of
// the user's own when `ownCrystals` is not 0 (0: the window's list); the
// same words wherever a plan is shown.
std::string planSummary(std::string_view target, std::optional<std::string_view> multiplier,
                        ClockHint limit, std::size_t shown, std::size_t candidates,
                        Language language, std::size_t ownCrystals = 0);

// What a plan with no candidate says instead of its summary.
std::string planEmptyText(ClockHint limit, Language language);

// The crystals a person lists in one text, "14.7456, 16.384 13.5": the
// words between commas (",", "、", "，") and blanks (spaces, tabs, U+3000),
// as typed, in order, a repeated one once. None for a text that lists none;
// the plan then ranks the window's list. The views point into `text`.
std::vector<std::string_view> listedCrystals(std::string_view text);

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
