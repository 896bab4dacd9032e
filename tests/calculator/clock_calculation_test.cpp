#include <calculator/clock_calculation.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <string>

namespace quenvale {
namespace {

struct Case {
    std::string reference;
    std::string fsb;
    DividerChoice pci;
    DividerChoice agp;
    std::string cpu;
    std::string pciClock;
    std::string agpClock;
};

constexpr std::size_t kHalfPci = 0, kThirdPci = 1, kQuarterPci = 2;
constexpr std::size_t kOneAgp = 0, kTwoThirdsAgp = 1, kHalfAgp = 2;

class compute_clocks : public testing::TestWithParam<Case> {};

TEST_P(compute_clocks, shows_exact_texts) {
    const Case& c = GetParam();
    const ClockResults results = computeClocks(c.pci, c.agp, c.reference, c.fsb);
    EXPECT_EQ(results.texts[CpuClock], c.cpu);
    EXPECT_EQ(results.texts[PciClock], c.pciClock);
    EXPECT_EQ(results.texts[AgpClock], c.agpClock);
}

// The texts the original showed, character for character.
INSTANTIATE_TEST_SUITE_P(
    worked_values, compute_clocks,
    testing::Values(
        Case{"14.318", "100", kThirdPci, kTwoThirdsAgp, "100", "33.33334", "66.66667"},
        Case{"14.318", "66.666", kHalfPci, kOneAgp, "66.666", "33.333", "66.666"},
        Case{"15.000", "100", kThirdPci, kTwoThirdsAgp, "104.7632", "34.92108", "69.84216"},
        Case{"14.318", "133.333", kThirdPci, kTwoThirdsAgp, "133.333", "44.44433", "88.88866"},
        Case{"14.318", "140", kQuarterPci, kHalfAgp, "140", "35", "70"},
        Case{"24.000", "160", kQuarterPci, kHalfAgp, "268.1939", "67.04847", "134.0969"},
        Case{"12.000", "66.666", kHalfPci, kOneAgp, "55.87317", "27.93658", "55.87317"}));

INSTANTIATE_TEST_SUITE_P(edges, compute_clocks,
                         testing::Values(
                             // No option selected in a group: that clock is 0.
                             Case{"14.318", "100", std::nullopt, kOneAgp, "100", "0", "100"},
                             Case{"14.318", "100", kHalfPci, std::nullopt, "100", "50", "0"},
                             // Zero and negative inputs are computed like any number.
                             Case{"14.318", "0", kThirdPci, kTwoThirdsAgp, "0", "0", "0"},
                             Case{"0", "100", kThirdPci, kTwoThirdsAgp, "0", "0", "0"},
                             Case{"14.318", "-100", kHalfPci, kOneAgp, "-100", "-50", "-100"},
                             // Typed forms read like the list's.
                             Case{"１５", " 100 ", kThirdPci, kTwoThirdsAgp, "104.7632", "34.92108",
                                  "69.84216"},
                             // Very large but still within the single range: exponent form.
                             Case{"14.318", "1e30", kHalfPci, kOneAgp, "1E+30", "5E+29", "1E+30"}));

// The worked values come out the same under several wrong orders of
// rounding; each of these does not. "ratio" would fail if ref / 14.318 were
// stored as single before the FSB multiplies it, "nominal" if 14.318 were held
// as a single (or the division done in single precision), "cpu" if PCI and
// AGP were taken from the CPU clock before it is stored as single.
INSTANTIATE_TEST_SUITE_P(
    precision_chain, compute_clocks,
    testing::Values(
        // ratio: 69.84187
        Case{"12.000", "83.333", kHalfPci, kOneAgp, "69.84188", "34.92094", "69.84188"},
        // ratio: 69.84187, 23.28062, 46.56125; cpu: AGP 46.56125
        Case{"12.000", "83.333", kThirdPci, kTwoThirdsAgp, "69.84188", "23.28063", "46.56126"},
        // nominal: PCI and AGP 41.9053
        Case{"12.000", "100", kHalfPci, kHalfAgp, "83.81059", "41.90529", "41.90529"},
        // ratio and nominal: 94.40425, 62.93617
        Case{"12.288", "110", kThirdPci, kTwoThirdsAgp, "94.40424", "31.46808", "62.93616"},
        // nominal and cpu: PCI 37.24906, AGP 74.49812
        Case{"12.000", "133.333", kThirdPci, kTwoThirdsAgp, "111.7472", "37.24905", "74.49811"}));

TEST(compute_clocks, nominal_reference_gives_fsb_rounded_to_single) {
    for (const char* fsb : {"66.666", "68.5", "83.333", "103", "117", "133.333", "153"}) {
        const ClockResults results = computeClocks(kHalfPci, kOneAgp, "14.318", fsb);
        EXPECT_EQ(results.values[CpuClock], std::stof(fsb)) << fsb;
    }
}

TEST(divider_factors, are_quotients_rounded_to_single) {
    EXPECT_EQ(pciFactor(kHalfPci), 0.5F);
    EXPECT_EQ(pciFactor(kThirdPci), 0.33333334F);
    EXPECT_EQ(pciFactor(kQuarterPci), 0.25F);
    EXPECT_EQ(pciFactor(std::nullopt), 0.0F);
    EXPECT_EQ(agpFactor(kOneAgp), 1.0F);
    EXPECT_EQ(agpFactor(kTwoThirdsAgp), 0.6666667F);
    EXPECT_EQ(agpFactor(kHalfAgp), 0.5F);
    EXPECT_EQ(agpFactor(std::nullopt), 0.0F);
}

struct Failure {
    std::string reference;
    std::string fsb;
    ErrorNumber number;
    std::optional<std::string> text; // the text named by the error
};

class compute_clocks_fails : public testing::TestWithParam<Failure> {};

TEST_P(compute_clocks_fails, with_runtime_error) {
    const Failure& f = GetParam();
    try {
        computeClocks(kThirdPci, kTwoThirdsAgp, f.reference, f.fsb);
        ADD_FAILURE() << "no error for " << f.reference << ", " << f.fsb;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), f.number);
        EXPECT_EQ(error.text(), f.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    bad_inputs, compute_clocks_fails,
    testing::Values(Failure{"abc", "100", ErrorNumber::TypeMismatch, "abc"},
                    Failure{"14.318", "", ErrorNumber::TypeMismatch, ""},
                    // The reference text is converted first.
                    Failure{"x", "y", ErrorNumber::TypeMismatch, "x"},
                    Failure{"1e39", "zz", ErrorNumber::Overflow, "1e39"},
                    Failure{"14,318", "100", ErrorNumber::TypeMismatch, "14,318"},
                    Failure{"14.318", "-1e39", ErrorNumber::Overflow, "-1e39"},
                    // Both inputs are singles, but their product is not.
                    Failure{"3e38", "3e38", ErrorNumber::Overflow, std::nullopt},
                    Failure{"1e20", "-1e20", ErrorNumber::Overflow, std::nullopt}));

} // namespace
} // namespace quenvale
