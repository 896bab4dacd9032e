#include <runtime/runtime_error.h>
#include <runtime/single_store.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace quenvale {
namespace {

TEST(store_single, rounds_to_nearest_single) {
    EXPECT_EQ(storeSingle(1.0 / 3.0), 0.33333334F);
    EXPECT_EQ(storeSingle(-2.5), -2.5F);
    EXPECT_EQ(storeSingle(1e-50), 0.0F); // underflow is not an error
    // Just above FLT_MAX, but rounding still lands on it.
    EXPECT_EQ(storeSingle(static_cast<double>(FLT_MAX) * (1 + 1e-9)), FLT_MAX);
    EXPECT_EQ(storeSingle(-0x1.fffffefffffffp127), -FLT_MAX);
}

TEST(store_single, raises_overflow_beyond_single_range) {
    const double beyond[] = {
        0x1.ffffffp127, // exactly half a place above FLT_MAX: rounds to infinity
        -0x1.ffffffp127,
        1e39,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (const double value : beyond) {
        try {
            storeSingle(value);
            ADD_FAILURE() << "no overflow for " << value;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::Overflow) << value;
        }
    }
}

TEST(checked_step, passes_finite_and_rejects_faults) {
    EXPECT_EQ(checkedStep(1e300), 1e300);
    EXPECT_THROW(checkedStep(std::numeric_limits<double>::infinity()), RuntimeError);
    EXPECT_THROW(checkedStep(std::nan("")), RuntimeError);
}

} // namespace
} // namespace quenvale
