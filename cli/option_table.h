#pragma once

#include <calculator/clock_hints.h>
#include <calculator/option_group.h>
#include <runtime/catalogue.h>

#include <cstddef>
#include <optional>
#include <rows/row_writer.h>
#include <span>
#include <string_view>
#include <vector>

namespace quenvale::cli {

// The modes of quenvale-calc; a command line is in exactly one.
enum class Mode { Single, Batch, Table, CrystalFor, Plan };

// Where an option's help line goes: an entry of its own (its label naming
// the value where the text refers to it: "--multiplier M"), its label joined
// to the entry before ("--pci, --agp"), on the line of the entry before, or
// in the text of another option's entry (then its help is empty).
enum class HelpPlace { Entry, EntryNamingValue, SharesEntry, SameLine, InAnother };

enum class Takes { Nothing, Value, Operands };

// Which command lines an option belongs to: those of the modes whose usage
// names it, every mode's, or none, as it stands alone (help, version).
enum class Reach { Usage, EveryMode, Alone };

struct OptionSpec {
    std::string_view name;        // "--pci"; the operands' "REF FSB"
    std::string_view shortName{}; // "-h", or empty
    Takes takes = Takes::Nothing;
    Reach reach = Reach::Usage;
    // The value's placeholder in the usage, "M"; empty where it lists the
    // choices (dividers, formats, limits).
    std::string_view value{};
    HelpPlace place = HelpPlace::Entry;
    std::optional<Message> help{}; // lines after the first are indented under it
    // Given outside its modes: this message, checked before the mode's own
    // checks; empty: the mode says what it takes.
    std::optional<Message> misplaced{};
};

// An option in a mode's usage line.
struct UsageItem {
    std::string_view option;
    bool required = false;
    std::string_view value{}; // instead of the option's own placeholder
};

// A mode: the option that selects it (none for a single case), the option it
// cannot do without, its usage line, which is also the list of the options
// it takes, and what it says when given an option of another mode (empty:
// "takes only" its usage's options).
struct ModeSpec {
    Mode mode;
    std::string_view selector{};
    std::string_view needs{};
    std::vector<UsageItem> usage;
    std::string_view usageTail{};
    std::optional<Message> stray{};
    Format defaultFormat = Format::Text;
};

inline constexpr std::size_t kOptionCount = 18;

// Every option of quenvale-calc, the operands first; the parser, the usage,
// the help and the completion are made from it.
extern const std::span<const OptionSpec> kOptions;

// The modes, a single case first.
const std::vector<ModeSpec>& modeTable();

// Whether the mode takes the option: its usage names it, or every mode does.
bool takes(const ModeSpec& mode, const OptionSpec& option);

// The option of that long or short name; none for an unknown one.
const OptionSpec* optionNamed(std::string_view name);

// The option of that long name; the name must be one of the table's.
const OptionSpec& specNamed(std::string_view name);

// The value names of --format (from `first` on, round the row formats, svg
// last where the mode draws a chart), --pci and --agp, and --limit.
std::vector<std::string_view> formatNames(Format first, bool chart);
std::optional<Format> formatNamed(std::string_view name);
std::vector<std::string_view> captions(DividerGroup group);
std::vector<std::string_view> limitNames();
// The language codes --lang takes.
std::vector<std::string_view> languageCodes();

// "a|b|c": the items with the separator between them.
std::string joined(const std::vector<std::string_view>& items, char separator);

// The placeholder after an option in a mode's usage: `value` where the usage
// gives one, the choices of the option ("1/2|1/3|1/4"), or its own.
std::string usageValue(const OptionSpec& option, const ModeSpec& mode, std::string_view value);

} // namespace quenvale::cli
