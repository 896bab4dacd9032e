#include <calculator/clock_calculation.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>
#include <runtime/single_store.h>

namespace quenvale {

namespace {

// Each factor is the quotient in double precision rounded to single, so
// 1/3 is 0.33333334: the PCI clock at FSB 100 reads 33.33334, not 33.33333.
float factor(double numerator, double denominator) {
    return storeSingle(checkedStep(numerator / denominator));
}

} // namespace

float dividerFactor(DividerGroup group, DividerChoice choice) {
    const auto table = dividerTable(group);
    if (!choice || *choice >= table.size()) {
        return 0.0F;
    }
    const Divider& divider = table[*choice];
    return factor(divider.numerator, divider.denominator);
}

float pciFactor(DividerChoice choice) {
    return dividerFactor(DividerGroup::Pci, choice);
}

float agpFactor(DividerChoice choice) {
    return dividerFactor(DividerGroup::Agp, choice);
}

ClockResults computeClocks(DividerChoice pci, DividerChoice agp, std::string_view referenceText,
                           std::string_view fsbText) {
    const float pciMultiplier = pciFactor(pci);
    const float agpMultiplier = agpFactor(agp);
    const float reference = parseSingle(referenceText);
    const float fsb = parseSingle(fsbText);

    ClockResults results;
    auto& [cpu, pciClock, agpClock] = results.values;
    cpu = storeSingle(checkedStep(checkedStep(static_cast<double>(reference) / kNominalReference) *
                                  static_cast<double>(fsb)));
    pciClock =
        storeSingle(checkedStep(static_cast<double>(pciMultiplier) * static_cast<double>(cpu)));
    agpClock =
        storeSingle(checkedStep(static_cast<double>(agpMultiplier) * static_cast<double>(cpu)));
    for (std::size_t i = 0; i < results.values.size(); ++i) {
        results.texts[i] = formatSingle(results.values[i]);
    }
    return results;
}

} // namespace quenvale
