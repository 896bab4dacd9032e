#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quenvale {
class RuntimeError;
}

namespace quenvale::cli {

// The language of the program's messages and help. Results (the clock lines,
// the hints, the tables) read the same in both.
enum class Language { Japanese, English };

// Japanese when the locale that decides messages starts with "ja": LC_ALL,
// else LC_MESSAGES, else LANG, an empty variable counting as unset; English
// otherwise. Null stands for an unset variable.
Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang);

// The text of the two given in the language.
constexpr std::string_view say(Language language, std::string_view japanese,
                               std::string_view english) {
    return language == Language::Japanese ? japanese : english;
}

// What a value goes by in messages, in both languages.
struct FieldName {
    std::string_view japanese;
    std::string_view english;
};
inline constexpr FieldName kReferenceField{"PLL-IC REF クロック", "PLL-IC REF clock"};
inline constexpr FieldName kFsbField{"FSB", "FSB"};
inline constexpr FieldName kTargetField{"目標クロック", "target clock"};

// Why a conversion or a calculation failed, in two lines: what went wrong in
// the user's terms (quoting the text, named by `field` where known), then the
// run-time error. In Japanese exactly the window's message.
std::string failureText(const RuntimeError& error, std::optional<FieldName> field,
                        Language language);

// The message on one line, for formats that hold one record a line.
std::string oneLine(std::string_view message);

} // namespace quenvale::cli
