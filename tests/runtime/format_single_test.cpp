#include <runtime/format_single.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace quenvale {
namespace {

struct Example {
    float value;
    const char* text;
};

class format_single_writes : public testing::TestWithParam<Example> {};

TEST_P(format_single_writes, general_format) {
    EXPECT_EQ(formatSingle(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    fixed_notation, format_single_writes,
    testing::Values(Example{0.5F, "0.5"}, Example{0.00005F, "0.00005"},
                    Example{0.0000005F, "0.0000005"}, Example{3.1415927F, "3.141593"},
                    Example{1234.5679F, "1234.568"}, Example{-6700000.0F, "-6700000"},
                    Example{100.0F, "100"}, Example{66.666F, "66.666"}, Example{0.1F, "0.1"},
                    Example{9999999.0F, "9999999"}, Example{0.99999994F, "0.9999999"},
                    Example{-0.25F, "-0.25"}));

// The exact binary value rounded to seven digits with ties away from zero,
// where to_chars and printf would round ties to even.
INSTANTIATE_TEST_SUITE_P(
    ties_away_from_zero, format_single_writes,
    testing::Values(Example{654322.25F, "654322.3"}, Example{-654322.25F, "-654322.3"},
                    Example{654322.75F, "654322.8"}, Example{1234568.5F, "1234569"},
                    Example{1234567.5F, "1234568"}, Example{0.5000000596F, "0.5000001"},
                    Example{12345675.0F, "1.234568E+07"}, Example{12345665.0F, "1.234567E+07"},
                    Example{999999.94F, "999999.9"}));

INSTANTIATE_TEST_SUITE_P(
    exponent_notation, format_single_writes,
    testing::Values(Example{1E+07F, "1E+07"}, Example{12345678.0F, "1.234568E+07"},
                    Example{0.09999999F, "9.999999E-02"}, Example{5E-08F, "5E-08"},
                    Example{1.2E+15F, "1.2E+15"}, Example{-1.2E+15F, "-1.2E+15"},
                    Example{FLT_MAX, "3.402823E+38"}, Example{0x1p-149F, "1.401298E-45"},
                    Example{FLT_MIN, "1.175494E-38"}, Example{99999999.0F, "1E+08"}));

INSTANTIATE_TEST_SUITE_P(zeros, format_single_writes,
                         testing::Values(Example{0.0F, "0"}, Example{-0.0F, "0"}));

// An exact decimal expansion of a float, built without to_chars or printf:
// value = m * 2^e, written as N * 10^shift with N an integer held in base
// 10^9 limbs.
class ExactDecimal {
public:
    explicit ExactDecimal(float value) {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(static_cast<double>(value)), &exponent);
        auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
        exponent -= 24;
        limbs_ = {static_cast<std::uint32_t>(mantissa % kBase),
                  static_cast<std::uint32_t>(mantissa / kBase)};
        if (exponent >= 0) {
            for (int i = 0; i < exponent; ++i) {
                multiply(2);
            }
        } else {
            for (int i = 0; i < -exponent; ++i) {
                multiply(5);
            }
            shift_ = exponent;
        }
    }

    // The significant digits and the power of ten of the first one.
    std::string digits() const {
        std::string out;
        for (auto it = limbs_.rbegin(); it != limbs_.rend(); ++it) {
            std::string limb = std::to_string(*it);
            out += std::string(9 - limb.size(), '0') + limb;
        }
        out.erase(0, out.find_first_not_of('0'));
        return out;
    }
    int shift() const { return shift_; }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    std::vector<std::uint32_t> limbs_;
    int shift_ = 0;
};

// The general format written out from the exact expansion.
std::string expectedGeneral(float value) {
    if (value == 0.0F) {
        return "0";
    }
    const ExactDecimal exact(value);
    std::string digits = exact.digits();
    int exponent = static_cast<int>(digits.size()) - 1 + exact.shift();
    if (digits.size() > 7) {
        const bool up = digits[7] >= '5';
        digits.resize(7);
        if (up) {
            int i = 6;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i--)] = '0';
            }
            if (i < 0) {
                digits = "1000000";
                ++exponent;
            } else {
                ++digits[static_cast<std::size_t>(i)];
            }
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    const int significant = static_cast<int>(digits.size());

    std::string out = value < 0 ? "-" : "";
    if (exponent <= 6 && significant - 1 - exponent <= 7) {
        if (exponent < 0) {
            return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        const auto whole = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= whole) {
            return out + digits + std::string(whole - digits.size(), '0');
        }
        return out + digits.substr(0, whole) + "." + digits.substr(whole);
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += "." + digits.substr(1);
    }
    const int magnitude = std::abs(exponent);
    return out + (exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") +
           std::to_string(magnitude);
}

// std::bit_cast is missing from the browser build's libc++.
std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float fromBits(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void expectMatchesExact(float value) {
    ASSERT_EQ(formatSingle(value), expectedGeneral(value))
        << "bits 0x" << std::hex << bitsOf(value);
}

TEST(format_single, matches_exact_rounding_on_sampled_bit_patterns) {
    // A prime stride visits every exponent and many mantissas of both signs.
    constexpr std::uint64_t kStride = 10'007;
    for (std::uint64_t bits = 1; bits < 0x1'0000'0000ULL; bits += kStride) {
        const auto value = fromBits(static_cast<std::uint32_t>(bits));
        if (std::isfinite(value)) {
            expectMatchesExact(value);
        }
    }
}

TEST(format_single, matches_exact_rounding_around_powers_of_ten) {
    // Where the digit count changes, shortest and exact digits part ways.
    for (int exponent = -45; exponent <= 38; ++exponent) {
        const float power = std::strtof(("1e" + std::to_string(exponent)).c_str(), nullptr);
        float below = power;
        float above = power;
        for (int step = 0; step < 300; ++step) {
            expectMatchesExact(below);
            expectMatchesExact(above);
            below = std::nextafter(below, 0.0F);
            above = std::nextafter(above, FLT_MAX);
        }
    }
}

TEST(format_single, matches_exact_rounding_on_every_tie_family) {
    // Values whose eighth significant digit is an exact 5: n.25 and n.75
    // with six integer digits, n.5 with seven, and eight-digit integers
    // ending in 5 below 2^24, plus their neighbours one place away.
    std::vector<float> values;
    for (int n = 100'000; n < 1'000'000; n += 37) {
        values.push_back(static_cast<float>(n) + 0.25F);
        values.push_back(static_cast<float>(n) + 0.75F);
    }
    for (int n = 1'000'000; n < 10'000'000; n += 371) {
        values.push_back(static_cast<float>(n) + 0.5F);
    }
    for (int n = 10'000'005; n < 16'777'216; n += 370) {
        values.push_back(static_cast<float>(n));
    }
    for (float value : values) {
        for (float v : {value, std::nextafter(value, 0.0F), std::nextafter(value, FLT_MAX)}) {
            expectMatchesExact(v);
            expectMatchesExact(-v);
        }
    }
}

} // namespace
} // namespace quenvale
