#pragma once

#include <string>
#include <string_view>
#include <version>

namespace quenvale {

// What parseSingle and formatSingle are built on. The standard library's
// floating-point from_chars/to_chars where the platform has them; elsewhere
// (the browser build's libc++ has neither) the exactly rounded reading and
// digits of exact_decimal.h. Both give the same results bit for bit; the choice is made when the library is
// compiled.
enum class ConversionPath { Standard, Portable };

#if defined(__cpp_lib_to_chars)
inline constexpr bool kHasStandardConversions = true;
inline constexpr ConversionPath kConversionPath = ConversionPath::Standard;
#else
inline constexpr bool kHasStandardConversions = false;
inline constexpr ConversionPath kConversionPath = ConversionPath::Portable;
#endif

// parseSingle and formatSingle along a given path, so that the two can be
// held against each other. Asking for the standard path where it is missing
// throws std::logic_error.
float parseSingleVia(ConversionPath path, std::string_view text);
std::string formatSingleVia(ConversionPath path, float value);

} // namespace quenvale
