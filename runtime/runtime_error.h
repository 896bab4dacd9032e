#pragma once

#include <runtime/language.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quenvale {

// The run-time error numbers the program can raise, with the numbers users of
// the original runtime know them by.
enum class ErrorNumber : int {
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

// The runtime's own message for an error number, e.g. "型が一致しません。"
// or "Type mismatch." for TypeMismatch.
std::string_view errorMessage(ErrorNumber number, Language language);

// A run-time error raised by a conversion or a checked floating-point step.
// Carries its number and the text that failed to convert, where there is
// one; its words are chosen when it is shown, in the language of the moment.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number, std::optional<std::string> text = std::nullopt);

    ErrorNumber number() const noexcept { return number_; }
    int code() const noexcept { return static_cast<int>(number_); }
    std::string_view message(Language language) const { return errorMessage(number_, language); }
    // "実行時エラー 13: 型が一致しません。", "Run-time error 13: Type mismatch."
    std::string describe(Language language) const;
    // The text whose conversion failed; empty for an arithmetic fault.
    const std::optional<std::string>& text() const noexcept { return text_; }

private:
    ErrorNumber number_;
    std::optional<std::string> text_;
};

} // namespace quenvale
