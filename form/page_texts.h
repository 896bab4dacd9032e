#pragma once

#include <runtime/catalogue.h>
#include <runtime/language.h>

#include <array>
#include <string>
#include <string_view>

namespace quenvale {

// What only the page says, by the page's name for it: a browser tab outlives
// the program, its address can carry a calculation, and it has a language
// switch. `placeholder` names what the text fills in, if anything.
struct PageText {
    std::string_view name;
    Message message;
    std::string_view placeholder;
};

inline constexpr std::array<PageText, 19> kPageTexts{{
    {"linkUnreadable", Message("リンクを読めませんでした。初期状態で開いています。"), {}},
    {"linkFailed", Message("リンクの値では計算できませんでした。初期状態で開いています: {reason}"),
     "reason"},
    {"dividerUnavailable",
     Message("リンクの {dividers} はこの FSB では選べないため、FSB に合わせた分周比のままです。"),
     "dividers"},
    {"listSeparator", Message("、", "list separator"), {}},
    {"ended", Message("プログラムは終了しました。"), {}},
    {"startAgain", Message("もう一度始める"), {}},
    {"languageSwitch", Message("表示言語"), {}},
    {"languageName", Message("日本語", "language name"), {}},
    {"windowTitle", Message("Quenvale", "window title"), {}},
    {"ok", Message("OK", "button"), {}},
    {"noScript", Message("Quenvale は JavaScript で動きます。"), {}},
    {"description",
     Message("14.318 MHz の基準水晶を取り替えたマザーボードの CPU、PCI、AGP、USB "
             "のクロックを計算します。"),
     {}},
    {"build", Message("ビルド {build}"), "build"},
    {"copyLink", Message("リンクをコピー"), {}},
    {"linkCopied", Message("この計算のリンクをコピーしました。"), {}},
    {"copyRefused", Message("リンクをコピーできませんでした。このリンクを選んでコピーしてください: {link}"),
     "link"},
    {"share", Message("共有…"), {}},
    {"forget", Message("覚えた計算を消す"), {}},
    {"forgotten", Message("覚えていた計算と計画の条件を消しました。"), {}},
}};

// The page's text of that name in the language, with `argument` in its
// placeholder; empty for an unknown name.
inline std::string pageText(Language language, std::string_view name,
                            std::string_view argument = {}) {
    for (const PageText& text : kPageTexts) {
        if (text.name == name) {
            return text.placeholder.empty()
                       ? std::string(tr(language, text.message))
                       : tr(language, text.message, {{text.placeholder, argument}});
        }
    }
    return {};
}

} // namespace quenvale
