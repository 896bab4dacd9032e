#include <calculator/clock_panel.h>
#include <calculator/divider_rules.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quenvale {
namespace {

struct Band {
    std::string fsb;
    std::array<bool, 3> pciEnabled;
    std::size_t pciSelected;
    std::size_t agpSelected; // starting from "2/3"
};

class apply_fsb_rules : public testing::TestWithParam<Band> {};

TEST_P(apply_fsb_rules, sets_band_dividers_and_arms_calculate) {
    const Band& band = GetParam();
    ClockPanel panel;
    panel.load();
    panel.calculate();
    panel.fsbText = band.fsb;
    applyFsbRules(panel);
    EXPECT_EQ((std::array{panel.pci.isEnabled(0), panel.pci.isEnabled(1), panel.pci.isEnabled(2)}),
              band.pciEnabled);
    EXPECT_EQ(panel.pci.selection(), band.pciSelected);
    EXPECT_EQ(panel.agp.selection(), band.agpSelected);
    EXPECT_EQ((std::array{panel.agp.isEnabled(0), panel.agp.isEnabled(1), panel.agp.isEnabled(2)}),
              (std::array{true, true, true}));
    EXPECT_TRUE(panel.calculateEnabled);
}

constexpr std::array kBelow{true, false, false};
constexpr std::array kMiddle{false, true, true};
constexpr std::array kAbove{false, false, true};

INSTANTIATE_TEST_SUITE_P(bands, apply_fsb_rules,
                         testing::Values(Band{"66.666", kBelow, 0, 1}, Band{"90", kBelow, 0, 1},
                                         Band{"99.9", kBelow, 0, 1}, Band{"99.99999", kBelow, 0, 1},
                                         Band{"-5", kBelow, 0, 1}, Band{"100", kMiddle, 1, 1},
                                         Band{"１００", kMiddle, 1, 1},
                                         Band{"133.333", kMiddle, 1, 1}, Band{"134", kMiddle, 1, 1},
                                         Band{"134.00001", kAbove, 2, 2}, Band{"138", kAbove, 2, 2},
                                         Band{"160", kAbove, 2, 2}, Band{"1e30", kAbove, 2, 2}));

TEST(apply_fsb_rules, every_fsb_list_item_lands_in_its_band) {
    // The PCI divider each item of the FSB list selects: 1/2, 1/3 or 1/4.
    constexpr std::array<std::size_t, 21> kSelected{0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
                                                    1, 1, 1, 2, 2, 2, 2, 2, 2, 2};
    ClockPanel panel;
    panel.load();
    for (std::size_t i = 0; i < kFsbPresets.size(); ++i) {
        panel.pickListItem(InputBox::Fsb, i);
        const std::size_t expected = kSelected.at(i);
        EXPECT_EQ(panel.pci.selection(), expected) << panel.fsbText;
        for (std::size_t option = 0; option < 3; ++option) {
            // Only the band's own option and, in the middle band, "1/4".
            const bool available = option == expected || (expected == 1 && option == 2);
            EXPECT_EQ(panel.pci.isEnabled(option), available) << panel.fsbText << " " << option;
        }
    }
}

TEST(apply_fsb_rules, agp_half_stays_after_leaving_top_band) {
    ClockPanel panel;
    panel.load();
    panel.pickListItem(InputBox::Fsb, 15); // "140"
    EXPECT_EQ(panel.agp.selection(), 2U);
    panel.pickListItem(InputBox::Fsb, 5); // "100"
    EXPECT_EQ(panel.pci.selection(), 1U);
    EXPECT_TRUE(panel.pci.isEnabled(2));
    EXPECT_FALSE(panel.pci.isEnabled(0));
    EXPECT_EQ(panel.agp.selection(), 2U);
    panel.pickListItem(InputBox::Fsb, 0); // "66.666"
    EXPECT_EQ(panel.agp.selection(), 2U);
}

TEST(apply_fsb_rules, reference_pick_reapplies_the_fsb_band) {
    ClockPanel panel;
    panel.load();
    panel.editInput(InputBox::Fsb, "66.666");
    panel.calculate();
    panel.pickListItem(InputBox::Reference, 4); // "15.000"
    EXPECT_EQ(panel.pci.selection(), 0U);
    EXPECT_TRUE(panel.pci.isEnabled(0));
    EXPECT_TRUE(panel.calculateEnabled);
    panel.calculate();
    EXPECT_EQ(panel.results[0], "69.84146");
}

TEST(apply_fsb_rules, non_numeric_fsb_changes_nothing) {
    for (const char* text : {"abc", "", "1,000", "1e39"}) {
        ClockPanel panel;
        panel.load();
        panel.calculate();
        panel.fsbText = text;
        const ClockPanel before = panel;
        EXPECT_THROW(applyFsbRules(panel), RuntimeError) << text;
        EXPECT_EQ(panel, before) << text;
    }
}

} // namespace
} // namespace quenvale
