#include <calculator/clock_panel.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <charconv>
#include <cli/command_line.h>
#include <vector>

namespace quenvale::cli {

namespace {

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& captions,
                                   std::string_view caption) {
    const auto found = std::find(captions.begin(), captions.end(), caption);
    if (found == captions.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - captions.begin());
}

std::string operator+(std::string_view left, std::string_view right) {
    std::string joined(left);
    joined += right;
    return joined;
}

Format formatNamed(std::string_view name, Language language) {
    if (name == "text") {
        return Format::Text;
    }
    if (name == "csv") {
        return Format::Csv;
    }
    if (name == "json") {
        return Format::Json;
    }
    throw UsageError(say(language, "--format は text、csv、json のいずれかです: ",
                         "--format takes text, csv or json: ") +
                     name);
}

// A value every row of a command uses: one that is not a number is a usage
// error, named by the option that gave it.
void checkNumber(std::string_view option, std::string_view text, FieldName field,
                 Language language) {
    try {
        parseSingle(text);
    } catch (const RuntimeError& error) {
        const std::string message = failureText(error, field, language);
        throw UsageError(option + (": " + message.substr(0, message.find('\n'))));
    }
}

// A multiplier is a positive number: anything else would make every core
// clock zero, negative or meaningless.
void checkMultiplier(std::string_view text, Language language) {
    float value = 0;
    try {
        value = parseSingle(text);
    } catch (const RuntimeError&) {
        value = 0;
    }
    if (!(value > 0)) {
        throw UsageError(
            say(language, "--multiplier は正の数です: ", "--multiplier takes a positive number: ") +
            text);
    }
}

ClockHint limitNamed(std::string_view name, Language language) {
    for (const ClockHint hint : {ClockHint::Ok, ClockHint::Caution, ClockHint::Danger}) {
        if (name == hintName(hint)) {
            return hint;
        }
    }
    throw UsageError(say(language, "--limit は ok、caution、danger のいずれかです: ",
                         "--limit takes ok, caution or danger: ") +
                     name);
}

std::size_t countNamed(std::string_view text, Language language) {
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count == 0) {
        throw UsageError(
            say(language, "--top は 1 以上の整数です: ", "--top takes a whole number from 1 up: ") +
            text);
    }
    return count;
}

} // namespace

std::optional<std::size_t> pciIndex(std::string_view caption) {
    return dividerIndex(DividerGroup::Pci, caption);
}

std::optional<std::size_t> agpIndex(std::string_view caption) {
    return dividerIndex(DividerGroup::Agp, caption);
}

CommandLine parseCommandLine(std::span<const std::string_view> args, Language language) {
    CommandLine line;
    std::vector<std::string_view> positional;
    std::optional<Format> format;
    bool batch = false;
    bool table = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> crystalFor;
    std::optional<std::string> fsbOption;
    bool plan = false;
    std::optional<std::string> target;
    std::optional<std::string> limit;
    std::optional<std::string> top;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              args.end());
            break;
        }
        // The two short options; any other word with one dash is a number
        // (perhaps negative) or a typo that the calculation reports.
        if (arg == "-h") {
            help = true;
            continue;
        }
        if (arg == "-V") {
            version = true;
            continue;
        }
        if (!arg.starts_with("--")) {
            positional.push_back(arg);
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (const auto equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        const auto value = [&]() -> std::string {
            if (inlineValue) {
                return std::string(*inlineValue);
            }
            if (i + 1 >= args.size()) {
                throw UsageError(name + say(language, " には値が必要です", " needs a value"));
            }
            return std::string(args[++i]);
        };
        const auto flag = [&](bool& set) {
            if (inlineValue) {
                throw UsageError(name + say(language, " は値を取りません", " takes no value"));
            }
            set = true;
        };

        if (name == "--help") {
            flag(help);
        } else if (name == "--version") {
            flag(version);
        } else if (name == "--batch") {
            flag(batch);
        } else if (name == "--table") {
            flag(table);
        } else if (name == "--format") {
            format = formatNamed(value(), language);
        } else if (name == "--pci") {
            const std::string caption = value();
            line.pci = pciIndex(caption);
            if (!line.pci) {
                throw UsageError(say(language, "--pci は 1/2、1/3、1/4 のいずれかです: ",
                                     "--pci takes 1/2, 1/3 or 1/4: ") +
                                 caption);
            }
        } else if (name == "--agp") {
            const std::string caption = value();
            line.agp = agpIndex(caption);
            if (!line.agp) {
                throw UsageError(say(language, "--agp は 1/1、2/3、1/2 のいずれかです: ",
                                     "--agp takes 1/1, 2/3 or 1/2: ") +
                                 caption);
            }
        } else if (name == "--ref") {
            line.tableRef = value();
        } else if (name == "--fsb") {
            fsbOption = value();
        } else if (name == "--crystal-for") {
            crystalFor = value();
        } else if (name == "--details") {
            flag(line.details);
        } else if (name == "--multiplier") {
            line.multiplier = value();
        } else if (name == "--plan") {
            flag(plan);
        } else if (name == "--target") {
            target = value();
        } else if (name == "--limit") {
            limit = value();
        } else if (name == "--top") {
            top = value();
        } else {
            throw UsageError(say(language, "不明なオプションです: ", "unknown option: ") + arg);
        }
    }

    if (help || version) {
        line.mode = help ? Mode::Help : Mode::Version;
        return line;
    }
    const int modes = static_cast<int>(batch) + static_cast<int>(table) +
                      static_cast<int>(crystalFor.has_value()) + static_cast<int>(plan);
    if (modes > 1) {
        throw UsageError(say(language,
                             "--batch、--table、--crystal-for、--plan は同時に指定できません",
                             "--batch, --table, --crystal-for and --plan exclude each other"));
    }
    const bool dividers = line.pci.has_value() || line.agp.has_value();
    if (!plan && (target || limit || top)) {
        throw UsageError(say(language, "--target、--limit、--top は --plan に指定します",
                             "--target, --limit and --top go with --plan"));
    }
    if (line.details && modes > 0) {
        throw UsageError(say(language, "--details は一つの計算 (REF FSB) に指定します",
                             "--details goes with a single case (REF FSB)"));
    }
    if (line.multiplier) {
        if (modes > 0 && !plan) {
            throw UsageError(say(language, "--multiplier は REF FSB か --plan に指定します",
                                 "--multiplier goes with REF FSB or --plan"));
        }
        checkMultiplier(*line.multiplier, language);
    }

    if (plan) {
        line.mode = Mode::Plan;
        line.format = format.value_or(Format::Text);
        if (!target) {
            throw UsageError(
                say(language, "--plan には --target が必要です", "--plan needs --target"));
        }
        if (!positional.empty() || dividers || line.tableRef || fsbOption) {
            throw UsageError(
                say(language,
                    "--plan に取れるのは --target、--multiplier、--limit、--top、--format だけです",
                    "--plan takes only --target, --multiplier, --limit, --top and --format"));
        }
        line.target = *target;
        checkNumber("--target", line.target, kTargetField, language);
        if (limit) {
            line.limit = limitNamed(*limit, language);
        }
        if (top) {
            line.top = countNamed(*top, language);
        }
        return line;
    }

    if (batch) {
        line.mode = Mode::Batch;
        line.format = format.value_or(Format::Csv);
        if (!positional.empty() || dividers || line.tableRef || fsbOption) {
            throw UsageError(say(language, "--batch は標準入力から REF,FSB[,PCI,AGP] を読みます",
                                 "--batch reads REF,FSB[,PCI,AGP] lines from standard input"));
        }
        return line;
    }
    if (table) {
        line.mode = Mode::Table;
        line.format = format.value_or(Format::Text);
        line.tableFsb = fsbOption;
        if (!positional.empty() || dividers) {
            throw UsageError(say(language, "--table に取れるのは --ref、--fsb、--format だけです",
                                 "--table takes only --ref, --fsb and --format"));
        }
        if (line.tableRef) {
            checkNumber("--ref", *line.tableRef, kReferenceField, language);
        }
        if (line.tableFsb) {
            checkNumber("--fsb", *line.tableFsb, kFsbField, language);
        }
        return line;
    }
    if (crystalFor) {
        line.mode = Mode::CrystalFor;
        line.format = format.value_or(Format::Text);
        line.target = *crystalFor;
        if (!fsbOption) {
            throw UsageError(
                say(language, "--crystal-for には --fsb が必要です", "--crystal-for needs --fsb"));
        }
        line.fsb = *fsbOption;
        if (!positional.empty() || line.tableRef) {
            throw UsageError(
                say(language, "--crystal-for に取れるのは --fsb、--pci、--agp、--format だけです",
                    "--crystal-for takes only --fsb, --pci, --agp and --format"));
        }
        checkNumber("--crystal-for", line.target, kTargetField, language);
        checkNumber("--fsb", line.fsb, kFsbField, language);
        return line;
    }

    line.mode = Mode::Single;
    line.format = format.value_or(Format::Text);
    if (positional.size() != 2 || line.tableRef || fsbOption) {
        throw UsageError(
            say(language, "REF と FSB を一つずつ指定してください", "give one REF and one FSB"));
    }
    line.reference = std::string(positional[0]);
    line.fsb = std::string(positional[1]);
    return line;
}

} // namespace quenvale::cli
