#include <runtime/exact_decimal.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace quenvale {

namespace {

constexpr std::array<std::uint32_t, 10> kPowersOfTen{
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};

// An unsigned integer of any size: 32-bit limbs, least significant first,
// no zero limb at the top.
class Big {
public:
    explicit Big(std::uint64_t value) {
        for (; value != 0; value >>= 32) {
            limbs_.push_back(static_cast<std::uint32_t>(value));
        }
    }

    int bits() const {
        return limbs_.empty() ? 0
                              : 32 * static_cast<int>(limbs_.size() - 1) +
                                    static_cast<int>(std::bit_width(limbs_.back()));
    }

    // this = this * factor + addend
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += static_cast<std::uint64_t>(limb) * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    void multiplyByPowerOfTen(int exponent) {
        for (; exponent >= 9; exponent -= 9) {
            multiplyAdd(kPowersOfTen[9], 0);
        }
        multiplyAdd(kPowersOfTen[static_cast<std::size_t>(exponent)], 0);
    }

    void shiftLeft(int count) {
        if (limbs_.empty() || count == 0) {
            return;
        }
        if (const int rest = count % 32; rest != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t out = limb >> (32 - rest);
                limb = (limb << rest) | carry;
                carry = out;
            }
            if (carry != 0) {
                limbs_.push_back(carry);
            }
        }
        limbs_.insert(limbs_.begin(), static_cast<std::size_t>(count / 32), 0);
    }

    void halve() {
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0;
            limbs_[i] = (limbs_[i] >> 1) | high;
        }
        trim();
    }

    // this -= other, which is not larger.
    void subtract(const Big& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow -
                                      (i < other.limbs_.size() ? other.limbs_[i] : 0);
            borrow = difference < 0 ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        trim();
    }

    friend int compare(const Big& a, const Big& b) {
        if (a.limbs_.size() != b.limbs_.size()) {
            return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        }
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) {
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
            }
        }
        return 0;
    }

private:
    void trim() {
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    std::vector<std::uint32_t> limbs_;
};

// Divides `remainder` by `divisor`, leaving the remainder in it, and returns
// the quotient, which must be below 2^64.
std::uint64_t divide(Big& remainder, Big divisor) {
    const int shift = remainder.bits() - divisor.bits();
    if (shift < 0) {
        return 0;
    }
    divisor.shiftLeft(shift);
    std::uint64_t quotient = 0;
    for (int i = shift; i >= 0; --i) {
        quotient <<= 1;
        if (compare(remainder, divisor) >= 0) {
            remainder.subtract(divisor);
            quotient |= 1;
        }
        divisor.halve();
    }
    return quotient;
}

// Rounds the quotient up where the remainder is more than half the divisor,
// or exactly half and the quotient odd.
std::uint64_t roundHalfEven(std::uint64_t quotient, Big remainder, const Big& divisor) {
    remainder.shiftLeft(1);
    const int side = compare(remainder, divisor);
    return side > 0 || (side == 0 && (quotient & 1) != 0) ? quotient + 1 : quotient;
}

// The browser build's library has no std::bit_cast.
template <class To, class From> To sameBits(From from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A single's significand has 24 bits; its least subnormal is 2^-149 and its
// largest exponent puts the significand's last bit at 2^104.
constexpr int kSignificandBits = 24;
constexpr int kLeastExponent = -149;
constexpr int kGreatestExponent = 104;

// No single's halfway point has more significant digits than this, so the
// digits past it only say whether the text lies above the digits kept.
constexpr int kKeptDigits = 115;

// floor(log10(2^exponent)) for |exponent| < 1650.
int floorLog10OfPowerOfTwo(int exponent) {
    return (exponent * 78913) >> 18;
}

} // namespace

std::from_chars_result readSingle(const char* first, const char* last, float& value) {
    // value = digits * 10^scale, and more where a digit not kept was not 0.
    Big digits(0);
    std::uint64_t leading = 0; // the digits kept while they fit
    int kept = 0;
    bool droppedNonZero = false;
    std::int64_t scale = 0;
    bool anyDigit = false;
    const char* p = first;
    const auto take = [&](char c, bool afterPoint) {
        anyDigit = true;
        if (kept == 0 && c == '0') {
            scale -= afterPoint ? 1 : 0;
        } else if (kept < kKeptDigits) {
            digits.multiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
            leading = leading * 10 + static_cast<std::uint64_t>(c - '0');
            ++kept;
            scale -= afterPoint ? 1 : 0;
        } else {
            droppedNonZero = droppedNonZero || c != '0';
            scale += afterPoint ? 0 : 1;
        }
    };
    for (; p != last && isDigit(*p); ++p) {
        take(*p, false);
    }
    if (p != last && *p == '.') {
        for (++p; p != last && isDigit(*p); ++p) {
            take(*p, true);
        }
    }
    if (!anyDigit) {
        return {first, std::errc::invalid_argument};
    }
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negative = q != last && *q == '-';
        if (q != last && (*q == '+' || *q == '-')) {
            ++q;
        }
        if (q != last && isDigit(*q)) {
            std::int64_t exponent = 0;
            for (; q != last && isDigit(*q); ++q) {
                if (exponent < 1'000'000'000'000) { // beyond any length a text can have
                    exponent = exponent * 10 + (*q - '0');
                }
            }
            scale += negative ? -exponent : exponent;
            p = q;
        }
    }

    value = 0.0F;
    if (kept == 0) {
        return {p, std::errc{}};
    }
    // A text of no more than seven digits times a power of ten that a single
    // holds exactly: one rounding of the product or quotient is exact.
    if (kept <= 7 && !droppedNonZero && scale >= -9 && scale <= 9) {
        const auto power =
            static_cast<float>(kPowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)]);
        const auto mantissa = static_cast<float>(leading);
        value = scale < 0 ? mantissa / power : mantissa * power;
        return {p, std::errc{}};
    }
    if (droppedNonZero) {
        // A 1 past the digits kept stands for them: above the digits and
        // below the next, where no halfway point lies.
        digits.multiplyAdd(10, 1);
        ++kept;
        --scale;
    }
    // digits < 10^kept: beyond 10^39 the value overflows; below 10^-46 it is
    // under half the least subnormal.
    const std::int64_t order = kept + scale;
    if (order > 39) {
        value = std::numeric_limits<float>::infinity();
        return {p, std::errc::result_out_of_range};
    }
    if (order < -45) {
        return {p, std::errc::result_out_of_range};
    }

    Big numerator = digits;
    Big denominator(1);
    if (scale >= 0) {
        numerator.multiplyByPowerOfTen(static_cast<int>(scale));
    } else {
        denominator.multiplyByPowerOfTen(static_cast<int>(-scale));
    }
    // significand * 2^exponent, the significand 2^23 to 2^24 where the
    // exponent is not the least.
    int exponent =
        std::max(numerator.bits() - denominator.bits() - kSignificandBits, kLeastExponent);
    std::uint64_t significand = 0;
    for (;;) {
        Big remainder = numerator;
        Big divisor = denominator;
        if (exponent < 0) {
            remainder.shiftLeft(-exponent);
        } else {
            divisor.shiftLeft(exponent);
        }
        significand = divide(remainder, divisor);
        if (significand >> kSignificandBits != 0) {
            ++exponent;
            continue;
        }
        significand = roundHalfEven(significand, remainder, divisor);
        break;
    }
    if (significand >> kSignificandBits != 0) {
        significand >>= 1;
        ++exponent;
    }
    if (exponent > kGreatestExponent) {
        value = std::numeric_limits<float>::infinity();
        return {p, std::errc::result_out_of_range};
    }
    if (significand == 0) {
        return {p, std::errc::result_out_of_range};
    }
    // A normal single's exponent field counts from 1 at the least exponent,
    // where a subnormal's, with no leading bit, is 0.
    auto bits = static_cast<std::uint32_t>(significand);
    if (significand >> (kSignificandBits - 1) != 0) {
        const auto field = static_cast<std::uint32_t>(exponent - kLeastExponent + 1);
        bits = (field << (kSignificandBits - 1)) | (bits & 0x7F'FFFFU);
    }
    value = sameBits<float>(bits);
    return {p, std::errc{}};
}

namespace {

// A finite value's precision + 1 significant digits, exactly rounded, ties
// to even: |value| ~ digits * 10^(exponent - precision).
struct Rounded {
    bool negative = false;
    std::uint64_t digits = 0;
    int exponent = 0;
};

Rounded roundToDigits(double value, int precision) {
    Rounded rounded;
    auto bits = sameBits<std::uint64_t>(value);
    rounded.negative = (bits >> 63) != 0;
    bits &= ~(std::uint64_t{1} << 63);
    // value = mantissa * 2^binary
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    const auto biased = static_cast<int>(bits >> 52);
    int binary = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        binary = biased - 1075;
    }
    if (mantissa == 0) {
        return rounded;
    }

    std::uint64_t limit = 1; // 10^(precision + 1)
    for (int i = 0; i <= precision; ++i) {
        limit *= 10;
    }
    int& decimal = rounded.exponent;
    decimal = floorLog10OfPowerOfTwo(static_cast<int>(std::bit_width(mantissa)) - 1 + binary);
    for (;;) {
        Big remainder(mantissa);
        Big divisor(1);
        if (binary > 0) {
            remainder.shiftLeft(binary);
        } else {
            divisor.shiftLeft(-binary);
        }
        const int scale = precision - decimal;
        if (scale > 0) {
            remainder.multiplyByPowerOfTen(scale);
        } else {
            divisor.multiplyByPowerOfTen(-scale);
        }
        rounded.digits = divide(remainder, divisor);
        // The estimate of the decimal exponent may be one off.
        if (rounded.digits >= limit) {
            ++decimal;
            continue;
        }
        if (rounded.digits < limit / 10) {
            --decimal;
            continue;
        }
        rounded.digits = roundHalfEven(rounded.digits, remainder, divisor);
        break;
    }
    if (rounded.digits == limit) {
        rounded.digits /= 10;
        ++decimal;
    }
    return rounded;
}

// The digits as `count` characters, zeros first where they are fewer.
std::array<char, 20> digitText(std::uint64_t digits, int count) {
    std::array<char, 20> text{};
    for (int i = count - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    return text;
}

// "e", the exponent's sign and at least two digits.
char* writeExponent(int exponent, char* out, char* last) {
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, last, magnitude).ptr;
}

} // namespace

char* writeScientific(double value, int precision, char* first) {
    const Rounded rounded = roundToDigits(value, precision);
    const auto text = digitText(rounded.digits, precision + 1);
    char* out = first;
    if (rounded.negative) {
        *out++ = '-';
    }
    *out++ = text[0];
    if (precision > 0) {
        *out++ = '.';
        out = std::copy_n(text.begin() + 1, precision, out);
    }
    return writeExponent(rounded.exponent, out, first + kMaxWrittenChars);
}

char* writeGeneral(double value, char* first) {
    constexpr int kSignificant = 6;
    const Rounded rounded = roundToDigits(value, kSignificant - 1);
    const auto digits = digitText(rounded.digits, kSignificant);
    int count = kSignificant;
    while (count > 1 && digits[static_cast<std::size_t>(count - 1)] == '0') {
        --count;
    }
    const int exponent = rounded.exponent;
    char* out = first;
    if (rounded.negative) {
        *out++ = '-';
    }

    const auto put = [&](int from, int to) {
        out = std::copy(digits.begin() + from, digits.begin() + to, out);
    };
    if (exponent < -4 || exponent >= kSignificant) {
        put(0, 1);
        if (count > 1) {
            *out++ = '.';
            put(1, count);
        }
        return writeExponent(exponent, out, first + kMaxWrittenChars);
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        put(0, count);
        return out;
    }
    put(0, std::min(count, exponent + 1));
    out = std::fill_n(out, std::max(0, exponent + 1 - count), '0');
    if (count > exponent + 1) {
        *out++ = '.';
        put(exponent + 1, count);
    }
    return out;
}

} // namespace quenvale
