#pragma once

#include <calculator/clock_hints.h>
#include <calculator/option_group.h>
#include <calculator/planner.h>

#include <cstddef>
#include <optional>
#include <rows/row_writer.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quenvale::cli {

// What each mode of quenvale-calc was given; the parser checked every value
// that is not a case's own input (the numbers --table and --crystal-for apply
// to every row, the plan's target), so a mode only calculates and writes.
struct SingleArgs {
    std::string reference;
    std::string fsb;
    DividerChoice pci; // given dividers; none for the FSB band's
    DividerChoice agp;
    bool details = false;                  // the consequences too
    std::optional<std::string> multiplier; // a positive number
    Format format = Format::Text;
};

struct BatchArgs {
    Format format = Format::Csv;
};

struct TableArgs {
    std::optional<std::string> reference; // only this crystal
    std::optional<std::string> fsb;       // only this FSB
    bool details = false;                 // the consequences too
    Format format = Format::Text;
};

struct CrystalForArgs {
    std::string target; // a number
    std::string fsb;    // a number
    DividerChoice pci;
    DividerChoice agp;
    Format format = Format::Text;
};

struct PlanArgs {
    std::string target;                    // a number above 0
    std::vector<std::string> references;   // the crystals to rank; none: the list
    std::optional<std::string> multiplier; // a positive number
    ClockHint limit = kDefaultPlanLimit;   // the worst hint kept
    std::size_t top = 10;                  // how many candidates
    Format format = Format::Text;
};

struct HelpArgs {};
struct VersionArgs {};

using Command =
    std::variant<SingleArgs, BatchArgs, TableArgs, CrystalForArgs, PlanArgs, HelpArgs, VersionArgs>;

// A command line that does not say what to do; the text says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit UsageError(std::string_view message) : std::runtime_error(std::string(message)) {}
};

} // namespace quenvale::cli
