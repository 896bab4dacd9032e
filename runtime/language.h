#pragma once

#include <optional>
#include <string_view>

namespace quenvale {

// The languages the program speaks. Japanese is the source language: its
// texts are the catalogue's message ids.
enum class Language { Japanese, English };

// The environment variables that decide the language; null or empty stands
// for an unset variable.
struct LocaleVariables {
    const char* language = nullptr; // LANGUAGE, a colon-separated list
    const char* lcAll = nullptr;
    const char* lcMessages = nullptr;
    const char* lang = nullptr;
};

// The first non-empty entry of LANGUAGE, else LC_ALL, else LC_MESSAGES, else LANG
// decides: Japanese when it starts with "ja", English otherwise.
Language chooseLanguage(const LocaleVariables& variables);

// How a locale or a browser's language tag that asks for Japanese starts
// ("ja_JP.UTF-8", "ja-JP"); the page's early script reads it too.
inline constexpr std::string_view kJapaneseLocalePrefix = "ja";

// What a locale or a browser's language tag ("ja-JP", "en-US") asks for:
// Japanese when it starts with kJapaneseLocalePrefix, English otherwise.
Language languageOfLocale(std::string_view locale);

// The same, read from this process's environment.
Language environmentLanguage();

// "ja" or "en", as --lang spells them; none for anything else.
std::optional<Language> languageNamed(std::string_view code);

// The language's code, as languageNamed reads it.
std::string_view languageCode(Language language);

} // namespace quenvale
