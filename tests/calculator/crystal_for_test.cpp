#include <calculator/crystal_for.h>
#include <runtime/format_single.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

namespace quenvale {
namespace {

struct Found {
    std::string target;
    std::string fsb;
    std::string crystal; // as the output shows it
    std::optional<std::size_t> below;
    std::optional<std::size_t> above;
};

TEST(crystal_for, finds_the_crystal_and_its_listed_neighbours) {
    const Found cases[] = {
        {"150", "133", "16.14812", 5, 6},
        // The nominal crystal itself is at or below what is needed.
        {"100", "100", "14.318", 3, 4},
        // Past either end of the list: no neighbour there.
        {"1", "200", "0.07159", std::nullopt, 0},
        {"5000", "66", "1084.697", 18, std::nullopt},
    };
    for (const Found& c : cases) {
        const auto found = crystalFor(c.target, c.fsb);
        ASSERT_TRUE(std::holds_alternative<CrystalChoice>(found)) << c.target << " @ " << c.fsb;
        const CrystalChoice& choice = std::get<CrystalChoice>(found);
        EXPECT_EQ(formatSingle(choice.crystal), c.crystal) << c.target << " @ " << c.fsb;
        EXPECT_EQ(choice.below, c.below) << c.target << " @ " << c.fsb;
        EXPECT_EQ(choice.above, c.above) << c.target << " @ " << c.fsb;
    }
}

TEST(crystal_for, refuses_what_no_crystal_gives_and_fails_as_the_clocks_do) {
    // The FSB is judged first: with both at 0 it is the FSB that is refused.
    const std::tuple<std::string, std::string, NoCrystal> refused[] = {
        {"150", "0", NoCrystal::FsbNotPositive},     {"0", "0", NoCrystal::FsbNotPositive},
        {"150", "-100", NoCrystal::FsbNotPositive},  {"0", "100", NoCrystal::TargetNotPositive},
        {"-5", "100", NoCrystal::TargetNotPositive},
    };
    for (const auto& [target, fsb, why] : refused) {
        const auto found = crystalFor(target, fsb);
        ASSERT_TRUE(std::holds_alternative<NoCrystal>(found)) << target << " @ " << fsb;
        EXPECT_EQ(std::get<NoCrystal>(found), why) << target << " @ " << fsb;
    }
    // A text that is not a number, and a crystal beyond the single range.
    EXPECT_THROW(crystalFor("abc", "100"), RuntimeError);
    EXPECT_THROW(crystalFor("150", "x"), RuntimeError);
    try {
        crystalFor("1e38", "1e-30");
        ADD_FAILURE() << "an overflowing crystal was returned";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
}

} // namespace
} // namespace quenvale
