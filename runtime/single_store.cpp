#include <runtime/runtime_error.h>
#include <runtime/single_store.h>

#include <cmath>

namespace quenvale {

namespace {

// The least magnitude that rounds to infinity in single precision:
// FLT_MAX plus half its last place, 2^128 - 2^103.
constexpr double kSingleOverflow = 0x1.ffffffp127;

} // namespace

float storeSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= kSingleOverflow) {
        throw RuntimeError(ErrorNumber::Overflow);
    }
    return static_cast<float>(value);
}

double checkedStep(double value) {
    if (!std::isfinite(value)) {
        throw RuntimeError(ErrorNumber::Overflow);
    }
    return value;
}

} // namespace quenvale
