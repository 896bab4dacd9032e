#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

namespace quenvale {
namespace {

// The words are chosen when the error is shown: one error reads in either
// language.
TEST(runtime_error, carries_number_and_text_and_speaks_either_language) {
    const RuntimeError mismatch(ErrorNumber::TypeMismatch, "abc");
    EXPECT_EQ(mismatch.code(), 13);
    EXPECT_EQ(mismatch.text(), "abc");
    EXPECT_EQ(mismatch.describe(Language::Japanese), "実行時エラー 13: 型が一致しません。");
    EXPECT_EQ(mismatch.describe(Language::English), "Run-time error 13: Type mismatch.");

    const RuntimeError overflow(ErrorNumber::Overflow);
    EXPECT_EQ(overflow.code(), 6);
    EXPECT_FALSE(overflow.text().has_value());
    EXPECT_EQ(overflow.describe(Language::Japanese), "実行時エラー 6: オーバーフローしました。");
    EXPECT_EQ(overflow.describe(Language::English), "Run-time error 6: Overflow.");
}

} // namespace
} // namespace quenvale
