#pragma once

#include <calculator/clock_case.h>
#include <calculator/clock_hints.h>
#include <calculator/consequences.h>
#include <calculator/planner.h>
#include <rows/failure_text.h>
#include <runtime/language.h>

#include <array>
#include <optional>
#include <string>

namespace quenvale {

// One case as every output writes it (the command line's formats, the page's
// tables and downloads): the texts of a ClockCase or of a plan's candidate,
// or of a batch line that could not be read as a case.
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
    int errorCode = 0; // with the message: the run-time error number
    // The message is about the core clock alone: the bus clocks stand.
    bool coreFailed = false;
    // What else the crystal changes, and the core clock, where asked for.
    std::optional<Consequences> consequences;
    std::optional<CoreClock> core;
};

// A calculated case as a row; a failure's message is in `language`, naming
// the text to blame.
CaseRow caseRow(const ClockCase& calculated, Language language);

// A candidate of the crystal plan as a row.
CaseRow planRow(const PlanCandidate& candidate);

} // namespace quenvale
