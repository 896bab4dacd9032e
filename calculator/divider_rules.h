#pragma once

#include <calculator/dividers.h>
#include <calculator/option_group.h>

#include <string_view>

namespace quenvale {

struct ClockPanel;

// Pre-selects the PCI divider of the FSB text's band, makes only that band's
// PCI dividers available, and arms the calculate button. Throws RuntimeError
// and changes nothing when the FSB text is not a number.
void applyFsbRules(ClockPanel& panel);

// Sets the PCI options (and, in the high band, the AGP option) as a pick in
// `band` leaves them. Touches nothing else.
void applyBandRule(ClockPanel& panel, FsbBand band);

struct BandDividers {
    DividerChoice pci;
    DividerChoice agp;
};

// The dividers a freshly loaded panel selects when the user's first pick
// leaves fsbText in the FSB box. Throws RuntimeError when the text is not a
// number.
BandDividers bandDividers(std::string_view fsbText);

} // namespace quenvale
