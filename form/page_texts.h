#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace quenvale {

// What only the page says: a browser tab outlives the program, and its
// address can carry a calculation. "%1" stands for what the text names.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPageTexts{{
    {"linkUnreadable", "リンクを読めませんでした。初期状態で開いています。"},
    {"linkFailed", "リンクの値では計算できませんでした。初期状態で開いています: %1"},
    {"dividerUnavailable",
     "リンクの %1 はこの FSB では選べないため、FSB に合わせた分周比のままです。"},
    {"ended", "プログラムは終了しました。"},
    {"startAgain", "もう一度始める"},
}};

// The page's text of that name; empty for an unknown name.
constexpr std::string_view pageText(std::string_view name) {
    for (const auto& [key, text] : kPageTexts) {
        if (key == name) {
            return text;
        }
    }
    return {};
}

} // namespace quenvale
