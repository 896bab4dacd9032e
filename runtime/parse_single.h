#pragma once

#include <string_view>

namespace quenvale {

// Reads a frequency typed by a person (UTF-8) as the nearest single-precision
// number. Accepts optional blanks around the number (space, tab, CR, LF,
// U+00A0, U+3000), an optional sign, decimal digits with at most one "." and
// an optional exponent; full-width digits, "．", "＋", "－", "ｅ" and "Ｅ" count as
// their ASCII forms. A non-zero value too small for a single reads as 0.
//
// Throws RuntimeError: TypeMismatch for anything else (including "," and
// "inf"), Overflow for a value beyond the single range. Both carry the text.
float parseSingle(std::string_view text);

} // namespace quenvale
