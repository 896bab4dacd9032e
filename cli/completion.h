#pragma once

#include <string>

namespace quenvale::cli {

// A bash completion script for quenvale-calc, made from its option table: it
// completes the options, the values of those that take a list of choices,
// and the listed crystals and FSB settings wherever one is typed.
std::string bashCompletion();

} // namespace quenvale::cli
