#include <runtime/runtime_error.h>

#include <utility>

namespace quenvale {

std::string_view errorMessage(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::Overflow:
        return "オーバーフローしました。";
    case ErrorNumber::DivisionByZero:
        return "0 で除算しました。";
    case ErrorNumber::TypeMismatch:
        return "型が一致しません。";
    }
    return "アプリケーション定義エラーまたはオブジェクト定義エラーです。";
}

namespace {

std::string describe(ErrorNumber number) {
    return "実行時エラー " + std::to_string(static_cast<int>(number)) + ": " +
           std::string(errorMessage(number));
}

} // namespace

RuntimeError::RuntimeError(ErrorNumber number, std::optional<std::string> text)
    : std::runtime_error(describe(number)), number_(number), text_(std::move(text)) {}

} // namespace quenvale
