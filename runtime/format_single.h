#pragma once

#include <string>

namespace quenvale {

// The general format of a single-precision value: seven significant digits
// at most (the exact binary value rounded, ties away from zero), no trailing
// zeros, no point for whole values; exponent form ("1.234568E+07", "5E-08")
// from ten million up and for values that would need more than seven digits
// after the point. "." is the decimal separator; zero of either sign is "0".
std::string formatSingle(float value);

} // namespace quenvale
