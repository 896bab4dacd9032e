#pragma once

#include <runtime/language.h>

#include <iosfwd>
#include <span>
#include <string_view>

namespace quenvale::cli {

// Runs the program on its arguments (without the program name) and returns
// its exit status: 0 done, 1 a calculation failed, 2 the command line was
// wrong. Messages and help are in the language --lang names, else `environment`.
int runCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
            std::ostream& err, Language environment);

} // namespace quenvale::cli
