#pragma once

#include <string>
#include <string_view>

namespace quenvale::cli {

// The name the command line's messages begin with.
inline constexpr std::string_view kProgramName = "quenvale-calc";

// "quenvale-calc: " and the message, on its own line.
std::string programMessage(std::string_view message);

} // namespace quenvale::cli
