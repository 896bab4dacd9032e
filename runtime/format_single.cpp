#include <runtime/format_single.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quenvale {

namespace {

constexpr int kDigits = 7;

// The value's significant digits rounded to seven, and its decimal exponent:
// value ~ d.dddddd x 10^exponent.
struct Decimal {
    std::array<char, kDigits> digits{};
    int exponent = 0;
};

// Splits to_chars' scientific output ("d.ddd...e+XX") into digits and exponent.
int splitScientific(const char* first, const char* last, char* digits, int count) {
    int n = 0;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.' && n < count) {
            digits[n++] = *p;
        }
    }
    int exponent = 0;
    std::from_chars(p + (*(p + 1) == '+' ? 2 : 1), last, exponent);
    return exponent;
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

// to_chars rounds ties to even; the general format rounds them away from
// zero. Nine digits decide all but the near-ties, which the exact expansion
// of the value settles.
Decimal roundToSeven(double magnitude) {
    std::array<char, 32> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::scientific, kDigits + 1);
    std::array<char, kDigits + 2> nine{};
    Decimal d;
    d.exponent = splitScientific(buffer.data(), end, nine.data(), kDigits + 2);
    std::copy_n(nine.begin(), kDigits, d.digits.begin());
    const int tail = (nine[kDigits] - '0') * 10 + (nine[kDigits + 1] - '0');

    if (tail > 50) {
        roundUp(d);
    } else if (tail == 50) {
        // The rest lies within half a unit of the ninth digit of a tie: look
        // at every digit. A single has at most 112 significant digits.
        std::array<char, 160> exact{};
        auto [exactEnd, exactEc] = std::to_chars(exact.data(), exact.data() + exact.size(),
                                                 magnitude, std::chars_format::scientific, 120);
        std::array<char, 121> all{};
        const int exponent = splitScientific(exact.data(), exactEnd, all.data(), 121);
        std::copy_n(all.begin(), kDigits, d.digits.begin());
        d.exponent = exponent;
        if (all[kDigits] >= '5') {
            roundUp(d);
        }
    }
    return d;
}

} // namespace

std::string formatSingle(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0F) {
        return "0";
    }

    const Decimal d = roundToSeven(std::fabs(static_cast<double>(value)));
    int significant = kDigits;
    while (significant > 1 && d.digits[static_cast<std::size_t>(significant - 1)] == '0') {
        --significant;
    }

    std::string out;
    out.reserve(16);
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
    if (magnitude < 10) {
        out.push_back('0');
    }
    out += std::to_string(magnitude);
    return out;
}

} // namespace quenvale
