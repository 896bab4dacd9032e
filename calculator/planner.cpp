#include <calculator/divider_rules.h>
#include <calculator/planner.h>
#include <runtime/parse_single.h>
#include <runtime/single_store.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace quenvale {

float PlanCandidate::rankedMhz() const {
    return core ? core->mhz : clocks.values[CpuClock];
}

namespace {

struct Ranked {
    PlanCandidate candidate;
    double distance;         // |ranked clock - target|, MHz
    double crystalDeviation; // |crystal - 14.318|, MHz
};

bool rankedBefore(const Ranked& a, const Ranked& b) {
    if (a.distance != b.distance) {
        return a.distance < b.distance;
    }
    const float pciA = a.candidate.clocks.values[PciClock];
    const float pciB = b.candidate.clocks.values[PciClock];
    if (pciA != pciB) {
        return pciA < pciB;
    }
    return a.crystalDeviation < b.crystalDeviation;
}

} // namespace

std::vector<PlanCandidate> planCrystals(std::string_view targetText,
                                        std::optional<std::string_view> multiplierText,
                                        ClockHint limit,
                                        std::span<const std::string_view> references,
                                        std::span<const std::string_view> settings) {
    const auto target = static_cast<double>(parseSingle(targetText));
    std::optional<float> multiplier;
    if (multiplierText) {
        multiplier = parseSingle(*multiplierText);
    }

    std::vector<Ranked> ranked;
    for (const std::string_view reference : references) {
        const Consequences consequences = computeConsequences(reference);
        const double crystalDeviation =
            std::fabs(checkedStep(static_cast<double>(parseSingle(reference)) - kNominalReference));
        for (const std::string_view fsb : settings) {
            PlanCandidate candidate;
            candidate.reference = std::string(reference);
            candidate.fsb = std::string(fsb);
            const BandDividers dividers = bandDividers(fsb);
            candidate.pci = dividers.pci;
            candidate.agp = dividers.agp;
            candidate.pciCaption = kPciDividers.at(dividers.pci.value()).caption;
            candidate.agpCaption = kAgpDividers.at(dividers.agp.value()).caption;
            candidate.clocks = computeClocks(dividers.pci, dividers.agp, reference, fsb);
            candidate.pciHint = pciHint(candidate.clocks.values[PciClock]);
            candidate.agpHint = agpHint(candidate.clocks.values[AgpClock]);
            if (candidate.pciHint > limit || candidate.agpHint > limit) {
                continue;
            }
            if (multiplier) {
                candidate.core = computeCoreClock(candidate.clocks.values[CpuClock], *multiplier);
            }
            candidate.consequences = consequences;
            const double distance =
                std::fabs(checkedStep(static_cast<double>(candidate.rankedMhz()) - target));
            ranked.push_back({std::move(candidate), distance, crystalDeviation});
        }
    }
    // Stable, so that full ties keep list order.
    std::stable_sort(ranked.begin(), ranked.end(), rankedBefore);

    std::vector<PlanCandidate> plan;
    plan.reserve(ranked.size());
    for (Ranked& entry : ranked) {
        plan.push_back(std::move(entry.candidate));
    }
    return plan;
}

} // namespace quenvale
