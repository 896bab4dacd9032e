#pragma once

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

// The runtime's own Japanese message for an error number,
// e.g. "型が一致しません。" for TypeMismatch.
std::string_view errorMessage(ErrorNumber number);

// A run-time error raised by a conversion or a checked floating-point step.
// Carries the text that failed to convert, where there is one, so that the
// window can quote what the user typed.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number, std::optional<std::string> text = std::nullopt);

    ErrorNumber number() const noexcept { return number_; }
    int code() const noexcept { return static_cast<int>(number_); }
    std::string_view message() const noexcept { return errorMessage(number_); }
    // The text whose conversion failed; empty for an arithmetic fault.
    const std::optional<std::string>& text() const noexcept { return text_; }

private:
    ErrorNumber number_;
    std::optional<std::string> text_;
};

} // namespace quenvale
