#include <runtime/catalogue.h>
#include <runtime/runtime_error.h>

#include <utility>

namespace quenvale {

std::string_view errorMessage(ErrorNumber number, Language language) {
    switch (number) {
    case ErrorNumber::Overflow:
        return tr(language, "オーバーフローしました。");
    case ErrorNumber::DivisionByZero:
        return tr(language, "0 で除算しました。");
    case ErrorNumber::TypeMismatch:
        return tr(language, "型が一致しません。");
    }
    return tr(language, "アプリケーション定義エラーまたはオブジェクト定義エラーです。");
}

std::string RuntimeError::describe(Language language) const {
    return tr(language, "実行時エラー {number}: {message}",
              {{"number", std::to_string(code())}, {"message", message(language)}});
}

// what() is for logs and debuggers, not for users: it names the number only,
// as the words depend on the language of whoever shows them.
RuntimeError::RuntimeError(ErrorNumber number, std::optional<std::string> text)
    : std::runtime_error("run-time error " + std::to_string(static_cast<int>(number))),
      number_(number), text_(std::move(text)) {}

} // namespace quenvale
