#pragma once

#include <cli/case_row.h>
#include <cli/command_line.h>
#include <cli/messages.h>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quenvale::cli {

// What a case computes besides the clocks.
struct CaseExtras {
    bool consequences = false;             // USB, Super I/O, timer drift
    std::optional<std::string> multiplier; // the core clock, CPU x this
};

// One case as the window computes it after the FSB was picked from its list
// (the FSB band's dividers), with the given dividers instead where given. A
// failure is returned in the row's error, with the window's message in
// Japanese, and its run-time error number.
CaseRow calculateCase(std::string_view reference, std::string_view fsb,
                      std::optional<std::size_t> pci, std::optional<std::size_t> agp,
                      Language language, const CaseExtras& extras = {});

// Runs the program on its arguments (without the program name) and returns
// its exit status: 0 done, 1 a calculation failed, 2 the command line was
// wrong. Messages and help are in `language`.
int runCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
            std::ostream& err, Language language);

} // namespace quenvale::cli
