#pragma once

#include <cli/calc_types.h>
#include <runtime/language.h>
#include <runtime/catalogue.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quenvale::cli {

// The modes an option belongs to, as a bit set.
enum ModeBit : std::uint8_t {
    kSingle = 1,
    kBatch = 2,
    kTable = 4,
    kCrystalFor = 8,
    kPlan = 16,
    kInfo = 32, // help and version
};

// Where an option's help line goes: an entry of its own (its label naming
// the value where the text refers to it: "--multiplier M"), its label joined
// to the entry before ("--pci, --agp"), on the line of the entry before, or
// in the text of another option's entry (then its help is empty).
enum class HelpPlace { Entry, EntryNamingValue, SharesEntry, SameLine, InAnother };

enum class Takes { Nothing, Value, Operands };

struct OptionSpec {
    std::string_view name;      // "--pci"; the operands' "REF FSB"
    std::string_view shortName; // "-h", or empty
    Takes takes;
    std::uint8_t modes;
    // The value's placeholder in the usage, "M"; empty where it lists the
    // choices (dividers, formats, limits).
    std::string_view value;
    HelpPlace place;
    std::optional<Message> help; // lines after the first are indented under it
    // Given outside its modes: this message, checked before the mode's own
    // checks; empty: the mode says what it takes.
    std::optional<Message> misplaced;
};

// Every option of quenvale-calc; the parser, the usage and the help are made
// from it.
extern const std::span<const OptionSpec> kOptions;

// Reads the arguments after the program name. Options may stand anywhere;
// "--name value" and "--name=value" are the same, and "--" ends the options
// (so that a negative number can be given). Messages are in `language`.
Command parseCommandLine(std::span<const std::string_view> args, Language language);

// The language --lang asks for (its last valid value), else `fallback`; a
// wrong value is left for the parser to report.
Language commandLanguage(std::span<const std::string_view> args, Language fallback);

// The usage lines, with their localised heading, and the help after them.
std::string usageText(Language language);
std::string helpText(Language language);

} // namespace quenvale::cli
