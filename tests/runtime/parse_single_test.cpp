#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quenvale {
namespace {

using namespace std::string_literals;

struct Accepted {
    std::string text;
    float value;
};

class parse_single_accepts : public testing::TestWithParam<Accepted> {};

TEST_P(parse_single_accepts, reads_nearest_single) {
    const auto& [text, value] = GetParam();
    const float parsed = parseSingle(text);
    EXPECT_EQ(parsed, value) << '"' << text << '"';
    EXPECT_EQ(std::signbit(parsed), std::signbit(value)) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(typed_frequencies, parse_single_accepts,
                         testing::Values(Accepted{"14.318", 14.318F}, Accepted{"100", 100.0F},
                                         Accepted{"133.333", 133.333F}, Accepted{"68.5", 68.5F},
                                         Accepted{"0", 0.0F}, Accepted{"-0", -0.0F},
                                         Accepted{"000123", 123.0F}, Accepted{"+5", 5.0F},
                                         Accepted{"-5", -5.0F}, Accepted{"1.", 1.0F},
                                         Accepted{".5", 0.5F}, Accepted{"-.5", -0.5F},
                                         Accepted{"1e2", 100.0F}, Accepted{"1E+2", 100.0F},
                                         Accepted{"1.5E-3", 0.0015F}, Accepted{"2.5e0", 2.5F}));

INSTANTIATE_TEST_SUITE_P(blanks_around, parse_single_accepts,
                         testing::Values(Accepted{" 100 ", 100.0F}, Accepted{"\t100\r\n", 100.0F},
                                         Accepted{"\u00a0100\u00a0", 100.0F},
                                         Accepted{"\u3000100\u3000", 100.0F},
                                         Accepted{"  -7.5  ", -7.5F}));

INSTANTIATE_TEST_SUITE_P(full_width_forms, parse_single_accepts,
                         testing::Values(Accepted{"１００", 100.0F},
                                         Accepted{"１４．３１８", 14.318F}, Accepted{"－５", -5.0F},
                                         Accepted{"＋５", 5.0F}, Accepted{"１ｅ２", 100.0F},
                                         Accepted{"１Ｅ－２", 0.01F}, Accepted{"1２.5", 12.5F},
                                         Accepted{"０１２３４５６７８９", 123456789.0F}));

INSTANTIATE_TEST_SUITE_P(rounding_and_range, parse_single_accepts,
                         testing::Values(
                             // Correctly rounded, ties to even.
                             Accepted{"16777217", 16777216.0F}, Accepted{"16777219", 16777220.0F},
                             Accepted{"0.1", 0.1F}, Accepted{"3.4028235e38", FLT_MAX},
                             Accepted{"-3.4028235e38", -FLT_MAX}, Accepted{"1e-40", 1e-40F},
                             Accepted{"1.4e-45", 0x1p-149F},
                             // Too small for a single: zero, not an error.
                             Accepted{"1e-50", 0.0F}, Accepted{"-1e-50", -0.0F},
                             Accepted{"1e-99999999999", 0.0F}, Accepted{"0e99999", 0.0F},
                             Accepted{"0.000001e-45", 0.0F}));

struct Rejected {
    std::string text;
    ErrorNumber number;
};

class parse_single_rejects : public testing::TestWithParam<Rejected> {};

TEST_P(parse_single_rejects, with_error_naming_the_text) {
    const auto& [text, number] = GetParam();
    try {
        const float value = parseSingle(text);
        ADD_FAILURE() << '"' << text << "\" read as " << value;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), number) << '"' << text << '"';
        EXPECT_EQ(error.text(), text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    not_numbers, parse_single_rejects,
    testing::Values(
        Rejected{"", ErrorNumber::TypeMismatch}, Rejected{"   ", ErrorNumber::TypeMismatch},
        Rejected{"\u3000", ErrorNumber::TypeMismatch}, Rejected{"abc", ErrorNumber::TypeMismatch},
        Rejected{"1a", ErrorNumber::TypeMismatch}, Rejected{"a1", ErrorNumber::TypeMismatch},
        Rejected{"inf", ErrorNumber::TypeMismatch}, Rejected{"-inf", ErrorNumber::TypeMismatch},
        Rejected{"Infinity", ErrorNumber::TypeMismatch}, Rejected{"nan", ErrorNumber::TypeMismatch},
        Rejected{"&H64", ErrorNumber::TypeMismatch}, Rejected{"0x10", ErrorNumber::TypeMismatch},
        Rejected{"1d2", ErrorNumber::TypeMismatch}, Rejected{"$5", ErrorNumber::TypeMismatch},
        Rejected{"¥5", ErrorNumber::TypeMismatch}, Rejected{"(5)", ErrorNumber::TypeMismatch},
        Rejected{"5-", ErrorNumber::TypeMismatch}, Rejected{"5+", ErrorNumber::TypeMismatch},
        Rejected{"5%", ErrorNumber::TypeMismatch}, Rejected{"1_000", ErrorNumber::TypeMismatch}));

INSTANTIATE_TEST_SUITE_P(
    malformed_numbers, parse_single_rejects,
    testing::Values(
        Rejected{".", ErrorNumber::TypeMismatch}, Rejected{"-", ErrorNumber::TypeMismatch},
        Rejected{"+", ErrorNumber::TypeMismatch}, Rejected{"+-5", ErrorNumber::TypeMismatch},
        Rejected{"--5", ErrorNumber::TypeMismatch}, Rejected{"- 5", ErrorNumber::TypeMismatch},
        Rejected{"1..2", ErrorNumber::TypeMismatch}, Rejected{"1.2.3", ErrorNumber::TypeMismatch},
        Rejected{"1 2", ErrorNumber::TypeMismatch}, Rejected{"1e", ErrorNumber::TypeMismatch},
        Rejected{"1e+", ErrorNumber::TypeMismatch}, Rejected{"e5", ErrorNumber::TypeMismatch},
        Rejected{".e5", ErrorNumber::TypeMismatch}, Rejected{"1e5.5", ErrorNumber::TypeMismatch},
        Rejected{"1e 5", ErrorNumber::TypeMismatch}, Rejected{"ｅ５", ErrorNumber::TypeMismatch}));

// The original runtime read "," as a thousands separator, so "14,318" became
// 14318 MHz: a comma is refused wherever it stands.
INSTANTIATE_TEST_SUITE_P(commas, parse_single_rejects,
                         testing::Values(Rejected{"14,318", ErrorNumber::TypeMismatch},
                                         Rejected{"1,000", ErrorNumber::TypeMismatch},
                                         Rejected{",5", ErrorNumber::TypeMismatch},
                                         Rejected{"5,", ErrorNumber::TypeMismatch},
                                         Rejected{"１，０００", ErrorNumber::TypeMismatch}));

INSTANTIATE_TEST_SUITE_P(
    odd_characters, parse_single_rejects,
    testing::Values(Rejected{"1\0"s
                             "00",
                             ErrorNumber::TypeMismatch},
                    Rejected{"\0"s, ErrorNumber::TypeMismatch},
                    Rejected{"10\x01", ErrorNumber::TypeMismatch},
                    Rejected{"\xef\xbc", ErrorNumber::TypeMismatch}, // cut UTF-8
                    Rejected{"1\xc2", ErrorNumber::TypeMismatch},    // cut no-break space
                    Rejected{"\xff"
                             "1",
                             ErrorNumber::TypeMismatch},      // not UTF-8
                    Rejected{"٣", ErrorNumber::TypeMismatch}, // Arabic-Indic three
                    Rejected{"¼", ErrorNumber::TypeMismatch},
                    Rejected{"😀", ErrorNumber::TypeMismatch},
                    Rejected{"１００ＭＨｚ", ErrorNumber::TypeMismatch}));

INSTANTIATE_TEST_SUITE_P(beyond_single_range, parse_single_rejects,
                         testing::Values(Rejected{"1e39", ErrorNumber::Overflow},
                                         Rejected{"-1e39", ErrorNumber::Overflow},
                                         Rejected{"-3.5e38", ErrorNumber::Overflow},
                                         // Half a place above FLT_MAX rounds to infinity.
                                         Rejected{"3.40282357e38", ErrorNumber::Overflow},
                                         Rejected{"1e99999999999", ErrorNumber::Overflow},
                                         Rejected{"0.001e42", ErrorNumber::Overflow},
                                         Rejected{"１ｅ３９", ErrorNumber::Overflow}));

TEST(parse_single, agrees_with_strtof_on_generated_decimals) {
    // Every accepted ASCII text must read exactly as strtof reads it.
    std::srand(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(std::rand() % 1000000);
        text += '.';
        text += std::to_string(std::rand());
        if (i % 3 == 0) {
            text += 'e' + std::to_string(std::rand() % 80 - 40);
        }
        const float expected = std::strtof(text.c_str(), nullptr);
        if (std::isinf(expected)) {
            EXPECT_THROW(parseSingle(text), RuntimeError) << text;
        } else {
            EXPECT_EQ(parseSingle(text), expected) << text;
        }
    }
}

TEST(parse_single, stays_bounded_on_huge_pastes) {
    const std::string zeros(100'000, '0');

    EXPECT_EQ(parseSingle("1." + zeros + "1"), 1.0F);
    EXPECT_EQ(parseSingle("0." + zeros + "1"), 0.0F);
    EXPECT_EQ(parseSingle(zeros + "42"), 42.0F);
    EXPECT_THROW(parseSingle("1" + zeros), RuntimeError);
    EXPECT_THROW(parseSingle(zeros + "x"), RuntimeError);
    std::string wide;
    for (int i = 0; i < 33'000; ++i) {
        wide += "１";
    }
    EXPECT_THROW(parseSingle(wide), RuntimeError); // 1.1e32999: overflow
    EXPECT_THROW(parseSingle(std::string(100'000, ',')), RuntimeError);
}

} // namespace
} // namespace quenvale
