#include <calculator/clock_panel.h>
#include <calculator/divider_rules.h>
#include <runtime/parse_single.h>

#include <string>

namespace quenvale {

namespace {

constexpr std::size_t kHalf = 0;    // "1/2"
constexpr std::size_t kThird = 1;   // "1/3"
constexpr std::size_t kQuarter = 2; // "1/4"
constexpr std::size_t kAgpHalf = 2; // AGP "1/2"

} // namespace

void applyFsbRules(ClockPanel& panel) {
    // Converted before anything is touched, so a bad FSB text changes nothing.
    const float fsb = parseSingle(panel.fsbText);
    auto& pci = panel.pci;

    if (fsb >= kFsbLowerLimit) {
        pci.setEnabled(kQuarter, true);
        pci.setEnabled(kThird, true);
        pci.select(kThird);
        pci.setEnabled(kHalf, false);
    }
    // Above the upper limit both this rule and the one before apply; this
    // one, coming second, decides.
    if (fsb > kFsbUpperLimit) {
        pci.setEnabled(kQuarter, true);
        pci.select(kQuarter);
        panel.agp.select(kAgpHalf);
        pci.setEnabled(kThird, false);
        pci.setEnabled(kHalf, false);
    }
    if (fsb < kFsbLowerLimit) {
        pci.setEnabled(kHalf, true);
        pci.select(kHalf);
        pci.setEnabled(kThird, false);
        pci.setEnabled(kQuarter, false);
    }
    panel.calculateEnabled = true;
}

BandDividers bandDividers(std::string_view fsbText) {
    ClockPanel panel;
    panel.load();
    panel.fsbText = std::string(fsbText);
    applyFsbRules(panel);
    return {panel.pci.selection(), panel.agp.selection()};
}

} // namespace quenvale
