#pragma once

#include <calculator/clock_hints.h>

#include <cli/messages.h>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quenvale::cli {

enum class Mode { Single, Batch, Table, CrystalFor, Plan, Help, Version };
enum class Format { Text, Csv, Json };

struct CommandLine {
    Mode mode = Mode::Single;
    Format format = Format::Text;
    std::string reference;                 // Single
    std::string fsb;                       // Single, CrystalFor, Table (with hasFsb)
    std::optional<std::size_t> pci;        // option index, Single and CrystalFor
    std::optional<std::size_t> agp;        // option index, Single and CrystalFor
    std::optional<std::string> tableRef;   // Table: only this crystal
    std::optional<std::string> tableFsb;   // Table: only this FSB
    std::string target;                    // CrystalFor, Plan
    bool details = false;                  // Single: the consequences too
    std::optional<std::string> multiplier; // Single, Plan: a positive number
    ClockHint limit = ClockHint::Caution;  // Plan: the worst hint kept
    std::size_t top = 10;                  // Plan: how many candidates
};

// A command line that does not say what to do; the text says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit UsageError(std::string_view message) : std::runtime_error(std::string(message)) {}
};

// Reads the arguments after the program name. Options may stand anywhere;
// "--name value" and "--name=value" are the same, and "--" ends the options
// (so that a negative number can be given). The numbers that --table and
// --crystal-for apply to every row are checked here, so that a typo is one
// usage error rather than a failure on every row. Messages are in `language`.
CommandLine parseCommandLine(std::span<const std::string_view> args, Language language);

// The option index of a divider caption, "1/2" -> 0 for PCI; none when the
// caption is not one of the group's.
std::optional<std::size_t> pciIndex(std::string_view caption);
std::optional<std::size_t> agpIndex(std::string_view caption);

} // namespace quenvale::cli
