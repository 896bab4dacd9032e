#include <calculator/divider_rules.h>
#include <calculator/dividers.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace quenvale {
namespace {

struct BandCase {
    float fsb;
    FsbBand band;
};

class fsb_band : public testing::TestWithParam<BandCase> {};

TEST_P(fsb_band, compares_the_single_value_with_the_whole_limits) {
    EXPECT_EQ(fsbBand(GetParam().fsb), GetParam().band) << GetParam().fsb;
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    limits, fsb_band,
    testing::Values(BandCase{-kInfinity, FsbBand::Low}, BandCase{-150.0F, FsbBand::Low},
                    BandCase{0.0F, FsbBand::Low}, BandCase{99.99999F, FsbBand::Low},
                    BandCase{std::nextafter(100.0F, 0.0F), FsbBand::Low},
                    BandCase{100.0F, FsbBand::Middle}, BandCase{133.333F, FsbBand::Middle},
                    BandCase{134.0F, FsbBand::Middle},
                    BandCase{std::nextafter(134.0F, kInfinity), FsbBand::High},
                    BandCase{134.00002F, FsbBand::High},
                    BandCase{std::numeric_limits<float>::max(), FsbBand::High},
                    BandCase{kInfinity, FsbBand::High}));

// What a pick in each band does, by caption, so that the rule is checked
// against the options as the user sees them rather than against positions.
struct RuleCase {
    FsbBand band;
    std::string pciSelected;
    std::vector<std::string> pciAvailable;
    std::string agpSelected; // empty: AGP is left as it was
};

class band_rule : public testing::TestWithParam<RuleCase> {};

TEST_P(band_rule, selects_and_leaves_available_the_bands_options) {
    const RuleCase& expected = GetParam();
    const BandRule rule = bandRule(expected.band);
    EXPECT_EQ(kPciDividers.at(rule.pci).caption, expected.pciSelected);
    std::vector<std::string> available;
    for (std::size_t i = 0; i < kPciDividers.size(); ++i) {
        if (rule.pciAvailable.at(i)) {
            available.emplace_back(kPciDividers[i].caption);
        }
    }
    EXPECT_EQ(available, expected.pciAvailable);
    EXPECT_EQ(rule.agp ? std::string(kAgpDividers.at(*rule.agp).caption) : std::string(),
              expected.agpSelected);
}

INSTANTIATE_TEST_SUITE_P(bands, band_rule,
                         testing::Values(RuleCase{FsbBand::Low, "1/2", {"1/2"}, ""},
                                         RuleCase{FsbBand::Middle, "1/3", {"1/3", "1/4"}, ""},
                                         RuleCase{FsbBand::High, "1/4", {"1/4"}, "1/2"}));

// The dividers a first pick leaves, as the planner and a single case take
// them: AGP keeps the window's initial "2/3" below the high band.
TEST(band_dividers, follow_the_fsb_text_and_refuse_a_non_number) {
    struct Case {
        const char* fsb;
        const char* pci;
        const char* agp;
    };
    for (const Case& row : {Case{"66.666", "1/2", "2/3"}, Case{"100", "1/3", "2/3"},
                            Case{"134", "1/3", "2/3"}, Case{"138", "1/4", "1/2"}}) {
        const BandDividers dividers = bandDividers(row.fsb);
        EXPECT_EQ(dividers.pci, dividerIndex(DividerGroup::Pci, row.pci)) << row.fsb;
        EXPECT_EQ(dividers.agp, dividerIndex(DividerGroup::Agp, row.agp)) << row.fsb;
    }
    EXPECT_THROW(bandDividers("abc"), RuntimeError);
}

} // namespace
} // namespace quenvale
