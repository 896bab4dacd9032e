#pragma once

namespace quenvale {

// Stores a double-precision result into a single, as every arithmetic step of
// the calculation does. Throws RuntimeError(Overflow) when the result is not
// finite or lies beyond the single range after rounding.
float storeSingle(double value);

// Checks one double-precision step: throws RuntimeError(Overflow) when it
// produced an infinity or NaN, and returns the value otherwise.
double checkedStep(double value);

} // namespace quenvale
