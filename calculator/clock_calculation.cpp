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

float pciFactor(DividerChoice choice) {
    if (!choice) {
        return 0.0F;
    }
    switch (*choice) {
    case 0:
        return factor(1, 2);
    case 1:
        return factor(1, 3);
    case 2:
        return factor(1, 4);
    default:
        return 0.0F;
    }
}

float agpFactor(DividerChoice choice) {
    if (!choice) {
        return 0.0F;
    }
    switch (*choice) {
    case 0:
        return 1.0F;
    case 1:
        return factor(2, 3);
    case 2:
        return factor(1, 2);
    default:
        return 0.0F;
    }
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
