#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

namespace quenvale {
namespace {

TEST(runtime_error, carries_number_message_and_text) {
    const RuntimeError mismatch(ErrorNumber::TypeMismatch, "abc");
    EXPECT_EQ(mismatch.code(), 13);
    EXPECT_EQ(mismatch.message(), "型が一致しません。");
    EXPECT_EQ(mismatch.text(), "abc");
    EXPECT_STREQ(mismatch.what(), "実行時エラー 13: 型が一致しません。");

    const RuntimeError overflow(ErrorNumber::Overflow);
    EXPECT_EQ(overflow.code(), 6);
    EXPECT_EQ(overflow.message(), "オーバーフローしました。");
    EXPECT_FALSE(overflow.text().has_value());
    EXPECT_STREQ(overflow.what(), "実行時エラー 6: オーバーフローしました。");
}

} // namespace
} // namespace quenvale
