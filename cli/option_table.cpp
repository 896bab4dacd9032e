#include <calculator/dividers.h>
#include <calculator/planner.h>
#include <cli/option_table.h>
#include <runtime/language.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace quenvale::cli {

namespace {

constexpr Message kPlanOnly{"--target、--limit、--top は --plan に指定します"};

// The operands stand first; the misplaced checks run in table order, so
// --target, --limit and --top come before --details.
constexpr std::array kOptionTable{
    OptionSpec{.name = "REF FSB",
               .takes = Takes::Operands,
               .help = Message{"水晶の周波数と、マザーボードで設定する FSB (MHz、単位は付けない)。"
                               "分周比を指定しなければ、FSB の帯域のもの({L} 未満 {P0}、{U} 以下 "
                               "{P1}、それを超えると {P2} と AGP {A2})を使います。text の出力は"
                               "使った分周比とその出どころも示します。"}},
    OptionSpec{.name = "--pci", .takes = Takes::Value, .help = Message{"PCI と AGP の分周比。"}},
    OptionSpec{.name = "--agp", .takes = Takes::Value, .place = HelpPlace::SharesEntry},
    OptionSpec{.name = "--format",
               .takes = Takes::Value,
               .help = Message{"text(既定)、csv、json。失敗した計算も csv と json では error(一行の"
                               "メッセージ)と error_code(13、6 など)の行になります。--table に "
                               "--ref で水晶を一つ選ぶと svg(その水晶のグラフ)も使えます。"}},
    OptionSpec{.name = "--batch",
               .help =
                   Message{"標準入力の各行 REF,FSB[,PCI,AGP] を計算し、一行ずつ出力します(既定は"
                           " csv)。reference で始まる最初の行は見出しとして飛ばし、"
                           "\"15\",\"100\" のように引用符で囲んだ欄も読みます。"}},
    OptionSpec{.name = "--table",
               .help =
                   Message{"水晶の一覧と FSB の一覧のすべての組み合わせ(--ref、--fsb で絞り込み)。"
                           "--details で USB、Super I/O、時計のずれも示します。"}},
    OptionSpec{
        .name = "--ref", .takes = Takes::Value, .value = "REF", .place = HelpPlace::InAnother},
    OptionSpec{
        .name = "--fsb", .takes = Takes::Value, .value = "FSB", .place = HelpPlace::InAnother},
    OptionSpec{.name = "--crystal-for",
               .takes = Takes::Value,
               .value = "TARGET",
               .help = Message{"FSB の設定で CPU クロックを TARGET MHz にする水晶と、一覧の中でその"
                               "上下にある水晶。"}},
    OptionSpec{.name = "--target",
               .takes = Takes::Value,
               .value = "MHZ",
               .place = HelpPlace::InAnother,
               .misplaced = kPlanOnly},
    OptionSpec{.name = "--limit",
               .takes = Takes::Value,
               .place = HelpPlace::InAnother,
               .misplaced = kPlanOnly},
    OptionSpec{.name = "--top",
               .takes = Takes::Value,
               .value = "N",
               .place = HelpPlace::InAnother,
               .misplaced = kPlanOnly},
    OptionSpec{.name = "--details",
               .help =
                   Message{"水晶が変える他のクロックも示します: USB 48 MHz(±0.25% を外れると USB "
                           "機器が動かないおそれ)、Super I/O 24 MHz(シリアルポートとフロッピーが"
                           "同じ割合でずれ、±2% を外れると失敗するおそれ)、タイマーの刻みで数える"
                           " OS の時計の1日のずれ(RTC は別)。"},
               .misplaced = Message{"--details は一つの計算 (REF FSB) か --table に指定します"}},
    OptionSpec{.name = "--multiplier",
               .takes = Takes::Value,
               .value = "M",
               .place = HelpPlace::EntryNamingValue,
               .help = Message{"CPU の倍率。コアクロック = CPU クロック × M。"},
               .misplaced = Message{"--multiplier は REF FSB か --plan に指定します"}},
    OptionSpec{.name = "--plan",
               .help = Message{"一覧の水晶(--ref を一度以上、または 14.7456,16.384 のように並べて"
                               "指定すれば、それらの水晶)と一覧の FSB の全組み合わせ(分周比は FSB"
                               " の帯域)から、PCI と AGP が --limit(既定 caution)までのものを、"
                               "コアクロック(倍率がなければ CPU クロック)が --target に近い順、"
                               "同じなら PCI が低い順、水晶が 14.318 に近い順に --top 件(既定 10)"
                               "示します。"}},
    OptionSpec{.name = "--lang",
               .takes = Takes::Value,
               .reach = Reach::EveryMode,
               .value = "ja|en",
               .place = HelpPlace::EntryNamingValue,
               .help = Message{"日本語(ja)か英語(en)で表示します。"}},
    OptionSpec{
        .name = "--help", .shortName = "-h", .reach = Reach::Alone, .help = Message{"この説明。"}},
    OptionSpec{.name = "--version",
               .shortName = "-V",
               .reach = Reach::Alone,
               .place = HelpPlace::SameLine,
               .help = Message{"版数。"}},
};

static_assert(kOptionTable.size() == kOptionCount);

// Made once as constants: clang++ 14 crashes generating a consteval
// constructor's call written inside the table's run-time initialisation.
constexpr Message kSingleStray{"REF と FSB を一つずつ指定してください"};
constexpr Message kBatchStray{"--batch は標準入力から REF,FSB[,PCI,AGP] を読みます"};

constexpr std::array kFormatNames{std::pair{Format::Text, std::string_view("text")},
                                  std::pair{Format::Csv, std::string_view("csv")},
                                  std::pair{Format::Json, std::string_view("json")},
                                  std::pair{Format::Svg, std::string_view("svg")}};

} // namespace

const std::span<const OptionSpec> kOptions(kOptionTable);

const std::vector<ModeSpec>& modeTable() {
    static const std::vector<ModeSpec> modes{
        {.mode = Mode::Single,
         .usage = {{.option = "REF FSB", .required = true},
                   {.option = "--pci"},
                   {.option = "--agp"},
                   {.option = "--details"},
                   {.option = "--multiplier"},
                   {.option = "--format"}},
         .stray = kSingleStray},
        {.mode = Mode::Batch,
         .selector = "--batch",
         .usage = {{.option = "--batch", .required = true}, {.option = "--format"}},
         .usageTail = " < cases",
         .stray = kBatchStray,
         .defaultFormat = Format::Csv},
        {.mode = Mode::Table,
         .selector = "--table",
         .usage = {{.option = "--table", .required = true},
                   {.option = "--ref"},
                   {.option = "--fsb"},
                   {.option = "--details"},
                   {.option = "--format"}}},
        {.mode = Mode::CrystalFor,
         .selector = "--crystal-for",
         .needs = "--fsb",
         .usage = {{.option = "--crystal-for", .required = true},
                   {.option = "--fsb", .required = true},
                   {.option = "--pci", .value = "D"},
                   {.option = "--agp", .value = "D"},
                   {.option = "--format"}}},
        {.mode = Mode::Plan,
         .selector = "--plan",
         .needs = "--target",
         .usage = {{.option = "--plan", .required = true},
                   {.option = "--target", .required = true},
                   {.option = "--ref", .value = "REF[,REF...]"},
                   {.option = "--multiplier"},
                   {.option = "--limit"},
                   {.option = "--top"},
                   {.option = "--format"}}},
    };
    return modes;
}

bool takes(const ModeSpec& mode, const OptionSpec& option) {
    return option.reach == Reach::EveryMode ||
           std::any_of(mode.usage.begin(), mode.usage.end(),
                       [&](const UsageItem& item) { return item.option == option.name; });
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

const OptionSpec& specNamed(std::string_view name) {
    for (const OptionSpec& option : kOptionTable) {
        if (option.name == name) {
            return option;
        }
    }
    throw std::logic_error("no option " + std::string(name));
}

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

std::optional<Format> formatNamed(std::string_view name) {
    const auto* found = std::find_if(kFormatNames.begin(), kFormatNames.end(),
                                     [&](const auto& entry) { return entry.second == name; });
    return found == kFormatNames.end() ? std::nullopt : std::optional(found->first);
}

std::vector<std::string_view> captions(DividerGroup group) {
    std::vector<std::string_view> names;
    for (const Divider& divider : dividerTable(group)) {
        names.push_back(divider.caption);
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

std::vector<std::string_view> languageCodes() {
    return {"ja", "en"};
}

std::string joined(const std::vector<std::string_view>& items, char separator) {
    std::string text;
    for (const std::string_view item : items) {
        // Appended in place: GCC 12 at -O3 reports a false -Wrestrict on a
        // literal joined to a std::string with operator+ (GCC bug 105329).
        if (!text.empty()) {
            text += separator;
        }
        text += item;
    }
    return text;
}

std::string usageValue(const OptionSpec& option, const ModeSpec& mode, std::string_view value) {
    if (!value.empty()) {
        return std::string(value);
    }
    if (option.name == "--format") {
        return joined(formatNames(mode.defaultFormat, mode.mode == Mode::Table), '|');
    }
    if (option.name == "--pci" || option.name == "--agp") {
        return joined(captions(option.name == "--pci" ? DividerGroup::Pci : DividerGroup::Agp),
                      '|');
    }
    if (option.name == "--limit") {
        return joined(limitNames(), '|');
    }
    return std::string(option.value);
}

} // namespace quenvale::cli
