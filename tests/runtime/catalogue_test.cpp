#include <runtime/catalogue.h>
#include <runtime/language.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quenvale {
namespace {

struct LanguageCase {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
};

TEST(choose_language, first_set_variable_decides) {
    constexpr Language ja = Language::Japanese;
    constexpr Language en = Language::English;
    const LanguageCase cases[] = {
        {nullptr, nullptr, nullptr, nullptr, en},
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", ja},
        {nullptr, nullptr, nullptr, "C.UTF-8", en},
        // LC_ALL wins over LC_MESSAGES, even when it is C.
        {nullptr, "C", "ja_JP.UTF-8", nullptr, en},
        {nullptr, nullptr, "ja_JP.UTF-8", "en_US.UTF-8", ja},
        // An empty variable counts as unset.
        {"", "", "", "ja_JP.UTF-8", ja},
        // LANGUAGE's first entry wins over every locale variable.
        {"ja:en", "en_US.UTF-8", nullptr, nullptr, ja},
        {"en_GB:ja", nullptr, nullptr, "ja_JP.UTF-8", en},
        // As gettext reads the list, an empty entry is passed over.
        {":en", nullptr, nullptr, "ja_JP.UTF-8", en},
        {":ja", nullptr, nullptr, "en_US.UTF-8", ja},
        {"jp", nullptr, nullptr, nullptr, en},
    };
    for (const LanguageCase& c : cases) {
        EXPECT_EQ(chooseLanguage({c.language, c.lcAll, c.lcMessages, c.lang}), c.expected)
            << (c.language ? c.language : "-") << " " << (c.lcAll ? c.lcAll : "-") << " "
            << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
    }
}

std::multiset<std::string> placeholders(std::string_view text) {
    std::multiset<std::string> names;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        const std::size_t close = text.find('}', open);
        if (close != std::string_view::npos) {
            names.emplace(text.substr(open, close - open + 1));
        }
    }
    return names;
}

// A translation that is missing, or that drops or misspells a placeholder,
// would show an empty text or a raw "{text}" to the user.
TEST(catalogue, every_message_has_both_languages_with_the_same_placeholders) {
    for (const CatalogueEntry& entry : kCatalogue) {
        EXPECT_FALSE(entry.japanese.empty()) << entry.id;
        EXPECT_FALSE(entry.english.empty()) << entry.id;
        EXPECT_EQ(placeholders(entry.japanese), placeholders(entry.id)) << entry.id;
        EXPECT_EQ(placeholders(entry.english), placeholders(entry.id)) << entry.id;
    }
}

TEST(catalogue, finds_by_context_and_fills_placeholders) {
    EXPECT_EQ(findText(Language::English, "PLL-IC REF クロック"), "Reference clock");
    EXPECT_EQ(findText(Language::English, "PLL-IC REF クロック", "field name"), "reference clock");
    EXPECT_EQ(findText(Language::English, "no such text"), std::nullopt);
    EXPECT_EQ(translated(Language::English, "1/2"), "1/2");
    // A typed "{text}" inside an argument is quoted as it is.
    EXPECT_EQ(
        tr(Language::English, "入力値「{text}」は数値ではありません。", {{"text", "{text}}"}}),
        "The value \"{text}}\" is not a number.");
}

} // namespace
} // namespace quenvale
