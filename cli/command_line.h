#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quenvale::cli {

enum class Mode { Single, Batch, Table, CrystalFor, Help, Version };
enum class Format { Text, Csv, Json };

struct CommandLine {
    Mode mode = Mode::Single;
    Format format = Format::Text;
    std::string reference;               // Single
    std::string fsb;                     // Single, CrystalFor, Table (with hasFsb)
    std::optional<std::size_t> pci;      // option index, Single
    std::optional<std::size_t> agp;      // option index, Single
    std::optional<std::string> tableRef; // Table: only this crystal
    std::optional<std::string> tableFsb; // Table: only this FSB
    std::string target;                  // CrystalFor
};

// A command line that does not say what to do; the text says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Options may stand anywhere;
// "--name value" and "--name=value" are the same, and "--" ends the options
// (so that a negative number can be given).
CommandLine parseCommandLine(std::span<const std::string_view> args);

// The option index of a divider caption, "1/2" -> 0 for PCI; none when the
// caption is not one of the group's.
std::optional<std::size_t> pciIndex(std::string_view caption);
std::optional<std::size_t> agpIndex(std::string_view caption);

} // namespace quenvale::cli
