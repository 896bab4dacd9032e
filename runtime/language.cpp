#include <runtime/language.h>

#include <cstdlib>

namespace quenvale {

namespace {

std::string_view valueOf(const char* variable) {
    return variable == nullptr ? std::string_view() : std::string_view(variable);
}

} // namespace

Language chooseLanguage(const LocaleVariables& variables) {
    // LANGUAGE is a priority list ("en:ja"); its first entry counts, and,
    // as gettext reads it, empty entries (":en") are passed over.
    std::string_view list = valueOf(variables.language);
    std::string_view locale;
    while (locale.empty() && !list.empty()) {
        const std::size_t colon = list.find(':');
        locale = list.substr(0, colon);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    for (const char* next : {variables.lcAll, variables.lcMessages, variables.lang}) {
        if (!locale.empty()) {
            break;
        }
        locale = valueOf(next);
    }
    return languageOfLocale(locale);
}

Language languageOfLocale(std::string_view locale) {
    return locale.starts_with(kJapaneseLocalePrefix) ? Language::Japanese : Language::English;
}

Language environmentLanguage() {
    return chooseLanguage({.language = std::getenv("LANGUAGE"),
                           .lcAll = std::getenv("LC_ALL"),
                           .lcMessages = std::getenv("LC_MESSAGES"),
                           .lang = std::getenv("LANG")});
}

std::optional<Language> languageNamed(std::string_view code) {
    if (code == "ja") {
        return Language::Japanese;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

std::string_view languageCode(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

} // namespace quenvale
