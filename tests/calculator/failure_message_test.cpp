#include <calculator/failure_message.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <array>

namespace quenvale {
namespace {

constexpr std::array<InputBox, 2> kBoth{InputBox::Reference, InputBox::Fsb};
constexpr std::array<InputBox, 1> kFsbOnly{InputBox::Fsb};

struct MessageCase {
    std::string reference;
    std::string fsb;
    RuntimeError error;
    std::optional<InputBox> box;
    std::string message;
    Language language = Language::Japanese;
};

TEST(describe_failure, names_the_box_and_quotes_the_text) {
    const MessageCase cases[] = {
        {"abc", "100", RuntimeError(ErrorNumber::TypeMismatch, "abc"), InputBox::Reference,
         "PLL-IC REF クロックの値「abc」は数値ではありません。\n"
         "実行時エラー 13: 型が一致しません。"},
        {"14.318", "1e39", RuntimeError(ErrorNumber::Overflow, "1e39"), InputBox::Fsb,
         "FSBの値「1e39」は大きすぎます。\n実行時エラー 6: オーバーフローしました。"},
        // Both boxes hold the failing text: the one converted first is blamed.
        {"x", "x", RuntimeError(ErrorNumber::TypeMismatch, "x"), InputBox::Reference,
         "PLL-IC REF クロックの値「x」は数値ではありません。\n"
         "実行時エラー 13: 型が一致しません。"},
        {"14.318", "\u3000 ", RuntimeError(ErrorNumber::TypeMismatch, "\u3000 "), InputBox::Fsb,
         "FSBの値が入力されていません。\n実行時エラー 13: 型が一致しません。"},
        // A number typed with its unit is told the unit is left out.
        {"15MHz", "100", RuntimeError(ErrorNumber::TypeMismatch, "15MHz"), InputBox::Reference,
         "PLL-IC REF クロックの値「15MHz」は数値ではありません。"
         "単位は付けずに数値だけを入力します。\n実行時エラー 13: 型が一致しません。"},
        {"14.318", "100 mhz", RuntimeError(ErrorNumber::TypeMismatch, "100 mhz"), InputBox::Fsb,
         "The FSB value \"100 mhz\" is not a number. Type the number alone, without its unit.\n"
         "Run-time error 13: Type mismatch.",
         Language::English},
        // Letters after no number are no unit.
        {"MHz", "100", RuntimeError(ErrorNumber::TypeMismatch, "MHz"), InputBox::Reference,
         "PLL-IC REF クロックの値「MHz」は数値ではありません。\n"
         "実行時エラー 13: 型が一致しません。"},
        // An arithmetic fault: the box read last takes the focus.
        {"1e38", "100", RuntimeError(ErrorNumber::Overflow), InputBox::Fsb,
         "計算結果が大きすぎます。\n実行時エラー 6: オーバーフローしました。"},
        // Control characters are shown as blanks, long texts are cut after
        // whole characters.
        {"a\tb\x01", "100", RuntimeError(ErrorNumber::TypeMismatch, "a\tb\x01"),
         InputBox::Reference,
         "PLL-IC REF クロックの値「a b 」は数値ではありません。\n"
         "実行時エラー 13: 型が一致しません。"},
        {"１２３４５６７８９０１２３４５６７８９０１２３４５６", "100",
         RuntimeError(ErrorNumber::TypeMismatch,
                      "１２３４５６７８９０１２３４５６７８９０１２３４５６"),
         InputBox::Reference,
         "PLL-IC REF "
         "クロックの値「１２３４５６７８９０１２３４５６７８９０１２３４…」は数値ではありません。\n"
         "実行時エラー 13: 型が一致しません。"},
        // English quotes the typed text the same way: cut at 24 characters,
        // control characters as blanks.
        {"abc", "100", RuntimeError(ErrorNumber::TypeMismatch, "abc"), InputBox::Reference,
         "The reference clock value \"abc\" is not a number.\nRun-time error 13: Type mismatch.",
         Language::English},
        {"14.318", "a\x1b[2Jb１２３４５６７８９０１２３４５６７８９０１２３４５",
         RuntimeError(ErrorNumber::TypeMismatch,
                      "a\x1b[2Jb１２３４５６７８９０１２３４５６７８９０１２３４５"),
         InputBox::Fsb,
         "The FSB value \"a [2Jb１２３４５６７８９０１２３４５６７８…\" is not a number.\n"
         "Run-time error 13: Type mismatch.",
         Language::English},
        {"14.318", " ", RuntimeError(ErrorNumber::TypeMismatch, " "), InputBox::Fsb,
         "The FSB value is empty.\nRun-time error 13: Type mismatch.", Language::English},
        {"1e38", "100", RuntimeError(ErrorNumber::Overflow), InputBox::Fsb,
         "The result is too large.\nRun-time error 6: Overflow.", Language::English},
    };
    for (const MessageCase& c : cases) {
        ClockPanel panel;
        panel.referenceText = c.reference;
        panel.fsbText = c.fsb;
        const FailureDescription description = describeFailure(c.error, panel, kBoth, c.language);
        EXPECT_EQ(description.box, c.box) << c.reference << " / " << c.fsb;
        EXPECT_EQ(description.message, c.message);
    }
}

TEST(describe_failure, blames_only_boxes_the_action_read) {
    ClockPanel panel;
    panel.referenceText = "bad";
    panel.fsbText = "bad";
    const FailureDescription description = describeFailure(
        RuntimeError(ErrorNumber::TypeMismatch, "bad"), panel, kFsbOnly, Language::Japanese);
    EXPECT_EQ(description.box, InputBox::Fsb);
    EXPECT_TRUE(description.message.starts_with("FSBの値「bad」")) << description.message;
}

TEST(failure_message, names_a_field_outside_the_panel) {
    EXPECT_EQ(failureMessage(RuntimeError(ErrorNumber::TypeMismatch, "x"), "目標クロック",
                             Language::Japanese),
              "目標クロックの値「x」は数値ではありません。\n実行時エラー 13: 型が一致しません。");
    EXPECT_EQ(failureMessage(RuntimeError(ErrorNumber::TypeMismatch, "x"), std::nullopt,
                             Language::Japanese),
              "入力値「x」は数値ではありません。\n実行時エラー 13: 型が一致しません。");
    EXPECT_EQ(
        failureMessage(RuntimeError(ErrorNumber::DivisionByZero), std::nullopt, Language::Japanese),
        "計算できませんでした。\n実行時エラー 11: 0 で除算しました。");
}

} // namespace
} // namespace quenvale
