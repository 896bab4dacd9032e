#include <calculator/planner.h>
#include <cli/calc_options.h>
#include <cli/option_table.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <rows/failure_text.h>
#include <stdexcept>
#include <vector>

namespace quenvale::cli {

namespace {

std::string operator+(std::string_view left, std::string_view right) {
    std::string joined(left);
    joined += right;
    return joined;
}

enum class Conjunction { Or, And };

// "a、b、c" or "a, b or c"; "a、b" or "a and b".
std::string listed(const std::vector<std::string_view>& items, Language language,
                   Conjunction conjunction) {
    const std::string_view last = conjunction == Conjunction::Or
                                      ? tr(language, {"、", "list, last of choices"})
                                      : tr(language, {"、", "list, last of several"});
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? last : tr(language, {"、", "list"});
        }
        text += items[i];
    }
    return text;
}

// "--pci は 1/2、1/3、1/4 のいずれかです: " / "--pci takes 1/2, 1/3 or 1/4: ".
UsageError notOneOf(std::string_view option, const std::vector<std::string_view>& choices,
                    std::string_view given, Language language) {
    return UsageError{tr(language, "{option} は {choices} のいずれかです: {value}",
                         {{"option", option},
                          {"choices", listed(choices, language, Conjunction::Or)},
                          {"value", given}})};
}

std::size_t indexOf(const OptionSpec* option) {
    return static_cast<std::size_t>(option - kOptions.data());
}

std::size_t indexNamed(std::string_view name) {
    return indexOf(&specNamed(name));
}

// The first line of a conversion's failure, after the option that gave the
// text: a usage error is two lines, the second pointing at --help.
UsageError conversionError(std::string_view option, const RuntimeError& error, FieldName field,
                           Language language) {
    const std::string message = failureText(error, field, language);
    const std::string firstLine = option + (": " + message.substr(0, message.find('\n')));
    return UsageError(std::string_view(firstLine));
}

// A value every row of a command uses: one that is not a number is a usage
// error, named by the option that gave it.
void checkNumber(std::string_view option, std::string_view text, FieldName field,
                 Language language) {
    try {
        parseSingle(text);
    } catch (const RuntimeError& error) {
        throw conversionError(option, error, field, language);
    }
}

// A number above 0; anything else would make every clock it scales zero,
// negative or meaningless. A text that is not a number is told so first.
void checkPositive(std::string_view option, std::string_view text, FieldName field,
                   Language language) {
    std::optional<float> value;
    try {
        value = positiveValue(text);
    } catch (const RuntimeError& error) {
        throw conversionError(option, error, field, language);
    }
    if (!value) {
        throw UsageError(
            tr(language, "{option} は正の数です: {value}", {{"option", option}, {"value", text}}));
    }
}

std::size_t countNamed(std::string_view text, Language language) {
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    const bool whole = end == text.data() + text.size();
    if (error == std::errc::result_out_of_range && whole) {
        throw UsageError(tr(language, "--top の値が大きすぎます: {value}", {{"value", text}}));
    }
    if (error != std::errc() || !whole || count == 0) {
        throw UsageError(tr(language, "--top は 1 以上の整数です: {value}", {{"value", text}}));
    }
    return count;
}

// What the command line gave, by option: the last value of each, and every
// crystal --ref gave.
struct Given {
    std::array<std::optional<std::string>, kOptionCount> values;
    std::vector<std::string> references;
    std::vector<std::string> operands;
    std::optional<Format> format;
    DividerChoice pci;
    DividerChoice agp;

    const std::optional<std::string>& operator[](std::string_view name) const {
        return values.at(indexNamed(name));
    }
    bool has(std::string_view name) const { return (*this)[name].has_value(); }
};

// Values checked as they come, so that the first bad one is the one named.
void takeValue(Given& given, const OptionSpec& option, std::string value, Language language) {
    if (option.name == "--format") {
        given.format = formatNamed(value);
        if (!given.format) {
            throw notOneOf(option.name, formatNames(Format::Text, true), value, language);
        }
    } else if (option.name == "--pci" || option.name == "--agp") {
        const DividerGroup group = option.name == "--pci" ? DividerGroup::Pci : DividerGroup::Agp;
        const DividerChoice index = dividerIndex(group, value);
        if (!index) {
            throw notOneOf(option.name, captions(group), value, language);
        }
        (group == DividerGroup::Pci ? given.pci : given.agp) = index;
    } else if (option.name == "--lang" && !languageNamed(value)) {
        throw notOneOf(option.name, languageCodes(), value, language);
    } else if (option.name == "--ref") {
        given.references.push_back(value);
    }
    given.values.at(indexOf(&option)) = std::move(value);
}

// A word of a dash and a letter, "-h", "-v": a short option, known or not.
// "-14.318", "-.5" and "-" are operands.
bool isShortOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && arg[1] != '-' &&
           std::isalpha(static_cast<unsigned char>(arg[1])) != 0;
}

UsageError unknownOption(std::string_view arg, std::string_view name, Language language) {
    if (const auto nearest = nearestOption(name)) {
        return UsageError(tr(language, "不明なオプションです: {option} ({nearest} のことですか?)",
                             {{"option", arg}, {"nearest", *nearest}}));
    }
    return UsageError(tr(language, "不明なオプションです: {option}", {{"option", arg}}));
}

Given readArguments(std::span<const std::string_view> args, Language language) {
    Given given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") {
            given.operands.insert(given.operands.end(),
                                  args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (isShortOption(arg)) {
            const OptionSpec* option = optionNamed(arg);
            if (option == nullptr || option->shortName != arg) {
                throw unknownOption(arg, arg, language);
            }
            given.values.at(indexOf(option)) = "";
            continue;
        }
        if (!arg.starts_with("--")) {
            given.operands.emplace_back(arg);
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (const auto equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        const OptionSpec* option = optionNamed(name);
        if (option == nullptr || option->name != name) {
            throw unknownOption(arg, name, language);
        }
        if (option->takes == Takes::Nothing) {
            if (inlineValue) {
                throw UsageError(tr(language, "{option} は値を取りません", {{"option", name}}));
            }
            given.values.at(indexOf(option)) = "";
            continue;
        }
        if (!inlineValue && i + 1 >= args.size()) {
            throw UsageError(tr(language, "{option} には値が必要です", {{"option", name}}));
        }
        takeValue(given, *option, std::string(inlineValue ? *inlineValue : args[++i]), language);
    }
    return given;
}

const ModeSpec& modeOf(const Given& given, Language language) {
    const ModeSpec* chosen = &modeTable().front();
    int selected = 0;
    for (const ModeSpec& mode : modeTable()) {
        if (!mode.selector.empty() && given.has(mode.selector)) {
            chosen = &mode;
            ++selected;
        }
    }
    if (selected > 1) {
        std::vector<std::string_view> selectors;
        for (const ModeSpec& mode : modeTable()) {
            if (!mode.selector.empty()) {
                selectors.push_back(mode.selector);
            }
        }
        throw UsageError(tr(language, "{options} は同時に指定できません",
                            {{"options", listed(selectors, language, Conjunction::And)}}));
    }
    return *chosen;
}

// "--table takes only --ref, --fsb and --format".
std::string takesOnly(const ModeSpec& mode, Language language) {
    std::vector<std::string_view> names;
    for (const UsageItem& item : mode.usage) {
        if (item.option != mode.selector) {
            names.push_back(item.option);
        }
    }
    return tr(language, "{mode} に取れるのは {options} だけです",
              {{"mode", mode.selector}, {"options", listed(names, language, Conjunction::And)}});
}

// The checks of the mode chosen, in the order that decides which message a
// command line with several faults gets.
void checkOptions(const Given& given, const ModeSpec& mode, Language language) {
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const OptionSpec& option = kOptions[i];
        if (given.values.at(i) && !takes(mode, option) && option.misplaced) {
            throw UsageError(std::string(tr(language, *option.misplaced)));
        }
    }
    if (const auto& multiplier = given["--multiplier"]) {
        checkPositive("--multiplier", *multiplier, FieldName::Multiplier, language);
    }
    if (!mode.needs.empty() && !given.has(mode.needs)) {
        throw UsageError(tr(language, "{mode} には {option} が必要です",
                            {{"mode", mode.selector}, {"option", mode.needs}}));
    }
    const auto stray = [&] {
        return UsageError(mode.stray ? std::string(tr(language, *mode.stray))
                                     : takesOnly(mode, language));
    };
    bool operandsBelong = false;
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const OptionSpec& option = kOptions[i];
        const bool belongs = takes(mode, option);
        if (option.takes == Takes::Operands) {
            operandsBelong = belongs;
        } else if (given.values.at(i) && !belongs && option.reach != Reach::Alone) {
            throw stray();
        }
    }
    if (operandsBelong ? given.operands.size() != 2 : !given.operands.empty()) {
        throw stray();
    }
}

// The crystals --ref gave a plan, each word of each list checked as a number.
std::vector<std::string> planReferences(const Given& given, Language language) {
    std::vector<std::string> crystals;
    for (const std::string& list : given.references) {
        const std::vector<std::string_view> words = listedCrystals(list);
        if (words.empty()) {
            checkNumber("--ref", list, FieldName::Reference, language);
        }
        for (const std::string_view word : words) {
            checkNumber("--ref", word, FieldName::Reference, language);
            if (std::find(crystals.begin(), crystals.end(), word) == crystals.end()) {
                crystals.emplace_back(word);
            }
        }
    }
    return crystals;
}

Command commandOf(const Given& given, const ModeSpec& mode, Language language) {
    const Format format = given.format.value_or(mode.defaultFormat);
    // A chart is drawn for one crystal across the FSB list.
    if (format == Format::Svg && (mode.mode != Mode::Table || !given.has("--ref"))) {
        throw UsageError(
            std::string(tr(language, "--format svg は --table と一つの水晶 (--ref) に指定します")));
    }
    const auto optional = [&](std::string_view name) { return given[name]; };
    switch (mode.mode) {
    case Mode::Batch:
        return BatchArgs{.format = format};
    case Mode::Table: {
        TableArgs table{.reference = optional("--ref"),
                        .fsb = optional("--fsb"),
                        .details = given.has("--details"),
                        .format = format};
        if (table.reference) {
            checkNumber("--ref", *table.reference, FieldName::Reference, language);
        }
        if (table.fsb) {
            checkNumber("--fsb", *table.fsb, FieldName::Fsb, language);
        }
        return table;
    }
    case Mode::CrystalFor: {
        CrystalForArgs crystal{.target = *given["--crystal-for"],
                               .fsb = *given["--fsb"],
                               .pci = given.pci,
                               .agp = given.agp,
                               .format = format};
        checkNumber("--crystal-for", crystal.target, FieldName::Target, language);
        checkNumber("--fsb", crystal.fsb, FieldName::Fsb, language);
        return crystal;
    }
    case Mode::Plan: {
        PlanArgs plan{.target = *given["--target"],
                      .references = {},
                      .multiplier = optional("--multiplier"),
                      .format = format};
        // As --crystal-for, no plan aims at a clock of 0 or below.
        checkPositive("--target", plan.target, FieldName::Target, language);
        plan.references = planReferences(given, language);
        if (const auto& limit = given["--limit"]) {
            const auto names = limitNames();
            const auto found = std::find(names.begin(), names.end(), *limit);
            if (found == names.end()) {
                throw notOneOf("--limit", names, *limit, language);
            }
            plan.limit = kPlanLimits.at(static_cast<std::size_t>(found - names.begin()));
        }
        if (const auto& top = given["--top"]) {
            plan.top = countNamed(*top, language);
        }
        return plan;
    }
    case Mode::Single:
        break;
    }
    return SingleArgs{.reference = given.operands[0],
                      .fsb = given.operands[1],
                      .pci = given.pci,
                      .agp = given.agp,
                      .details = given.has("--details"),
                      .multiplier = optional("--multiplier"),
                      .format = format};
}

// The optimal string alignment distance: edits, each an insertion, a
// deletion, a substitution or two neighbours swapped ("--tabel").
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

std::optional<std::string_view> nearestOption(std::string_view word) {
    const std::string bare =
        lowered(word.substr(std::min(word.find_first_not_of('-'), word.size())));
    if (bare.empty()) {
        return std::nullopt;
    }
    // "-v" for "-V": a short option in the other case.
    if (bare.size() == 1) {
        for (const OptionSpec& option : kOptions) {
            if (!option.shortName.empty() && lowered(option.shortName.substr(1)) == bare) {
                return option.shortName;
            }
        }
        return std::nullopt;
    }
    // Near enough: a slip of a key or two in a long name, one in a short one.
    const std::size_t allowed = bare.size() >= 5 ? 2 : 1;
    std::optional<std::string_view> nearest;
    std::size_t best = allowed + 1;
    for (const OptionSpec& option : kOptions) {
        if (option.takes == Takes::Operands) {
            continue;
        }
        const std::size_t distance = editDistance(bare, option.name.substr(2));
        if (distance < best) {
            best = distance;
            nearest = option.name;
        }
    }
    return nearest;
}

Language commandLanguage(std::span<const std::string_view> args, Language fallback) {
    Language chosen = fallback;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        std::optional<std::string_view> value;
        if (args[i].starts_with("--lang=")) {
            value = args[i].substr(std::string_view("--lang=").size());
        } else if (args[i] == "--lang" && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i] == "--lang" || args[i].starts_with("--")) {
            continue;
        }
        if (value) {
            chosen = languageNamed(*value).value_or(chosen);
        }
    }
    return chosen;
}

Command parseCommandLine(std::span<const std::string_view> args, Language language) {
    const Given given = readArguments(args, language);
    if (given.has("--help")) {
        return HelpArgs{};
    }
    if (given.has("--version")) {
        return VersionArgs{};
    }
    const ModeSpec& mode = modeOf(given, language);
    checkOptions(given, mode, language);
    return commandOf(given, mode, language);
}

} // namespace quenvale::cli
