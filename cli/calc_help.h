#pragma once

#include <runtime/language.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quenvale::cli {

// The widest line the usage and the help write, in terminal columns: they
// fit an 80-column terminal.
inline constexpr std::size_t kHelpWidth = 80;

// The usage lines, with their localised heading, and the help after them.
std::string usageText(Language language);
std::string helpText(Language language);

// `text` in lines of at most `width` terminal columns, a wide character
// counting two: the first line goes on from column `column`, the others begin
// with `indent` blanks. Lines break at blanks and between wide characters,
// never inside a word of Latin letters and never before a closing mark
// ("、", "。", ")") or after an opening one; a word wider than a line stands
// alone. A line feed in the text starts a new line. No line ends in a blank.
std::string wrapText(std::string_view text, std::size_t column, std::size_t indent,
                     std::size_t width = kHelpWidth);

} // namespace quenvale::cli
