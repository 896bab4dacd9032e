#pragma once

#include <calculator/clock_hints.h>

#include <array>
#include <string>

namespace quenvale::cli {

// One calculated case as every output format writes it.
struct CaseRow {
    std::string position; // for --crystal-for: "required", "below" or "above"
    std::string reference;
    std::string fsb;
    std::string pciDivider; // caption, "1/3"
    std::string agpDivider;
    std::array<std::string, 3> clocks; // CPU, PCI, AGP: the window's texts
    ClockHint pciHint = ClockHint::Ok;
    ClockHint agpHint = ClockHint::Ok;
    std::string error; // the message when the case failed; then no clocks
};

} // namespace quenvale::cli
