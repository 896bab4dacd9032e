#include <calculator/clock_hints.h>

#include <gtest/gtest.h>

#include <cmath>

namespace quenvale {
namespace {

struct HintCase {
    float mhz;
    ClockHint pci;
    ClockHint agp;
};

class clock_hints : public testing::TestWithParam<HintCase> {};

TEST_P(clock_hints, grade_by_share_of_nominal) {
    EXPECT_EQ(pciHint(GetParam().mhz), GetParam().pci) << GetParam().mhz;
    EXPECT_EQ(agpHint(GetParam().mhz), GetParam().agp) << GetParam().mhz;
}

constexpr auto kOk = ClockHint::Ok;
constexpr auto kCaution = ClockHint::Caution;
constexpr auto kDanger = ClockHint::Danger;

// PCI: caution above 37.5, danger above 41.67; AGP: above 75 and 83.33.
INSTANTIATE_TEST_SUITE_P(
    thresholds, clock_hints,
    testing::Values(HintCase{-50.0F, kOk, kOk}, HintCase{0.0F, kOk, kOk},
                    HintCase{33.33334F, kOk, kOk}, HintCase{37.5F, kOk, kOk},
                    HintCase{std::nextafter(37.5F, 100.0F), kCaution, kOk},
                    HintCase{41.66666F, kCaution, kOk}, HintCase{41.66667F, kDanger, kOk},
                    HintCase{44.44433F, kDanger, kOk}, HintCase{75.0F, kDanger, kOk},
                    HintCase{std::nextafter(75.0F, 100.0F), kDanger, kCaution},
                    HintCase{83.33333F, kDanger, kCaution}, HintCase{83.33334F, kDanger, kDanger},
                    HintCase{1e30F, kDanger, kDanger}));

TEST(clock_hints, texts_say_why_and_ok_says_nothing) {
    for (const Language language : {Language::Japanese, Language::English}) {
        EXPECT_TRUE(pciHintText(kOk, language).empty());
        EXPECT_TRUE(agpHintText(kOk, language).empty());
        for (const ClockHint hint : {kCaution, kDanger}) {
            EXPECT_NE(pciHintText(hint, language).find("PCI"), std::string_view::npos);
            EXPECT_NE(agpHintText(hint, language).find("AGP"), std::string_view::npos);
        }
        EXPECT_NE(pciHintText(kCaution, language), pciHintText(kDanger, language));
    }
    EXPECT_EQ(hintName(kOk), "ok");
    EXPECT_EQ(hintName(kCaution), "caution");
    EXPECT_EQ(hintName(kDanger), "danger");
}

} // namespace
} // namespace quenvale
