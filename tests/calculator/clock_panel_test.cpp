#include <calculator/clock_panel.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quenvale {
namespace {

std::array<bool, 3> enabledFlags(const OptionGroup& group) {
    return {group.isEnabled(0), group.isEnabled(1), group.isEnabled(2)};
}

ClockPanel loadedPanel() {
    ClockPanel panel;
    panel.load();
    return panel;
}

TEST(clock_panel, starts_with_window_defaults) {
    const ClockPanel panel;
    EXPECT_EQ(panel.referenceText, "14.318");
    EXPECT_EQ(panel.fsbText, "100");
    EXPECT_TRUE(panel.referenceList.empty());
    EXPECT_TRUE(panel.fsbList.empty());
    EXPECT_EQ(panel.pci.selection(), 1U);
    EXPECT_EQ(panel.agp.selection(), 1U);
    EXPECT_EQ(enabledFlags(panel.pci), (std::array{true, true, true}));
    EXPECT_EQ(enabledFlags(panel.agp), (std::array{true, true, true}));
    EXPECT_EQ(panel.results, (std::array<std::string, 3>{}));
    EXPECT_TRUE(panel.calculateEnabled);
}

TEST(clock_panel, load_fills_lists_in_order_and_sets_fsb_100_band) {
    const ClockPanel panel = loadedPanel();
    // Every text as the list shows it, in order: one typo would pass any
    // numeric check.
    EXPECT_EQ(panel.referenceList,
              (std::vector<std::string>{"12.000", "12.288", "12.800", "14.318", "15.000", "16.000",
                                        "17.640", "17.734", "18.000", "18.432", "19.660", "19.832",
                                        "20.000", "20.945", "21.400", "21.477", "21.855", "22.118",
                                        "24.000"}));
    EXPECT_EQ(panel.fsbList,
              (std::vector<std::string>{"66.666", "68.5", "75",  "83.333", "90",  "100", "103",
                                        "110",    "112",  "117", "120",    "124", "129", "133.333",
                                        "138",    "140",  "143", "148",    "150", "153", "160"}));
    // The box texts are not taken from the lists.
    EXPECT_EQ(panel.referenceText, "14.318");
    EXPECT_EQ(panel.fsbText, "100");
    EXPECT_EQ(enabledFlags(panel.pci), (std::array{false, true, true}));
    EXPECT_EQ(panel.pci.selection(), 1U);
    EXPECT_EQ(enabledFlags(panel.agp), (std::array{true, true, true}));
    EXPECT_EQ(panel.agp.selection(), 1U);
}

TEST(clock_panel, calculate_right_after_load_writes_results_and_disarms) {
    ClockPanel panel = loadedPanel();
    panel.calculate();
    EXPECT_EQ(panel.results, (std::array<std::string, 3>{"100", "33.33334", "66.66667"}));
    EXPECT_FALSE(panel.calculateEnabled);
}

TEST(clock_panel, typical_use_from_reference_pick_to_results) {
    ClockPanel panel = loadedPanel();
    panel.pickListItem(InputBox::Reference, 4); // "15.000"
    EXPECT_EQ(panel.referenceText, "15.000");
    EXPECT_EQ(panel.pci.selection(), 1U);
    EXPECT_FALSE(panel.pci.isEnabled(0));
    EXPECT_TRUE(panel.calculateEnabled);
    panel.calculate();
    EXPECT_EQ(panel.results, (std::array<std::string, 3>{"104.7632", "34.92108", "69.84216"}));
    EXPECT_FALSE(panel.calculateEnabled);
}

TEST(clock_panel, every_change_rearms_calculate) {
    struct Gesture {
        const char* name;
        void (*apply)(ClockPanel&);
    };
    const Gesture gestures[] = {
        {"edit reference", [](ClockPanel& p) { p.editInput(InputBox::Reference, "15"); }},
        {"edit fsb", [](ClockPanel& p) { p.editInput(InputBox::Fsb, "101.5"); }},
        {"pick reference", [](ClockPanel& p) { p.pickListItem(InputBox::Reference, 0); }},
        {"pick fsb", [](ClockPanel& p) { p.pickListItem(InputBox::Fsb, 20); }},
        {"click pci", [](ClockPanel& p) { p.clickDivider(DividerGroup::Pci, 2); }},
        {"click agp", [](ClockPanel& p) { p.clickDivider(DividerGroup::Agp, 0); }},
        {"reclick selected", [](ClockPanel& p) { p.clickDivider(DividerGroup::Agp, 1); }},
    };
    for (const auto& gesture : gestures) {
        ClockPanel panel = loadedPanel();
        panel.calculate();
        ASSERT_FALSE(panel.calculateEnabled);
        gesture.apply(panel);
        EXPECT_TRUE(panel.calculateEnabled) << gesture.name;
    }
}

TEST(clock_panel, typing_runs_no_divider_rule) {
    ClockPanel panel = loadedPanel();
    const ClockPanel before = panel;
    panel.editInput(InputBox::Fsb, "90");
    EXPECT_EQ(panel.pci, before.pci);
    EXPECT_EQ(panel.agp, before.agp);
    EXPECT_FALSE(panel.pci.isEnabled(0)); // "1/2" only comes back with a pick
    panel.pickListItem(InputBox::Reference, 0);
    EXPECT_TRUE(panel.pci.isEnabled(0));
    EXPECT_EQ(panel.pci.selection(), 0U);
}

TEST(clock_panel, divider_click_selects_one_per_group_and_ignores_disabled) {
    ClockPanel panel = loadedPanel();
    EXPECT_FALSE(panel.clickDivider(DividerGroup::Pci, 0)); // disabled after load
    EXPECT_EQ(panel.pci.selection(), 1U);

    panel.calculate();
    EXPECT_FALSE(panel.clickDivider(DividerGroup::Pci, 0));
    EXPECT_FALSE(panel.calculateEnabled); // nothing was clicked

    EXPECT_TRUE(panel.clickDivider(DividerGroup::Pci, 2));
    EXPECT_EQ(panel.pci.selection(), 2U);
    EXPECT_FALSE(panel.pci.isSelected(1));
    EXPECT_TRUE(panel.clickDivider(DividerGroup::Agp, 2));
    EXPECT_EQ(panel.agp.selection(), 2U);
    EXPECT_EQ(panel.pci.selection(), 2U); // groups are independent

    panel.calculate();
    EXPECT_EQ(panel.results, (std::array<std::string, 3>{"100", "25", "50"}));
}

struct BadInput {
    InputBox box;
    std::string text;
    ErrorNumber number;
};

class clock_panel_failed_calculate : public testing::TestWithParam<BadInput> {};

TEST_P(clock_panel_failed_calculate, changes_nothing_and_reports) {
    ClockPanel panel = loadedPanel();
    panel.calculate();
    panel.editInput(GetParam().box, GetParam().text);
    const ClockPanel before = panel;
    try {
        panel.calculate();
        ADD_FAILURE() << "no error for " << GetParam().text;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), GetParam().number);
    }
    EXPECT_EQ(panel, before);
    EXPECT_EQ(panel.results, (std::array<std::string, 3>{"100", "33.33334", "66.66667"}));
    EXPECT_TRUE(panel.calculateEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    inputs, clock_panel_failed_calculate,
    testing::Values(BadInput{InputBox::Reference, "abc", ErrorNumber::TypeMismatch},
                    BadInput{InputBox::Reference, "", ErrorNumber::TypeMismatch},
                    BadInput{InputBox::Fsb, "14,318", ErrorNumber::TypeMismatch},
                    BadInput{InputBox::Fsb, "1e39", ErrorNumber::Overflow},
                    // A single, but the CPU clock it gives is not.
                    BadInput{InputBox::Reference, "1e38", ErrorNumber::Overflow}));

TEST(clock_panel, failed_pick_keeps_options_and_flag) {
    ClockPanel panel = loadedPanel();
    panel.calculate();
    panel.fsbText = "abc"; // typed without an edit event reaching the panel
    const ClockPanel before = panel;
    EXPECT_THROW(panel.listPicked(), RuntimeError);
    EXPECT_EQ(panel, before);
    EXPECT_FALSE(panel.calculateEnabled);

    // A pick from the reference list reads the FSB box too; the picked text
    // itself stays in its box.
    EXPECT_THROW(panel.pickListItem(InputBox::Reference, 0), RuntimeError);
    EXPECT_EQ(panel.referenceText, "12.000");
    EXPECT_EQ(panel.pci, before.pci);
    EXPECT_EQ(panel.agp, before.agp);
    EXPECT_EQ(panel.results, before.results);
}

struct HintedCase {
    std::string reference;
    std::string fsb;
    std::size_t pci;
    std::size_t agp;
    std::array<std::string, 3> results;
    std::array<ClockHint, 3> hints;
};

class clock_panel_hints : public testing::TestWithParam<HintedCase> {};

// The hints follow the values that gave the texts, not the texts, and the
// CPU clock never has one.
TEST_P(clock_panel_hints, are_written_with_the_results) {
    ClockPanel panel = loadedPanel();
    panel.editInput(InputBox::Reference, GetParam().reference);
    panel.editInput(InputBox::Fsb, GetParam().fsb);
    panel.clickDivider(DividerGroup::Pci, GetParam().pci);
    panel.clickDivider(DividerGroup::Agp, GetParam().agp);
    panel.calculate();
    EXPECT_EQ(panel.results, GetParam().results);
    EXPECT_EQ(panel.hints, GetParam().hints);
}

constexpr auto kOk = ClockHint::Ok;
constexpr auto kCaution = ClockHint::Caution;
constexpr auto kDanger = ClockHint::Danger;

INSTANTIATE_TEST_SUITE_P(
    buses, clock_panel_hints,
    testing::Values(
        HintedCase{"14.318", "100", 1, 1, {"100", "33.33334", "66.66667"}, {kOk, kOk, kOk}},
        HintedCase{"14.318", "112", 1, 1, {"112", "37.33334", "74.66667"}, {kOk, kOk, kOk}},
        HintedCase{"14.318", "117", 1, 1, {"117", "39", "78"}, {kOk, kCaution, kCaution}},
        HintedCase{"14.318", "120", 2, 1, {"120", "30", "80"}, {kOk, kOk, kCaution}},
        HintedCase{"14.318",
                   "133.333",
                   1,
                   1,
                   {"133.333", "44.44433", "88.88866"},
                   {kOk, kDanger, kDanger}},
        // Exactly 112.5 % of the PCI nominal is still fine.
        HintedCase{"14.318", "150", 2, 1, {"150", "37.5", "100"}, {kOk, kOk, kDanger}},
        // A doubled crystal: the typed FSB is harmless, the board is not.
        HintedCase{"28.636", "100", 1, 2, {"200", "66.66667", "100"}, {kOk, kDanger, kDanger}}));

TEST(clock_panel, hints_change_only_with_a_successful_calculation) {
    ClockPanel panel = loadedPanel();
    panel.editInput(InputBox::Fsb, "133.333");
    panel.calculate();
    ASSERT_EQ(panel.hints, (std::array{kOk, kDanger, kDanger}));

    panel.editInput(InputBox::Fsb, "100");
    EXPECT_EQ(panel.hints, (std::array{kOk, kDanger, kDanger})); // still the shown results'
    panel.editInput(InputBox::Reference, "abc");
    const ClockPanel before = panel;
    EXPECT_THROW(panel.calculate(), RuntimeError);
    EXPECT_EQ(panel, before);

    panel.editInput(InputBox::Reference, "14.318");
    panel.calculate();
    EXPECT_EQ(panel.hints, (std::array{kOk, kOk, kOk}));
}

TEST(clock_panel, exit_records_request_only) {
    ClockPanel panel = loadedPanel();
    const ClockPanel before = panel;
    panel.exit();
    EXPECT_TRUE(panel.exitRequested);
    panel.exitRequested = false;
    EXPECT_EQ(panel, before);
}

} // namespace
} // namespace quenvale
