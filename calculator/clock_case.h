#pragma once

#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/consequences.h>
#include <calculator/option_group.h>
#include <runtime/runtime_error.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

// What a case may work out beyond the three clocks.
struct CaseExtras {
    bool consequences = false;             // USB, Super I/O, timer drift
    std::optional<std::string> multiplier; // the core clock, CPU x this
};

// Why a case has no clocks, and which of its two texts is to blame (none for
// an arithmetic fault).
struct CaseFailure {
    RuntimeError error;
    std::optional<InputBox> box;
};

// One crystal with one FSB setting, worked out as the window works it out
// after the FSB was picked from its list: the FSB band's dividers, or the
// given ones where given.
struct ClockCase {
    std::string reference; // as typed
    std::string fsb;       // as typed
    // The dividers used; none when the case failed before they were known.
    DividerChoice pci;
    DividerChoice agp;
    ClockResults clocks;
    ClockHint pciHint = ClockHint::Ok;
    ClockHint agpHint = ClockHint::Ok;
    // Where asked for; consequences stay none when the crystal is too far
    // out for them to be told (the clocks still are).
    std::optional<Consequences> consequences;
    std::optional<CoreClock> core;
    // Why a multiplier was given but there is no core clock: its text is not
    // a number, or the product is too large. It quotes the multiplier either
    // way, as the value to correct; the bus clocks still stand.
    std::optional<RuntimeError> coreFailure;
    // Set when the case failed; then no clocks, hints or extras.
    std::optional<CaseFailure> failure;

    bool failed() const { return failure.has_value(); }
};

// The reference is converted first, then the FSB, as 計算実行 converts them,
// so a case with two bad texts blames the reference, as the window does.
ClockCase calculateCase(std::string_view reference, std::string_view fsb, DividerChoice pci,
                        DividerChoice agp, const CaseExtras& extras = {});

// One crystal at every FSB setting of `settings`, each with its band's
// dividers: the rows of the FSB table.
std::vector<ClockCase> fsbTable(std::string_view reference,
                                std::span<const std::string_view> settings = kFsbPresets,
                                const CaseExtras& extras = {});

} // namespace quenvale
