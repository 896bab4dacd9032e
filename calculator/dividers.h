#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quenvale {

enum class DividerGroup { Pci, Agp };

// The FSB bands of the divider rules, lowest first.
enum class FsbBand { Low, Middle, High };
inline constexpr std::size_t kFsbBandCount = 3;

// FSB band limits in MHz, whole numbers compared with the single FSB value:
// below the lower one is the low band, up to and including the upper one the
// middle band, above it the high band (so 133.333 stays in the middle).
inline constexpr int kFsbLowerLimit = 100;
inline constexpr int kFsbUpperLimit = 134;

// One divider option, stated once: what it reads, its exact factor
// numerator/denominator, the bands in which a list pick leaves it available,
// and the band whose pick selects it, if any.
struct Divider {
    std::string_view caption;
    int numerator;
    int denominator;
    std::array<bool, kFsbBandCount> availableIn;
    std::optional<FsbBand> selectedIn;
};

namespace detail {
inline constexpr std::array<bool, kFsbBandCount> kEveryBand{true, true, true};
} // namespace detail

// The options of each group, in window order. A PCI divider is available only
// in the bands it lists; an AGP divider is never disabled, and only the high
// band selects one.
inline constexpr std::array kPciDividers{
    Divider{"1/2", 1, 2, {true, false, false}, FsbBand::Low},
    Divider{"1/3", 1, 3, {false, true, false}, FsbBand::Middle},
    Divider{"1/4", 1, 4, {false, true, true}, FsbBand::High},
};
inline constexpr std::array kAgpDividers{
    Divider{"1/1", 1, 1, detail::kEveryBand, std::nullopt},
    Divider{"2/3", 2, 3, detail::kEveryBand, std::nullopt},
    Divider{"1/2", 1, 2, detail::kEveryBand, FsbBand::High},
};

namespace detail {
// Whether every band selects `exactly` (else at most) one option of the
// table, and leaves the one it selects available.
template <std::size_t Count>
constexpr bool selectsOneInEachBand(const std::array<Divider, Count>& table, bool exactly) {
    for (std::size_t band = 0; band < kFsbBandCount; ++band) {
        std::size_t selecting = 0;
        for (const Divider& divider : table) {
            if (divider.selectedIn == static_cast<FsbBand>(band)) {
                ++selecting;
                if (!divider.availableIn[band]) {
                    return false;
                }
            }
        }
        if (selecting > 1 || (exactly && selecting == 0)) {
            return false;
        }
    }
    return true;
}
} // namespace detail

// A pick selects one PCI divider of its band, and at most one AGP divider.
static_assert(detail::selectsOneInEachBand(kPciDividers, true));
static_assert(detail::selectsOneInEachBand(kAgpDividers, false));

// The options a fresh window starts with selected, before any pick.
inline constexpr std::size_t kInitialPciDivider = 1; // "1/3"
inline constexpr std::size_t kInitialAgpDivider = 1; // "2/3"
// The band of the FSB a fresh window starts with (100 MHz); Load sets the
// PCI options as a pick in this band would.
inline constexpr FsbBand kInitialBand = FsbBand::Middle;

// The widest group; option groups are sized at run time by their table.
inline constexpr std::size_t kMaxDividers = kPciDividers.size() > kAgpDividers.size()
                                                ? kPciDividers.size()
                                                : kAgpDividers.size();

constexpr std::span<const Divider> dividerTable(DividerGroup group) {
    return group == DividerGroup::Pci ? std::span<const Divider>(kPciDividers)
                                      : std::span<const Divider>(kAgpDividers);
}

// The index of the option with this caption in the group, or none.
constexpr std::optional<std::size_t> dividerIndex(DividerGroup group, std::string_view caption) {
    const auto table = dividerTable(group);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].caption == caption) {
            return i;
        }
    }
    return std::nullopt;
}

// The band an FSB value falls in. Pure; the caller converts the text.
constexpr FsbBand fsbBand(float fsb) {
    if (fsb > static_cast<float>(kFsbUpperLimit)) {
        return FsbBand::High;
    }
    if (fsb >= static_cast<float>(kFsbLowerLimit)) {
        return FsbBand::Middle;
    }
    return FsbBand::Low;
}

// What a list pick in a band does to the options: the PCI option it selects,
// which PCI options it leaves available, and the AGP option it selects, if
// any (otherwise AGP stays as it was).
struct BandRule {
    std::size_t pci = 0;
    std::array<bool, kMaxDividers> pciAvailable{};
    std::optional<std::size_t> agp;
};

constexpr BandRule bandRule(FsbBand band) {
    BandRule rule;
    const auto index = static_cast<std::size_t>(band);
    for (std::size_t i = 0; i < kPciDividers.size(); ++i) {
        rule.pciAvailable[i] = kPciDividers[i].availableIn[index];
        if (kPciDividers[i].selectedIn == band) {
            rule.pci = i;
        }
    }
    for (std::size_t i = 0; i < kAgpDividers.size(); ++i) {
        if (kAgpDividers[i].selectedIn == band) {
            rule.agp = i;
        }
    }
    return rule;
}

} // namespace quenvale
