#include <calculator/failure_message.h>
#include <cli/messages.h>
#include <runtime/runtime_error.h>

namespace quenvale::cli {

namespace {

std::string_view englishErrorName(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    }
    return "Application-defined or object-defined error";
}

std::string englishFirstLine(const RuntimeError& error, std::optional<FieldName> field) {
    if (!error.text()) {
        return error.number() == ErrorNumber::Overflow ? "The result is too large."
                                                       : "The calculation failed.";
    }
    const std::string value = field ? "The " + std::string(field->english) + " value" : "The value";
    const std::string& typed = *error.text();
    if (isBlankText(typed)) {
        return value + " is empty.";
    }
    return value + " \"" + quotableText(typed) + "\"" +
           (error.number() == ErrorNumber::Overflow ? " is too large." : " is not a number.");
}

bool isSet(const char* variable) {
    return variable != nullptr && *variable != '\0';
}

} // namespace

Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* locale = isSet(lcAll) ? lcAll : isSet(lcMessages) ? lcMessages : lang;
    return isSet(locale) && std::string_view(locale).starts_with("ja") ? Language::Japanese
                                                                       : Language::English;
}

std::string failureText(const RuntimeError& error, std::optional<FieldName> field,
                        Language language) {
    if (language == Language::Japanese) {
        return failureMessage(error, field ? std::optional(field->japanese) : std::nullopt,
                              quenvale::Language::Japanese);
    }
    return englishFirstLine(error, field) + "\nRun-time error " + std::to_string(error.code()) +
           ": " + std::string(englishErrorName(error.number())) + ".";
}

std::string oneLine(std::string_view message) {
    std::string line(message);
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return line;
}

} // namespace quenvale::cli
