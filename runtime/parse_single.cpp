#include <runtime/conversion_path.h>
#include <runtime/exact_decimal.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quenvale {

namespace {

[[noreturn]] void fail(ErrorNumber number, std::string_view text) {
    throw RuntimeError(number, std::string(text));
}

bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Brings the full-width forms a Japanese input method types, and the two
// non-ASCII blanks, to ASCII. Any other non-ASCII character makes the text
// no number, reported as false.
bool narrowTo(std::string& out, std::string_view text) {
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out.push_back(text[i]);
            ++i;
            continue;
        }
        if (byte == 0xC2 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            out.push_back(' '); // U+00A0 no-break space
            i += 2;
            continue;
        }
        if (i + 2 >= text.size()) {
            return false;
        }
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        const auto b2 = static_cast<unsigned char>(text[i + 2]);
        char narrow = 0;
        if (byte == 0xE3 && b1 == 0x80 && b2 == 0x80) {
            narrow = ' '; // U+3000 ideographic space
        } else if (byte == 0xEF && b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99) {
            narrow = static_cast<char>('0' + (b2 - 0x90)); // U+FF10..U+FF19
        } else if (byte == 0xEF && b1 == 0xBC && b2 == 0x8E) {
            narrow = '.'; // U+FF0E
        } else if (byte == 0xEF && b1 == 0xBC && b2 == 0x8B) {
            narrow = '+'; // U+FF0B
        } else if (byte == 0xEF && b1 == 0xBC && b2 == 0x8D) {
            narrow = '-'; // U+FF0D
        } else if (byte == 0xEF && b1 == 0xBD && b2 == 0x85) {
            narrow = 'e'; // U+FF45
        } else if (byte == 0xEF && b1 == 0xBC && b2 == 0xA5) {
            narrow = 'E'; // U+FF25
        } else {
            return false;
        }
        out.push_back(narrow);
        i += 3;
    }
    return true;
}

struct NumberShape {
    std::string_view integer;  // digits before the point
    std::string_view fraction; // digits after it
    std::int64_t exponent = 0; // saturated, enough to tell huge from tiny
};

// Checks digits[.digits][(e|E)[sign]digits] with at least one mantissa digit.
bool matchNumber(std::string_view s, NumberShape& shape) {
    std::size_t i = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
    }
    shape.integer = s.substr(0, i);
    if (i < s.size() && s[i] == '.') {
        const std::size_t start = ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
        }
        shape.fraction = s.substr(start, i - start);
    }
    if (shape.integer.empty() && shape.fraction.empty()) {
        return false;
    }
    if (i == s.size()) {
        return true;
    }
    if (s[i] != 'e' && s[i] != 'E') {
        return false;
    }
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) {
        return false;
    }
    std::int64_t exponent = 0;
    for (; i < s.size(); ++i) {
        if (!isDigit(s[i])) {
            return false;
        }
        if (exponent < 1'000'000'000'000) { // beyond any length a text can have
            exponent = exponent * 10 + (s[i] - '0');
        }
    }
    shape.exponent = negative ? -exponent : exponent;
    return true;
}

// Out of range after rounding: a magnitude of at least 1 overflowed, anything
// smaller underflowed.
bool isHuge(const NumberShape& shape) {
    const auto firstNonZero = shape.integer.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos) {
        const auto digits = static_cast<std::int64_t>(shape.integer.size() - firstNonZero);
        return digits - 1 + shape.exponent >= 0;
    }
    const auto leadingZeros = shape.fraction.find_first_not_of('0');
    if (leadingZeros == std::string_view::npos) {
        return false;
    }
    return -static_cast<std::int64_t>(leadingZeros) - 1 + shape.exponent >= 0;
}

// Reads the digits of a text already matched as a number, correctly
// rounded; result_out_of_range when the value rounds beyond the single
// range or to zero from a non-zero text.
#if defined(__cpp_lib_to_chars)
struct StandardReader {
    static std::from_chars_result read(const char* first, const char* last, float& value) {
        return std::from_chars(first, last, value);
    }
};
#endif

// Read here, exactly rounded as from_chars is (exact_decimal.h): the C
// library's strtof, the browser build's choice before, brought long double
// arithmetic into the page's module, and fast_float's table of powers of
// five (10 KB) was the largest part of its data before that.
struct PortableReader {
    static std::from_chars_result read(const char* first, const char* last, float& value) {
        return readSingle(first, last, value);
    }
};

template <class Reader> float parseWith(std::string_view text) {
    std::string narrowed;
    std::string_view s = text;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (!narrowTo(narrowed, text)) {
                fail(ErrorNumber::TypeMismatch, text);
            }
            s = narrowed;
            break;
        }
    }

    while (!s.empty() && isAsciiBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isAsciiBlank(s.back())) {
        s.remove_suffix(1);
    }
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    NumberShape shape;
    if (!matchNumber(s, shape)) {
        fail(ErrorNumber::TypeMismatch, text);
    }

    float value = 0.0F;
    const auto [end, ec] = Reader::read(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (isHuge(shape)) {
            fail(ErrorNumber::Overflow, text);
        }
        value = 0.0F;
    } else if (ec != std::errc{} || end != s.data() + s.size()) {
        fail(ErrorNumber::TypeMismatch, text);
    }
    return negative ? -value : value;
}

} // namespace

float parseSingleVia(ConversionPath path, std::string_view text) {
    if (path == ConversionPath::Portable) {
        return parseWith<PortableReader>(text);
    }
#if defined(__cpp_lib_to_chars)
    return parseWith<StandardReader>(text);
#else
    throw std::logic_error("no standard floating-point from_chars in this build");
#endif
}

float parseSingle(std::string_view text) {
#if defined(__cpp_lib_to_chars)
    return parseWith<StandardReader>(text);
#else
    return parseWith<PortableReader>(text);
#endif
}

} // namespace quenvale
