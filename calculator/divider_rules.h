#pragma once

#include <calculator/option_group.h>

#include <string_view>

namespace quenvale {

struct ClockPanel;

// FSB band limits in MHz: below the lower one PCI runs at 1/2, up to and
// including the upper one at 1/3, above it at 1/4 (with AGP 1/2).
inline constexpr int kFsbLowerLimit = 100;
inline constexpr int kFsbUpperLimit = 134;

// Pre-selects the PCI divider of the FSB text's band, makes only that band's
// PCI dividers available, and arms the calculate button. Throws RuntimeError
// and changes nothing when the FSB text is not a number.
void applyFsbRules(ClockPanel& panel);

struct BandDividers {
    DividerChoice pci;
    DividerChoice agp;
};

// The dividers a freshly loaded panel selects when the user's first pick
// leaves fsbText in the FSB box. Throws RuntimeError when the text is not a
// number.
BandDividers bandDividers(std::string_view fsbText);

} // namespace quenvale
