#include <calculator/dividers.h>
#include <cli/calc_options.h>
#include <rows/failure_text.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <vector>

namespace quenvale::cli {

namespace {

// The operands stand first in the table; the misplaced checks run in table
// order, so --target, --limit and --top come before --details.
constexpr std::array kOptionTable{
    OptionSpec{"REF FSB",
               "",
               Takes::Operands,
               kSingle,
               "",
               HelpPlace::Entry,
               Message{"水晶の周波数と、マザーボードで設定する FSB (MHz)。\n"
                       "分周比を指定しなければ、FSB の帯域のもの({L} 未満 {P0}、\n"
                       "{U} 以下 {P1}、それを超えると {P2} と AGP {A2})を使います。\n"
                       "text の出力は使った分周比とその出どころも示します。"},
               {}},
    OptionSpec{"--pci",
               "",
               Takes::Value,
               kSingle | kCrystalFor,
               "",
               HelpPlace::Entry,
               Message{"PCI と AGP の分周比。"},
               {}},
    OptionSpec{
        "--agp", "", Takes::Value, kSingle | kCrystalFor, "", HelpPlace::SharesEntry, {}, {}},
    OptionSpec{"--format",
               "",
               Takes::Value,
               kSingle | kBatch | kTable | kCrystalFor | kPlan,
               "",
               HelpPlace::Entry,
               Message{"text(既定)、csv、json。失敗した計算も csv と json では\n"
                       "error(一行のメッセージ)と error_code(13、6 など)の行になります。\n"
                       "--table に --ref で水晶を一つ選ぶと svg(その水晶のグラフ)も使えます。"},
               {}},
    OptionSpec{"--batch",
               "",
               Takes::Nothing,
               kBatch,
               "",
               HelpPlace::Entry,
               Message{"標準入力の各行 REF,FSB[,PCI,AGP] を計算し、一行ずつ出力します\n"
                       "(既定は csv)。reference で始まる最初の行は見出しとして飛ばし、\n"
                       "\"15\",\"100\" のように引用符で囲んだ欄も読みます。"},
               {}},
    OptionSpec{"--table",
               "",
               Takes::Nothing,
               kTable,
               "",
               HelpPlace::Entry,
               Message{"水晶の一覧と FSB の一覧のすべての組み合わせ(--ref、--fsb で絞り込み)。"},
               {}},
    OptionSpec{"--ref", "", Takes::Value, kTable, "REF", HelpPlace::InAnother, {}, {}},
    OptionSpec{
        "--fsb", "", Takes::Value, kTable | kCrystalFor, "FSB", HelpPlace::InAnother, {}, {}},
    OptionSpec{"--crystal-for",
               "",
               Takes::Value,
               kCrystalFor,
               "TARGET",
               HelpPlace::Entry,
               Message{"FSB の設定で CPU クロックを TARGET MHz にする水晶と、\n"
                       "一覧の中でその上下にある水晶。"},
               {}},
    OptionSpec{"--target",
               "",
               Takes::Value,
               kPlan,
               "MHZ",
               HelpPlace::InAnother,
               {},
               Message{"--target、--limit、--top は --plan に指定します"}},
    OptionSpec{"--limit",
               "",
               Takes::Value,
               kPlan,
               "",
               HelpPlace::InAnother,
               {},
               Message{"--target、--limit、--top は --plan に指定します"}},
    OptionSpec{"--top",
               "",
               Takes::Value,
               kPlan,
               "N",
               HelpPlace::InAnother,
               {},
               Message{"--target、--limit、--top は --plan に指定します"}},
    OptionSpec{"--details", "", Takes::Nothing, kSingle, "", HelpPlace::Entry,
               Message{"水晶が変える他のクロックも示します: USB 48 MHz(±0.25% を外れると\n"
                       "USB 機器が動かないおそれ)、Super I/O 24 MHz(シリアルポートと\n"
                       "フロッピーが同じ割合でずれる)、8254 タイマー(タイマーの刻みで\n"
                       "時刻を数える OS の時計は 1日に (比 − 1) × 86400 秒ずれる。RTC は別)。"},
               Message{"--details は一つの計算 (REF FSB) に指定します"}},
    OptionSpec{"--multiplier", "", Takes::Value, kSingle | kPlan, "M", HelpPlace::EntryNamingValue,
               Message{"CPU の倍率。コアクロック = CPU クロック × M。"},
               Message{"--multiplier は REF FSB か --plan に指定します"}},
    OptionSpec{"--plan",
               "",
               Takes::Nothing,
               kPlan,
               "",
               HelpPlace::Entry,
               Message{"一覧の水晶と FSB の全組み合わせ(分周比は FSB の帯域)から、\n"
                       "PCI と AGP が --limit(既定 caution)までのものを、コアクロック\n"
                       "(倍率がなければ CPU クロック)が --target に近い順、同じなら PCI が\n"
                       "低い順、水晶が 14.318 に近い順に --top 件(既定 10)示します。"},
               {}},
    OptionSpec{"--lang",
               "",
               Takes::Value,
               kSingle | kBatch | kTable | kCrystalFor | kPlan | kInfo,
               "ja|en",
               HelpPlace::EntryNamingValue,
               Message{"日本語(ja)か英語(en)で表示します。"},
               {}},
    OptionSpec{
        "--help", "-h", Takes::Nothing, kInfo, "", HelpPlace::Entry, Message{"この説明。"}, {}},
    OptionSpec{
        "--version", "-V", Takes::Nothing, kInfo, "", HelpPlace::SameLine, Message{"版数。"}, {}},
};

// An option in a mode's usage line.
struct UsageItem {
    std::string_view option;
    bool required = false;
    std::string_view value; // instead of the option's own placeholder
};

// A mode: the option that selects it (none for a single case), the option it
// cannot do without, its usage line, and what it says when given an option
// of another mode (empty: "takes only" its usage's options).
struct ModeSpec {
    std::uint8_t mode;
    std::string_view selector;
    std::string_view needs;
    std::vector<UsageItem> usage;
    std::string_view usageTail;
    std::optional<Message> stray;
    Format defaultFormat;
};

// Made once as constants: clang++ 14 crashes generating a consteval
// constructor's call written inside the table's run-time initialisation.
constexpr Message kSingleStray{"REF と FSB を一つずつ指定してください"};
constexpr Message kBatchStray{"--batch は標準入力から REF,FSB[,PCI,AGP] を読みます"};

const std::vector<ModeSpec>& modeTable() {
    static const std::vector<ModeSpec> modes{
        {kSingle,
         "",
         "",
         {{"REF FSB", true, ""},
          {"--pci", false, ""},
          {"--agp", false, ""},
          {"--details", false, ""},
          {"--multiplier", false, ""},
          {"--format", false, ""}},
         "",
         kSingleStray,
         Format::Text},
        {kBatch,
         "--batch",
         "",
         {{"--batch", true, ""}, {"--format", false, ""}},
         " < cases",
         kBatchStray,
         Format::Csv},
        {kTable,
         "--table",
         "",
         {{"--table", true, ""},
          {"--ref", false, ""},
          {"--fsb", false, ""},
          {"--format", false, ""}},
         "",
         {},
         Format::Text},
        {kCrystalFor,
         "--crystal-for",
         "--fsb",
         {{"--crystal-for", true, ""},
          {"--fsb", true, ""},
          {"--pci", false, "D"},
          {"--agp", false, "D"},
          {"--format", false, ""}},
         "",
         {},
         Format::Text},
        {kPlan,
         "--plan",
         "--target",
         {{"--plan", true, ""},
          {"--target", true, ""},
          {"--multiplier", false, ""},
          {"--limit", false, ""},
          {"--top", false, ""},
          {"--format", false, ""}},
         "",
         {},
         Format::Text},
    };
    return modes;
}

constexpr std::array kFormatNames{std::pair{Format::Text, std::string_view("text")},
                                  std::pair{Format::Csv, std::string_view("csv")},
                                  std::pair{Format::Json, std::string_view("json")},
                                  std::pair{Format::Svg, std::string_view("svg")}};

// The language codes --lang takes.
constexpr std::array kLanguageCodes{std::string_view("ja"), std::string_view("en")};

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

std::vector<std::string_view> captions(DividerGroup group) {
    std::vector<std::string_view> names;
    for (const Divider& divider : dividerTable(group)) {
        names.push_back(divider.caption);
    }
    return names;
}

// The row formats from `first` on, round the list ("csv|json|text"), then
// svg where the mode draws a chart.
std::vector<std::string_view> formatNames(Format first, bool chart) {
    constexpr std::size_t kRowFormats = kFormatNames.size() - 1;
    std::size_t start = 0;
    while (kFormatNames[start].first != first) {
        ++start;
    }
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < kRowFormats; ++i) {
        names.push_back(kFormatNames[(start + i) % kRowFormats].second);
    }
    if (chart) {
        names.push_back(kFormatNames.back().second);
    }
    return names;
}

std::vector<std::string_view> limitNames() {
    std::vector<std::string_view> names;
    names.reserve(kPlanLimits.size());
    for (const ClockHint hint : kPlanLimits) {
        names.push_back(hintName(hint));
    }
    return names;
}

// "--pci は 1/2、1/3、1/4 のいずれかです: " / "--pci takes 1/2, 1/3 or 1/4: ".
UsageError notOneOf(std::string_view option, const std::vector<std::string_view>& choices,
                    std::string_view given, Language language) {
    return UsageError{tr(language, "{option} は {choices} のいずれかです: {value}",
                         {{"option", option},
                          {"choices", listed(choices, language, Conjunction::Or)},
                          {"value", given}})};
}

const OptionSpec* optionNamed(std::string_view name) {
    for (const OptionSpec& option : kOptionTable) {
        if (option.takes != Takes::Operands &&
            (option.name == name || (!option.shortName.empty() && option.shortName == name))) {
            return &option;
        }
    }
    return nullptr;
}

std::size_t indexOf(const OptionSpec* option) {
    return static_cast<std::size_t>(option - kOptionTable.data());
}

std::size_t indexNamed(std::string_view name) {
    const OptionSpec* option = optionNamed(name);
    if (option == nullptr) {
        throw std::logic_error("no option " + std::string(name));
    }
    return indexOf(option);
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

// A number above 0; anything else would make every clock it scales zero,
// negative or meaningless. A text that is not a number is told so first.
void checkPositive(std::string_view option, std::string_view text, FieldName field,
                   Language language) {
    std::optional<float> value;
    try {
        value = positiveValue(text);
    } catch (const RuntimeError& error) {
        const std::string message = failureText(error, field, language);
        throw UsageError(option + (": " + message.substr(0, message.find('\n'))));
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

// What the command line gave, by option: the last value of each.
struct Given {
    std::array<std::optional<std::string>, kOptionTable.size()> values;
    std::vector<std::string> operands;
    std::optional<Format> format;
    DividerChoice pci;
    DividerChoice agp;

    const std::optional<std::string>& operator[](std::string_view name) const {
        return values[indexNamed(name)];
    }
    bool has(std::string_view name) const { return (*this)[name].has_value(); }
};

// Values checked as they come, so that the first bad one is the one named.
void takeValue(Given& given, const OptionSpec& option, std::string value, Language language) {
    if (option.name == "--format") {
        const auto* found = std::find_if(kFormatNames.begin(), kFormatNames.end(),
                                         [&](const auto& entry) { return entry.second == value; });
        if (found == kFormatNames.end()) {
            throw notOneOf(option.name, formatNames(Format::Text, true), value, language);
        }
        given.format = found->first;
    } else if (option.name == "--pci" || option.name == "--agp") {
        const DividerGroup group = option.name == "--pci" ? DividerGroup::Pci : DividerGroup::Agp;
        const DividerChoice index = dividerIndex(group, value);
        if (!index) {
            throw notOneOf(option.name, captions(group), value, language);
        }
        (group == DividerGroup::Pci ? given.pci : given.agp) = index;
    } else if (option.name == "--lang" && !languageNamed(value)) {
        throw notOneOf(option.name, {kLanguageCodes.begin(), kLanguageCodes.end()}, value,
                       language);
    }
    given.values[indexOf(&option)] = std::move(value);
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
        // The short options stand alone; any other word with one dash is a
        // number (perhaps negative) or a typo that the calculation reports.
        const OptionSpec* shortOption = arg.starts_with("--") ? nullptr : optionNamed(arg);
        if (shortOption != nullptr && shortOption->shortName == arg) {
            given.values[indexOf(shortOption)] = "";
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
            throw UsageError(tr(language, "不明なオプションです: {option}", {{"option", arg}}));
        }
        if (option->takes == Takes::Nothing) {
            if (inlineValue) {
                throw UsageError(tr(language, "{option} は値を取りません", {{"option", name}}));
            }
            given.values[indexOf(option)] = "";
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
    for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
        const OptionSpec& option = kOptionTable[i];
        if (given.values[i] && (option.modes & mode.mode) == 0 && option.misplaced) {
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
    for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
        const OptionSpec& option = kOptionTable[i];
        const bool belongs = (option.modes & mode.mode) != 0;
        if (option.takes == Takes::Operands) {
            operandsBelong = belongs;
        } else if (given.values[i] && !belongs) {
            throw stray();
        }
    }
    if (operandsBelong ? given.operands.size() != 2 : !given.operands.empty()) {
        throw stray();
    }
}

Command commandOf(const Given& given, const ModeSpec& mode, Language language) {
    const Format format = given.format.value_or(mode.defaultFormat);
    // A chart is drawn for one crystal across the FSB list.
    if (format == Format::Svg && (mode.mode != kTable || !given.has("--ref"))) {
        throw UsageError(
            std::string(tr(language, "--format svg は --table と一つの水晶 (--ref) に指定します")));
    }
    const auto optional = [&](std::string_view name) { return given[name]; };
    if (mode.mode == kBatch) {
        return BatchArgs{.format = format};
    }
    if (mode.mode == kTable) {
        TableArgs table{.reference = optional("--ref"), .fsb = optional("--fsb"), .format = format};
        if (table.reference) {
            checkNumber("--ref", *table.reference, FieldName::Reference, language);
        }
        if (table.fsb) {
            checkNumber("--fsb", *table.fsb, FieldName::Fsb, language);
        }
        return table;
    }
    if (mode.mode == kCrystalFor) {
        CrystalForArgs crystal{.target = *given["--crystal-for"],
                               .fsb = *given["--fsb"],
                               .pci = given.pci,
                               .agp = given.agp,
                               .format = format};
        checkNumber("--crystal-for", crystal.target, FieldName::Target, language);
        checkNumber("--fsb", crystal.fsb, FieldName::Fsb, language);
        return crystal;
    }
    if (mode.mode == kPlan) {
        PlanArgs plan{
            .target = *given["--target"], .multiplier = optional("--multiplier"), .format = format};
        // As --crystal-for, no plan aims at a clock of 0 or below.
        checkPositive("--target", plan.target, FieldName::Target, language);
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
    return SingleArgs{.reference = given.operands[0],
                      .fsb = given.operands[1],
                      .pci = given.pci,
                      .agp = given.agp,
                      .details = given.has("--details"),
                      .multiplier = optional("--multiplier"),
                      .format = format};
}

// "a|b|c".
std::string alternatives(const std::vector<std::string_view>& names) {
    std::string joined;
    for (const std::string_view name : names) {
        // Appended in place: GCC 12 at -O3 reports a false -Wrestrict on a
        // literal joined to a std::string with operator+ (GCC bug 105329).
        if (!joined.empty()) {
            joined += '|';
        }
        joined += name;
    }
    return joined;
}

// The placeholder after an option in the usage.
std::string usageValue(const OptionSpec& option, const ModeSpec& mode, std::string_view value) {
    if (!value.empty()) {
        return std::string(value);
    }
    if (option.name == "--format") {
        return alternatives(formatNames(mode.defaultFormat, mode.mode == kTable));
    }
    if (option.name == "--pci" || option.name == "--agp") {
        return alternatives(
            captions(option.name == "--pci" ? DividerGroup::Pci : DividerGroup::Agp));
    }
    if (option.name == "--limit") {
        return alternatives(limitNames());
    }
    return std::string(option.value);
}

const OptionSpec& specNamed(std::string_view name) {
    for (const OptionSpec& option : kOptionTable) {
        if (option.name == name) {
            return option;
        }
    }
    throw std::logic_error("no option " + std::string(name));
}

} // namespace

const std::span<const OptionSpec> kOptions(kOptionTable);

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

std::string usageText(Language language) {
    // Lines wrap before an option that would pass this width.
    constexpr std::size_t kWidth = 100;
    constexpr std::string_view kProgram = "  quenvale-calc";
    std::string text(tr(language, {"使い方:\n", "quenvale-calc"}));
    for (const ModeSpec& mode : modeTable()) {
        std::string line(kProgram);
        for (const UsageItem& item : mode.usage) {
            const OptionSpec& option = specNamed(item.option);
            std::string word(option.name);
            if (option.takes == Takes::Value) {
                word += ' ';
                word += usageValue(option, mode, item.value);
            }
            if (!item.required) {
                word.insert(0, 1, '[');
                word += ']';
            }
            if (line.size() + 1 + word.size() > kWidth) {
                text += line;
                text += '\n';
                line = std::string(kProgram.size(), ' ');
            }
            line += " " + word;
        }
        text += line + std::string(mode.usageTail) + "\n";
    }
    // An option every mode takes goes with any of the lines above.
    for (const OptionSpec& option : kOptionTable) {
        if ((option.modes & kInfo) != 0 && option.modes != kInfo) {
            text += std::string(kProgram) + " " + std::string(option.name) + " " +
                    std::string(option.value) + " ...\n";
        }
    }
    std::string info(kProgram);
    for (const OptionSpec& option : kOptionTable) {
        if (option.modes == kInfo) {
            info += (info.size() == kProgram.size() ? " " : " | ") + std::string(option.shortName) +
                    "|" + std::string(option.name);
        }
    }
    return text + info + "\n";
}

std::string helpText(Language language) {
    constexpr std::size_t kLabelWidth = 18;
    const std::string indent(2 + kLabelWidth, ' ');
    std::string text = usageText(language);
    text +=
        tr(language,
           "\n"
           "PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、AGP クロックを\n"
           "Quenvale のウィンドウと同じ計算で求めます。数値はウィンドウと同じ表記で出力します。\n"
           "\n");
    // The band dividers, as the help's operand line names them.
    const auto pciIn = [](FsbBand band) { return kPciDividers[bandRule(band).pci].caption; };
    const std::string lower = std::to_string(kFsbLowerLimit);
    const std::string upper = std::to_string(kFsbUpperLimit);
    const std::string_view agpHigh = kAgpDividers[bandRule(FsbBand::High).agp.value_or(0)].caption;
    std::string entry;
    const auto flush = [&] {
        if (!entry.empty()) {
            text += entry + "\n";
            entry.clear();
        }
    };
    for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
        const OptionSpec& option = kOptionTable[i];
        std::string label(option.shortName);
        label += (label.empty() ? "" : ", ") + std::string(option.name);
        if (option.place == HelpPlace::EntryNamingValue) {
            label += " " + std::string(option.value);
        }
        std::string help = option.help ? tr(language, *option.help,
                                            {{"L", lower},
                                             {"U", upper},
                                             {"P0", pciIn(FsbBand::Low)},
                                             {"P1", pciIn(FsbBand::Middle)},
                                             {"P2", pciIn(FsbBand::High)},
                                             {"A2", agpHigh}})
                                       : std::string();
        for (auto at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1)) {
            help.insert(at + 1, indent);
        }
        switch (option.place) {
        case HelpPlace::Entry:
        case HelpPlace::EntryNamingValue: {
            flush();
            std::string joined = label;
            // An option whose label joins this one's: "--pci, --agp".
            if (i + 1 < kOptionTable.size() &&
                kOptionTable[i + 1].place == HelpPlace::SharesEntry) {
                joined += ", " + std::string(kOptionTable[i + 1].name);
            }
            entry = "  " + joined;
            entry += std::string(kLabelWidth - std::min(kLabelWidth, joined.size()), ' ') + help;
            break;
        }
        case HelpPlace::SameLine:
            entry += "   ";
            entry += label;
            entry += "   ";
            entry += help;
            break;
        case HelpPlace::SharesEntry:
        case HelpPlace::InAnother:
            break;
        }
    }
    flush();
    text +=
        tr(language,
           "  PCI が 37.5 MHz、AGP が 75 MHz を超えると caution(注意)、定格(33.33、66.67 MHz)\n"
           "  の 125%(約 41.67、83.33 MHz)を超えると danger(危険)と示します。\n"
           "  言語は --lang がなければ LANGUAGE の空でない最初の項目、LC_ALL、LC_MESSAGES、\n"
           "  LANG の順に見て、ja で始まれば日本語、それ以外は英語です。csv と json の欄と値は\n"
           "  どちらでも同じです。\n"
           "  終了ステータス: 0 成功、1 計算エラー、2 コマンドラインの誤り。\n");
    return text;
}

} // namespace quenvale::cli
