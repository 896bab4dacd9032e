#include <calculator/clock_panel.h>
#include <calculator/divider_rules.h>
#include <runtime/parse_single.h>

namespace quenvale {

void applyBandRule(ClockPanel& panel, FsbBand band) {
    const BandRule rule = bandRule(band);
    for (std::size_t i = 0; i < panel.pci.size(); ++i) {
        panel.pci.setEnabled(i, rule.pciAvailable[i]);
    }
    panel.pci.select(rule.pci);
    if (rule.agp) {
        panel.agp.select(*rule.agp);
    }
}

void applyFsbRules(ClockPanel& panel) {
    // Converted before anything is touched, so a bad FSB text changes nothing.
    const float fsb = parseSingle(panel.fsbText);
    applyBandRule(panel, fsbBand(fsb));
    panel.calculateEnabled = true;
}

BandDividers bandDividers(std::string_view fsbText) {
    const BandRule rule = bandRule(fsbBand(parseSingle(fsbText)));
    return {rule.pci, rule.agp.value_or(kInitialAgpDivider)};
}

} // namespace quenvale
