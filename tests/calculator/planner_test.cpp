#include <calculator/planner.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace quenvale {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs crystalsAndSettings(const std::vector<PlanCandidate>& plan, std::size_t count) {
    Pairs pairs;
    for (std::size_t i = 0; i < count && i < plan.size(); ++i) {
        pairs.emplace_back(plan[i].reference, plan[i].fsb);
    }
    return pairs;
}

TEST(plan_crystals, ranks_core_clock_nearest_the_target_first) {
    const auto plan = planCrystals("500", "4.5", ClockHint::Caution);
    EXPECT_EQ(crystalsAndSettings(plan, 5), (Pairs{{"12.800", "124"},
                                                   {"12.288", "129"},
                                                   {"12.000", "133.333"},
                                                   {"16.000", "100"},
                                                   {"14.318", "112"}}));
    ASSERT_FALSE(plan.empty());
    EXPECT_EQ(plan[0].core->text, "498.8406");
    EXPECT_EQ(plan[0].consequences, computeConsequences("12.800"));
    for (std::size_t i = 1; i < plan.size(); ++i) {
        EXPECT_LE(std::fabs(plan[i - 1].rankedMhz() - 500.0F),
                  std::fabs(plan[i].rankedMhz() - 500.0F));
    }
}

TEST(plan_crystals, keeps_exactly_the_candidates_within_the_limit) {
    const auto all = planCrystals("100", std::nullopt, ClockHint::Danger);
    EXPECT_EQ(all.size(), kReferencePresets.size() * kFsbPresets.size());
    for (const ClockHint limit : {ClockHint::Ok, ClockHint::Caution}) {
        const auto plan = planCrystals("100", std::nullopt, limit);
        std::size_t within = 0;
        for (const PlanCandidate& c : all) {
            within += c.pciHint <= limit && c.agpHint <= limit ? 1 : 0;
        }
        EXPECT_EQ(plan.size(), within) << hintName(limit);
        for (const PlanCandidate& c : plan) {
            EXPECT_TRUE(c.pciHint <= limit && c.agpHint <= limit) << c.reference << " " << c.fsb;
            EXPECT_FALSE(c.core);
        }
    }
}

TEST(plan_crystals, computes_with_the_dividers_a_first_pick_selects) {
    constexpr std::array<std::string_view, 1> nominal{"14.318"};
    constexpr std::array<std::string_view, 3> settings{"90", "100", "140"};
    std::vector<std::string> rows;
    for (const PlanCandidate& c :
         planCrystals("0", std::nullopt, ClockHint::Danger, nominal, settings)) {
        rows.push_back(c.fsb + " " + std::string(c.pciCaption) + " " + std::string(c.agpCaption) +
                       " " + c.clocks.texts[PciClock] + " " + c.clocks.texts[AgpClock]);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"90 1/2 2/3 45 60", "100 1/3 2/3 33.33334 66.66667",
                                              "140 1/4 1/2 35 70"}));
}

struct Tie {
    std::string target;
    std::vector<std::string_view> references, settings;
    Pairs order;
};

class plan_crystals_ties : public testing::TestWithParam<Tie> {};

TEST_P(plan_crystals_ties, are_broken_deterministically) {
    const Tie& tie = GetParam();
    EXPECT_EQ(crystalsAndSettings(planCrystals(tie.target, std::nullopt, ClockHint::Danger,
                                               tie.references, tie.settings),
                                  tie.order.size()),
              tie.order);
}

INSTANTIATE_TEST_SUITE_P(
    orders, plan_crystals_ties,
    testing::Values(
        // Both 0.5 MHz off: the lower PCI clock (1/4 of 135, not 1/3 of 134) first.
        Tie{"134.5", {"14.318"}, {"134", "135"}, {{"14.318", "135"}, {"14.318", "134"}}},
        // Both give 140 MHz and PCI 35: the crystal nearer 14.318 first.
        Tie{"140", {"7.159", "14.318"}, {"280", "140"}, {{"14.318", "140"}, {"7.159", "280"}}}));

TEST(plan_crystals, keeps_list_order_among_full_ties) {
    // Enough spellings of one setting for an unstable sort to reorder them,
    // listed against their text order.
    std::vector<std::string> texts;
    for (std::size_t zeros = 24; zeros > 0; --zeros) {
        texts.push_back("140." + std::string(zeros, '0'));
    }
    const std::vector<std::string_view> settings(texts.begin(), texts.end());
    constexpr std::array<std::string_view, 1> nominal{"14.318"};
    std::vector<std::string> order;
    for (const PlanCandidate& c :
         planCrystals("140", std::nullopt, ClockHint::Danger, nominal, settings)) {
        order.push_back(c.fsb);
    }
    EXPECT_EQ(order, texts);
}

// A drawer of crystals typed in one field: commas, Japanese commas and
// blanks between them, a repeated one once, nothing for an empty list.
TEST(listed_crystals, splits_a_typed_list) {
    const std::pair<std::string_view, std::vector<std::string_view>> cases[] = {
        {"14.7456, 14.31818 16.384", {"14.7456", "14.31818", "16.384"}},
        {"13.5、１４．３１８，13.5\u3000\t", {"13.5", "１４．３１８"}},
        {" , ", {}},
        {"", {}},
    };
    for (const auto& [text, crystals] : cases) {
        EXPECT_EQ(listedCrystals(text), crystals) << text;
    }
}

// The user's crystals, not the list's, are ranked, with the same rules.
TEST(plan_crystals, ranks_the_crystals_it_is_given) {
    constexpr std::array<std::string_view, 4> drawer{"14.7456", "14.31818", "16.384", "13.5"};
    const auto plan = planCrystals("120", std::nullopt, ClockHint::Caution, drawer);
    EXPECT_EQ(crystalsAndSettings(plan, 3),
              (Pairs{{"14.31818", "120"}, {"14.7456", "117"}, {"13.5", "129"}}));
    for (const PlanCandidate& candidate : plan) {
        EXPECT_NE(std::find(drawer.begin(), drawer.end(), candidate.reference), drawer.end());
    }
    EXPECT_EQ(planSummary("120", std::nullopt, ClockHint::Danger, 3, plan.size(), Language::English,
                          drawer.size()),
              "CPU clock nearest 120 MHz, PCI and AGP within danger: 3 of 59 from 4 given "
              "crystals");
}

} // namespace
} // namespace quenvale
