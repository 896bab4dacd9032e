#include <runtime/conversion_path.h>
#include <runtime/exact_decimal.h>
#include <runtime/format_single.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace quenvale {

namespace {

constexpr int kDigits = 7;

// Scientific digits ("d.ddd...e+XX") of the standard library: exactly
// rounded to a precision, or the shortest that read back as the single.
#if defined(__cpp_lib_to_chars)
struct StandardDigits {
    static constexpr bool hasShortest = true;

    static char* exact(double value, int precision, char* first, char* last) {
        return std::to_chars(first, last, value, std::chars_format::scientific, precision).ptr;
    }
    static char* shortest(float value, char* first, char* last) {
        return std::to_chars(first, last, value, std::chars_format::scientific).ptr;
    }
};
#endif

// Exact digits written here (exact_decimal.h), rounded as to_chars rounds
// them; no shortest form, so every value takes the exact route.
struct PortableDigits {
    static constexpr bool hasShortest = false;

    static char* exact(double value, int precision, char* first, char* /*last*/) {
        return writeScientific(value, precision, first);
    }
};

// The value's significant digits rounded to seven, and its decimal exponent:
// value ~ d.dddddd x 10^exponent.
struct Decimal {
    std::array<char, kDigits> digits{};
    int exponent = 0;
};

// Splits to_chars' scientific output ("d.ddd...e+XX") into `count` digits,
// padded with zeros, and returns the exponent.
int splitScientific(const char* first, const char* last, char* digits, int count) {
    std::fill_n(digits, count, '0');
    int n = 0;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.' && n < count) {
            digits[n++] = *p;
        }
    }
    const bool negative = p + 1 != last && p[1] == '-';
    int exponent = 0;
    for (p += 2; p < last; ++p) {
        exponent = exponent * 10 + (*p - '0');
    }
    return negative ? -exponent : exponent;
}

// Adds one unit in the seventh digit, carrying into the exponent when all
// seven digits were nines.
void roundUp(Decimal& d) {
    for (int i = kDigits - 1; i >= 0; --i) {
        if (d.digits[static_cast<std::size_t>(i)] != '9') {
            ++d.digits[static_cast<std::size_t>(i)];
            return;
        }
        d.digits[static_cast<std::size_t>(i)] = '0';
    }
    d.digits[0] = '1';
    ++d.exponent;
}

// True when the value lies exactly halfway between two seven-digit
// neighbours, i.e. 2 * value * 10^(6 - exponent) is an odd integer.
bool isSevenDigitTie(double magnitude, int exponent) {
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    // A single's significand fits 24 bits: value = mantissa * 2^binaryExponent.
    auto mantissa = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    binaryExponent -= 24;
    while (mantissa % 2 == 0) {
        mantissa /= 2;
        ++binaryExponent;
    }
    const int decimalShift = kDigits - 1 - exponent;
    // The factor 2^(binaryExponent + 1 + decimalShift) must vanish for an odd
    // result, and a negative shift must divide out of the mantissa as 5s.
    if (binaryExponent + 1 + decimalShift != 0) {
        return false;
    }
    for (int i = decimalShift; i < 0; ++i) {
        if (mantissa % 5 != 0) {
            return false;
        }
        mantissa /= 5;
    }
    return true;
}

constexpr int kMinPower = -51; // the grid of the least subnormal
constexpr int kMaxPower = 32;  // the grid of FLT_MAX

constexpr std::array<double, kMaxPower - kMinPower + 1> kPowersOfTen = [] {
    std::array<double, kMaxPower - kMinPower + 1> powers{};
    double p = 1;
    for (int i = 0; i >= kMinPower; --i, p /= 10) {
        powers[static_cast<std::size_t>(i - kMinPower)] = p;
    }
    p = 1;
    for (int i = 0; i <= kMaxPower; ++i, p *= 10) {
        powers[static_cast<std::size_t>(i - kMinPower)] = p;
    }
    return powers;
}();

// Exact digits round ties to even; the general format rounds them away from
// zero. Nine digits decide all but the values within half a unit of the
// ninth digit of a tie; of those, true ties round up and the rest round as
// the exact digits do.
template <class Digits> Decimal roundExactly(double magnitude) {
    std::array<char, 32> buffer{};
    char* end = Digits::exact(magnitude, kDigits + 1, buffer.data(), buffer.data() + buffer.size());
    std::array<char, kDigits + 2> nine{};
    Decimal d;
    d.exponent = splitScientific(buffer.data(), end, nine.data(), kDigits + 2);
    std::copy_n(nine.begin(), kDigits, d.digits.begin());
    const int tail = (nine[kDigits] - '0') * 10 + (nine[kDigits + 1] - '0');

    if (tail > 50 || (tail == 50 && isSevenDigitTie(magnitude, d.exponent))) {
        roundUp(d);
    } else if (tail == 50) {
        char* sevenEnd =
            Digits::exact(magnitude, kDigits - 1, buffer.data(), buffer.data() + buffer.size());
        d.exponent = splitScientific(buffer.data(), sevenEnd, d.digits.data(), kDigits);
    }
    return d;
}

// The shortest digits that read back as the value (at most nine, and
// cheaper to get than nine exact ones) lie within half a place of the exact
// value. Rounding them to seven digits gives the exact value's rounding
// unless a seven-digit midpoint lies that close to them; only then, and when
// they are a power of ten that the value may sit just below, ask for exact
// digits.
template <class Digits> Decimal roundFromShortest(float magnitude) {
    std::array<char, 32> buffer{};
    char* end = Digits::shortest(magnitude, buffer.data(), buffer.data() + buffer.size());
    std::array<char, kDigits + 2> nine{};
    Decimal d;
    d.exponent = splitScientific(buffer.data(), end, nine.data(), kDigits + 2);
    std::copy_n(nine.begin(), kDigits, d.digits.begin());
    const int tail = (nine[kDigits] - '0') * 10 + (nine[kDigits + 1] - '0');

    const bool powerOfTen = tail == 0 && std::string_view(d.digits.data(), kDigits) == "1000000";
    const double grid =
        kPowersOfTen[static_cast<std::size_t>(d.exponent - (kDigits - 1) - kMinPower)];
    const double place =
        static_cast<double>(std::nextafter(magnitude, INFINITY)) - static_cast<double>(magnitude);
    // The shortest digits are |tail/100 - 1/2| grid units from the midpoint
    // and at most half a place from the exact value; the slack covers the
    // rounding of the power of ten and of the products.
    if (!powerOfTen && std::abs(tail - 50) * grid > 50 * place * (1 + 1e-12)) {
        if (tail > 50) {
            roundUp(d);
        }
        return d;
    }
    return roundExactly<Digits>(static_cast<double>(magnitude));
}

template <class Digits> Decimal roundToSeven(float magnitude) {
    if constexpr (Digits::hasShortest) {
        return roundFromShortest<Digits>(magnitude);
    } else {
        return roundExactly<Digits>(static_cast<double>(magnitude));
    }
}

template <class Digits> std::string formatWith(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0F) {
        return "0";
    }

    const Decimal d = roundToSeven<Digits>(std::fabs(value));
    int significant = kDigits;
    while (significant > 1 && d.digits[static_cast<std::size_t>(significant - 1)] == '0') {
        --significant;
    }

    // At most 13 characters ("-1.234568E+07"): stays in the small-string buffer.
    std::string out;
    if (std::signbit(value)) {
        out.push_back('-');
    }
    const int e = d.exponent;
    const auto digit = [&d](int i) { return d.digits[static_cast<std::size_t>(i)]; };
    if (e <= 6 && significant - 1 - e <= kDigits) {
        if (e < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-e - 1), '0');
            for (int i = 0; i < significant; ++i) {
                out.push_back(digit(i));
            }
        } else {
            for (int i = 0; i <= e; ++i) {
                out.push_back(i < significant ? digit(i) : '0');
            }
            if (significant > e + 1) {
                out.push_back('.');
                for (int i = e + 1; i < significant; ++i) {
                    out.push_back(digit(i));
                }
            }
        }
        return out;
    }

    out.push_back(digit(0));
    if (significant > 1) {
        out.push_back('.');
        for (int i = 1; i < significant; ++i) {
            out.push_back(digit(i));
        }
    }
    out.push_back('E');
    out.push_back(e < 0 ? '-' : '+');
    const int magnitude = std::abs(e);
    out.push_back(static_cast<char>('0' + magnitude / 10)); // |e| <= 45
    out.push_back(static_cast<char>('0' + magnitude % 10));
    return out;
}

} // namespace

std::string formatSingleVia(ConversionPath path, float value) {
    if (path == ConversionPath::Portable) {
        return formatWith<PortableDigits>(value);
    }
#if defined(__cpp_lib_to_chars)
    return formatWith<StandardDigits>(value);
#else
    throw std::logic_error("no standard floating-point to_chars in this build");
#endif
}

std::string formatSingle(float value) {
#if defined(__cpp_lib_to_chars)
    return formatWith<StandardDigits>(value);
#else
    return formatWith<PortableDigits>(value);
#endif
}

} // namespace quenvale
