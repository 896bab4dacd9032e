#include <calculator/clock_calculation.h>
#include <calculator/crystal_for.h>
#include <runtime/parse_single.h>
#include <runtime/single_store.h>

namespace quenvale {

std::variant<CrystalChoice, NoCrystal> crystalFor(std::string_view targetText,
                                                  std::string_view fsbText,
                                                  std::span<const std::string_view> references) {
    const float target = parseSingle(targetText);
    const float fsb = parseSingle(fsbText);
    if (fsb <= 0) {
        return NoCrystal::FsbNotPositive;
    }
    if (target <= 0) {
        return NoCrystal::TargetNotPositive;
    }
    // The forward calculation is CPU = FSB x crystal / 14.318, step by step
    // in double and stored as a single; the reverse goes the same way.
    CrystalChoice choice;
    choice.crystal = storeSingle(checkedStep(checkedStep(kNominalReference * target) / fsb));
    for (std::size_t i = 0; i < references.size(); ++i) {
        const float preset = parseSingle(references[i]);
        if (preset <= choice.crystal) {
            choice.below = i;
        } else if (!choice.above) {
            choice.above = i;
        }
    }
    return choice;
}

} // namespace quenvale
