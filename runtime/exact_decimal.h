#pragma once

#include <charconv>

namespace quenvale {

// Exact conversions between decimal text and binary floating point, for a
// standard library without floating-point from_chars and to_chars (the
// browser build's). Each rounds the exact value, ties to even, as those do
// and as the C library's strtof and printf do. They work on a big integer of
// a few hundred bits, so they are small rather than fast, and they need
// neither long double arithmetic nor printf, which the C library's own
// brought into the browser's module.

// Reads digits[.digits][(e|E)[sign]digits] from `first` (no sign or blank
// before it; at least one digit before the exponent) as the nearest single.
// As from_chars does: ptr is where the number ends (an "e" with no digits
// after it is not part of it); invalid_argument when no number starts at
// `first`; result_out_of_range with an infinity for a value beyond the
// single range, and with zero for a non-zero value that rounds to zero.
std::from_chars_result readSingle(const char* first, const char* last, float& value);

// The most characters writeScientific and writeGeneral write.
inline constexpr int kMaxWrittenChars = 32;

// Writes a finite value as printf's "%.*e" does: its sign if negative, one
// digit, a point and `precision` digits (0 to 17; no point for 0), "e", the
// exponent's sign and at least two digits, into a buffer of
// kMaxWrittenChars. Returns the end.
char* writeScientific(double value, int precision, char* first);

// Writes a finite value as printf's "%g" does, into a buffer of
// kMaxWrittenChars: six significant digits with no trailing zeros, in the
// exponent form above where those digits are below 1e-4 or from 1e6 up
// (999999.5 is "1e+06"). Returns the end.
char* writeGeneral(double value, char* first);

} // namespace quenvale
