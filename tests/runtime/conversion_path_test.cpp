#include <runtime/conversion_path.h>
#include <runtime/exact_decimal.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The browser build's conversions, compiled here beside the standard
// library's, must agree with them on every value and every text. Here they
// run on this system's C library; the browser's own runs the library's
// tests under node.
namespace quenvale {
namespace {

static_assert(kHasStandardConversions, "the native build uses the standard conversions");

// A float's bits, or the number of the error a text raised.
struct Reading {
    std::optional<std::uint32_t> bits;
    std::optional<ErrorNumber> error;
    bool operator==(const Reading&) const = default;
};

Reading readVia(ConversionPath path, const std::string& text) {
    try {
        return {std::bit_cast<std::uint32_t>(parseSingleVia(path, text)), std::nullopt};
    } catch (const RuntimeError& error) {
        return {std::nullopt, error.number()};
    }
}

std::string printed(const char* format, double value) {
    std::array<char, 128> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return buffer.data();
}

// Every 1,499th bit pattern, about 2.9 million: all exponents, both signs,
// the subnormals, and the infinities and NaNs among them.
constexpr std::uint64_t kStride = 1'499;

TEST(conversion_paths, write_the_same_digits_for_sampled_bit_patterns) {
    std::size_t compared = 0;
    for (std::uint64_t bits = 0; bits < 0x1'0000'0000ULL; bits += kStride) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        ASSERT_EQ(formatSingleVia(ConversionPath::Portable, value),
                  formatSingleVia(ConversionPath::Standard, value))
            << "bits 0x" << std::hex << bits;
        ++compared;
    }
    EXPECT_GT(compared, 2'800'000U);
}

TEST(conversion_paths, write_the_same_digits_at_the_edges) {
    std::vector<float> values{0.0F,       -0.0F,       FLT_MAX,     -FLT_MAX,     FLT_MIN,
                              0x1p-149F,  654322.25F,  654322.75F,  1234568.5F,   12345675.0F,
                              999999.94F, 0.09999999F, 0.99999994F, 9999999.0F,   99999999.0F,
                              INFINITY,   -INFINITY,   NAN,         0.5000000596F};
    // Around each power of ten, where the digit count changes.
    for (int exponent = -45; exponent <= 38; ++exponent) {
        float below = std::strtof(("1e" + std::to_string(exponent)).c_str(), nullptr);
        float above = below;
        for (int step = 0; step < 50; ++step) {
            values.push_back(below);
            values.push_back(above);
            below = std::nextafter(below, 0.0F);
            above = std::nextafter(above, FLT_MAX);
        }
    }
    // Seven-digit ties and their neighbours.
    for (int n = 100'000; n < 1'000'000; n += 997) {
        const float tie = static_cast<float>(n) + 0.25F;
        values.insert(values.end(), {tie, std::nextafter(tie, 0.0F), std::nextafter(tie, FLT_MAX)});
    }
    for (const float value : values) {
        EXPECT_EQ(formatSingleVia(ConversionPath::Portable, value),
                  formatSingleVia(ConversionPath::Standard, value))
            << "bits 0x" << std::hex << std::bit_cast<std::uint32_t>(value);
    }
}

// The page's lengths in CSS (twips in pixels, points), written without printf.
TEST(conversion_paths, write_lengths_as_printf_general_format_does) {
    std::vector<double> values{0.0, -0.0, 1e-5, 1.5e-4, 1e-4, 999999.5, 1e6, 123456.5, -2.5};
    for (int twips = 0; twips < 20'000; twips += 7) {
        values.push_back(twips / 15.0);
        values.push_back(twips * 0.25);
    }
    for (const double value : values) {
        std::array<char, kMaxWrittenChars> text{};
        EXPECT_EQ(std::string(text.data(), writeGeneral(value, text.data())), printed("%g", value));
    }
}

TEST(conversion_paths, read_the_same_singles_from_texts_of_sampled_values) {
    // Each sampled value written with too few, just enough and too many
    // digits, and the exact midpoints to its neighbours, where rounding ties.
    for (std::uint64_t bits = 0; bits < 0x7F80'0000ULL; bits += kStride * 8) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        const double next = std::nextafter(value, INFINITY);
        const double midpoint = (static_cast<double>(value) + next) / 2;
        for (const std::string& text :
             {printed("%.6g", value), printed("%.9g", value), printed("%.12e", value),
              printed("%.17g", midpoint), printed("-%.17g", midpoint), printed("%.25e", midpoint),
              printed("%.0f", value), printed("%.45f", value), printed("%.120e", midpoint)}) {
            ASSERT_EQ(readVia(ConversionPath::Portable, text),
                      readVia(ConversionPath::Standard, text))
                << text;
        }
    }
}

TEST(conversion_paths, read_the_same_from_edge_texts) {
    const std::string zeros(5'000, '0');
    // 1 + 2^-24, halfway between 1 and the next single; above it only past
    // the 115th digit.
    const std::string tie = "1.000000059604644775390625";
    for (const std::string& text : std::vector<std::string>{"14.318",
                                                            "100",
                                                            "-0",
                                                            "+5",
                                                            "1.",
                                                            ".5",
                                                            "1e2",
                                                            "１４．３１８",
                                                            "\u3000100\u3000",
                                                            "16777217",
                                                            "16777219",
                                                            "3.4028235e38",
                                                            "3.40282357e38",
                                                            "3.4028234663852886e38",
                                                            "3.4028235677973366e38",
                                                            "1e39",
                                                            "-1e39",
                                                            "0.001e42",
                                                            "1e-40",
                                                            "1.4e-45",
                                                            "7e-46",
                                                            "7.006492321624085e-46",
                                                            "7.006492321624086e-46",
                                                            "1e-50",
                                                            "-1e-50",
                                                            "1e-99999999999",
                                                            "1e99999999999",
                                                            "0e99999",
                                                            "0.000001e-45",
                                                            "",
                                                            "abc",
                                                            "inf",
                                                            "nan",
                                                            "0x10",
                                                            "1,000",
                                                            "1e",
                                                            "1" + zeros,
                                                            "1." + zeros + "1",
                                                            "0." + zeros + "1",
                                                            zeros + "42",
                                                            "0." + zeros + "14013e5000",
                                                            tie,
                                                            tie + zeros + "1"}) {
        EXPECT_EQ(readVia(ConversionPath::Portable, text), readVia(ConversionPath::Standard, text))
            << text;
    }
}

} // namespace
} // namespace quenvale
