// Whatever the bytes, parseSingle answers with a finite single or with run-time
// error 13 or 6 naming the text, and every text it accepts is one that strtof,
// given the same text in ASCII, reads completely to the same value. The
// browser build's reading answers every text as the standard one does.

#include <runtime/conversion_path.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Full-width forms and the two wide blanks, spelled out independently of the
// parser's own table.
struct Wide {
    std::string_view utf8;
    char ascii;
};
constexpr std::array<Wide, 17> kWide{{
    {"\u00a0", ' '},
    {"\u3000", ' '},
    {"０", '0'},
    {"１", '1'},
    {"２", '2'},
    {"３", '3'},
    {"４", '4'},
    {"５", '5'},
    {"６", '6'},
    {"７", '7'},
    {"８", '8'},
    {"９", '9'},
    {"．", '.'},
    {"＋", '+'},
    {"－", '-'},
    {"ｅ", 'e'},
    {"Ｅ", 'E'},
}};

std::string toAscii(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [utf8, ascii] : kWide) {
            if (text.substr(i, utf8.size()) == utf8) {
                out.push_back(ascii);
                i += utf8.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out.push_back(text[i++]);
        }
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void fault() {
    std::abort();
}

// A reading's bits, or the number of the error it raised.
std::uint64_t readingVia(quenvale::ConversionPath path, const std::string& text) {
    try {
        return std::bit_cast<std::uint32_t>(quenvale::parseSingleVia(path, text));
    } catch (const quenvale::RuntimeError& error) {
        return (std::uint64_t{1} << 32) | static_cast<std::uint64_t>(error.number());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string ascii = toAscii(text);
    while (!ascii.empty() && isBlank(ascii.back())) {
        ascii.pop_back();
    }
    const bool hasNul = ascii.find('\0') != std::string::npos;
    char* end = nullptr;
    errno = 0;
    const float expected = std::strtof(ascii.c_str(), &end);
    const bool readWhole = !hasNul && !ascii.empty() && end == ascii.c_str() + ascii.size();
    if (readingVia(quenvale::ConversionPath::Portable, text) !=
        readingVia(quenvale::ConversionPath::Standard, text)) {
        fault();
    }

    try {
        const float value = quenvale::parseSingle(text);
        if (!std::isfinite(value) || !readWhole || value != expected) {
            fault();
        }
    } catch (const quenvale::RuntimeError& error) {
        if (error.text() != text) {
            fault();
        }
        if (error.number() == quenvale::ErrorNumber::Overflow) {
            // The same overflow: strtof reads it whole, to an infinity.
            if (!readWhole || !std::isinf(expected)) {
                fault();
            }
        } else if (error.number() != quenvale::ErrorNumber::TypeMismatch) {
            fault();
        }
    }
    return 0;
}
