#pragma once

#include <cli/calc_types.h>
#include <runtime/language.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quenvale::cli {

// Reads the arguments after the program name. Options may stand anywhere;
// "--name value" and "--name=value" are the same, and "--" ends the options.
// A word of one dash and a letter is a short option; one of a dash and
// anything else is an operand (a negative number). Messages are in
// `language`.
Command parseCommandLine(std::span<const std::string_view> args, Language language);

// The language --lang asks for (its last valid value), else `fallback`; a
// wrong value is left for the parser to report.
Language commandLanguage(std::span<const std::string_view> args, Language fallback);

// The option nearest to an unknown word ("--detials": "--details"), for a
// "did you mean" hint; none when no option is near enough.
std::optional<std::string_view> nearestOption(std::string_view word);

} // namespace quenvale::cli
