#include <calculator/divider_rules.h>
#include <calculator/planner.h>
#include <calculator/stable_order.h>
#include <runtime/catalogue.h>
#include <runtime/parse_single.h>
#include <runtime/single_store.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
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

// "ok", "caution(注意)" or "danger(危険)": the command line's name for the
// limit, with its hint word.
std::string_view limitLabel(ClockHint limit, Language language) {
    switch (limit) {
    case ClockHint::Caution:
        return tr(language, "caution(注意)");
    case ClockHint::Danger:
        return tr(language, "danger(危険)");
    case ClockHint::Ok:
        break;
    }
    return hintName(limit);
}

} // namespace

std::optional<float> positiveValue(std::string_view text) {
    const float value = parseSingle(text);
    // Written so that a NaN is not taken either.
    if (!(value > 0)) {
        return std::nullopt;
    }
    return value;
}

std::string planSummary(std::string_view target, std::optional<std::string_view> multiplier,
                        ClockHint limit, std::size_t shown, std::size_t candidates,
                        Language language, std::size_t ownCrystals) {
    const std::string shownText = std::to_string(shown);
    const std::string candidatesText = std::to_string(candidates);
    const std::string crystalsText = std::to_string(ownCrystals);
    const std::initializer_list<Argument> counts{{"multiplier", multiplier.value_or("")},
                                                 {"target", target},
                                                 {"limit", limitLabel(limit, language)},
                                                 {"candidates", candidatesText},
                                                 {"shown", shownText},
                                                 {"crystals", crystalsText}};
    if (ownCrystals > 0) {
        return multiplier ? tr(language,
                               "コアクロック (CPU × {multiplier})が {target} MHz に近い順、"
                               "PCI・AGP は {limit} まで: 指定の水晶 {crystals} 個で "
                               "{candidates} 件中 {shown} 件",
                               counts)
                          : tr(language,
                               "CPU クロックが {target} MHz に近い順、PCI・AGP は {limit} "
                               "まで: 指定の水晶 {crystals} 個で {candidates} 件中 {shown} 件",
                               counts);
    }
    return multiplier ? tr(language,
                           "コアクロック (CPU × {multiplier})が {target} MHz に近い順、"
                           "PCI・AGP は {limit} まで: {candidates} 件中 {shown} 件",
                           counts)
                      : tr(language,
                           "CPU クロックが {target} MHz に近い順、PCI・AGP は {limit} "
                           "まで: {candidates} 件中 {shown} 件",
                           counts);
}

std::string planEmptyText(ClockHint limit, Language language) {
    return tr(language, "PCI と AGP が {limit} までに収まる水晶と FSB の組み合わせはありません。",
              {{"limit", limitLabel(limit, language)}});
}

std::vector<std::string_view> listedCrystals(std::string_view text) {
    // Multi-byte separators first, so that their bytes are not read as part
    // of a word.
    constexpr std::array<std::string_view, 6> kSeparators{"、", "，", "\u3000", ",", " ", "\t"};
    std::vector<std::string_view> crystals;
    std::size_t start = 0;
    const auto take = [&](std::size_t end) {
        const std::string_view word = text.substr(start, end - start);
        if (!word.empty() && std::find(crystals.begin(), crystals.end(), word) == crystals.end()) {
            crystals.push_back(word);
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto* separator =
            std::find_if(kSeparators.begin(), kSeparators.end(),
                         [&](std::string_view s) { return text.substr(i, s.size()) == s; });
        if (separator == kSeparators.end()) {
            ++i;
            continue;
        }
        take(i);
        i += separator->size();
        start = i;
    }
    take(text.size());
    return crystals;
}

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
    std::vector<PlanCandidate> plan;
    plan.reserve(ranked.size());
    for (const std::size_t i : stableOrder(ranked.size(), [&ranked](std::size_t a, std::size_t b) {
             return rankedBefore(ranked[a], ranked[b]);
         })) {
        plan.push_back(std::move(ranked[i].candidate));
    }
    return plan;
}

} // namespace quenvale
