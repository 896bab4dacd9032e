// What the page shows beside the window: one crystal's FSB table and chart,
// the crystal planner, and the table as the command line's CSV. Every text
// and number is made here; the page only lays them out.
#include <calculator/clock_case.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/dividers.h>
#include <calculator/failure_message.h>
#include <calculator/planner.h>
#include <report/chart_labels.h>
#include <report/clock_chart.h>
#include <rows/case_row.h>
#include <rows/failure_text.h>
#include <rows/row_writer.h>
#include <runtime/catalogue.h>
#include <runtime/language.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <web/page_language.h>

#include <algorithm>
#include <array>
#include <emscripten/bind.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

namespace {

// One row of either table, as the page shows it.
struct CompanionRow {
    std::string reference;
    std::string fsb;
    std::string pciDivider;
    std::string agpDivider;
    std::string cpu;
    std::string pci;
    std::string agp;
    std::string core;
    std::string pciHint; // "ok", "caution" or "danger": the colour
    std::string agpHint;
    std::string pciWords; // the hint in short, and why
    std::string agpWords;
    std::string pciWhy;
    std::string agpWhy;
    std::string usb;
    std::string usbNote; // "範囲外" when the USB clock is out of tolerance
    std::string drift;
    std::string error; // a row that could not be calculated says why
    std::string action; // what choosing the row does, with its values: its button's name
    // The row's crystal and FSB in the window's lists, to pick them.
    int referenceItem = -1;
    int fsbItem = -1;
};

struct TableView {
    std::string title;
    std::string chart;    // SVG
    std::string chartAlt; // what the chart shows, for its image's alt text
    std::vector<CompanionRow> rows;
    int current = -1; // the row of the window's FSB
};

struct PlanOutcome {
    // The field to blame (0 target, 1 multiplier, 2 the user's crystals, 3
    // none of them) and why; -1 when the plan was made.
    int field = -1;
    std::string message;
    std::string summary; // what was asked and "108 件中 10 件", or why there is no candidate
    std::vector<CompanionRow> rows;
};

// The planner's row counts, in the order of the page's list; its limits are
// kPlanLimits'.
constexpr std::array<std::size_t, 4> kPlanCounts{5, 10, 20, 50};

int itemOf(std::span<const std::string_view> list, std::string_view text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

// Which table a row is of: choosing it puts its FSB in the window, or its
// crystal and FSB.
enum class RowOf { FsbTable, Plan };

// A row of either table from the row every output shares: a failed case
// says why, the others show their clocks, hints and consequences.
CompanionRow companionRow(const CaseRow& texts, RowOf table, Language language) {
    CompanionRow row{.reference = texts.reference,
                     .fsb = texts.fsb,
                     .pciDivider = texts.pciDivider,
                     .agpDivider = texts.agpDivider};
    row.action =
        table == RowOf::FsbTable
            ? tr(language, {"FSB {fsb} MHz をウィンドウに入れて計算", "companion row"},
                 {{"fsb", texts.fsb}})
            : tr(language,
                 {"水晶 {reference} MHz と FSB {fsb} MHz をウィンドウに入れて計算", "companion row"},
                 {{"reference", texts.reference}, {"fsb", texts.fsb}});
    row.referenceItem = itemOf(kReferencePresets, texts.reference);
    row.fsbItem = itemOf(kFsbPresets, texts.fsb);
    if (!texts.error.empty()) {
        row.error = texts.error;
        return row;
    }
    row.cpu = texts.clocks[0];
    row.pci = texts.clocks[1];
    row.agp = texts.clocks[2];
    if (texts.core) {
        row.core = texts.core->text;
    }
    row.pciHint = std::string(hintName(texts.pciHint));
    row.agpHint = std::string(hintName(texts.agpHint));
    row.pciWords = hintWords(texts.pciHint, language);
    row.agpWords = hintWords(texts.agpHint, language);
    row.pciWhy = std::string(pciHintText(texts.pciHint, language));
    row.agpWhy = std::string(agpHintText(texts.agpHint, language));
    if (const auto& consequences = texts.consequences) {
        row.usb = consequences->usbText;
        row.drift = consequences->timerDriftText;
        if (!consequences->usbWithinTolerance) {
            row.usbNote = std::string(tr(language, {"範囲外", "companion"}));
        }
    }
    return row;
}

std::vector<ClockCase> tableOf(const std::string& reference) {
    return fsbTable(reference, kFsbPresets, {.consequences = true, .multiplier = std::nullopt});
}

// The rows of the FSB table: every FSB of the list with its band's
// dividers, as the command line's --table gives them.
std::vector<CompanionRow> fsbRows(const std::vector<ClockCase>& table, Language language) {
    std::vector<CompanionRow> rows;
    rows.reserve(table.size());
    for (const ClockCase& calculated : table) {
        rows.push_back(companionRow(caseRow(calculated, language), RowOf::FsbTable, language));
    }
    return rows;
}

// The FSB's place in the list, to mark it in the chart; none for an FSB the
// list lacks.
std::optional<std::size_t> markedFsb(const std::string& fsb) {
    const int item = itemOf(kFsbPresets, fsb);
    return item >= 0 ? std::optional(static_cast<std::size_t>(item)) : std::nullopt;
}

std::string tableTitle(const std::string& reference, Language language) {
    return tr(language, {"水晶 {reference} MHz での FSB ごとのクロック", "companion"},
              {{"reference", reference}});
}

// The crystal's table, its title and its chart with the FSB setting `fsb`
// marked, if it is one of the list's, in the dark scheme's colours where
// `dark`: the table worked out once for all.
TableView fsbTableView(const std::string& reference, const std::string& fsb,
                       const std::string& code, bool dark) {
    const Language language = pageLanguage(code);
    const ChartLabels labels = chartLabels(reference, language);
    const std::vector<ClockCase> table = tableOf(reference);
    return {.title = tableTitle(reference, language),
            .chart = drawClockChart(table, labels, markedFsb(fsb), dark ? kDarkChart : kLightChart),
            .chartAlt = tr(language, {"{title}。{description}", "chart text alternative"},
                           {{"title", labels.title}, {"description", labels.description}}),
            .rows = fsbRows(table, language),
            .current = itemOf(kFsbPresets, fsb)};
}

// The bytes of `quenvale-calc --table --ref REFERENCE --fsb FSB --format svg`
// for an FSB of the list: the chart as saved, whatever the screen's scheme.
std::string chartSvg(const std::string& reference, const std::string& fsb,
                     const std::string& code) {
    return drawClockChart(tableOf(reference), chartLabels(reference, pageLanguage(code)),
                          markedFsb(fsb));
}

// The bytes of `quenvale-calc --table --ref REFERENCE --details --format
// csv`: every column the table on screen shows, USB and drift too.
std::string tableCsv(const std::string& reference, const std::string& code) {
    const Columns columns{.position = false, .error = true, .consequences = true};
    std::string csv = csvHeader(columns);
    for (const ClockCase& calculated : tableOf(reference)) {
        csv += csvLine(caseRow(calculated, pageLanguage(code)), columns);
    }
    return csv;
}

// The target or the multiplier, as the command line checks them: none when
// it is a number above 0, else the message to put beside its field.
std::optional<std::string> positiveFailure(const std::string& text, Message field,
                                           Language language) {
    std::optional<float> value;
    try {
        value = positiveValue(text);
    } catch (const RuntimeError& error) {
        const std::string message = failureMessage(error, tr(language, field), language);
        return message.substr(0, message.find('\n'));
    }
    if (value) {
        return std::nullopt;
    }
    return tr(language, {"{field} は正の数です: {value}", "companion"},
              {{"field", tr(language, field)}, {"value", quotableText(text)}});
}

// The plan the planner's fields ask for: the target, the multiplier (blank
// for none), the user's own crystals (blank for the window's list), and the
// limit and count as places in their lists.
PlanOutcome plan(const std::string& target, const std::string& multiplier,
                 const std::string& crystalsText, int limitIndex, int countIndex,
                 const std::string& code) {
    const Language language = pageLanguage(code);
    const Message targetName{"目標クロック", "companion field name"};
    PlanOutcome outcome;
    // The target is read first, then the multiplier, each told by its
    // field.
    if (auto failure = positiveFailure(target, targetName, language)) {
        return {.field = 0, .message = std::move(*failure)};
    }
    std::optional<std::string_view> multiplierText;
    if (!isBlankText(multiplier)) {
        if (auto failure =
                positiveFailure(multiplier, {"倍率", "companion field name"}, language)) {
            return {.field = 1, .message = std::move(*failure)};
        }
        multiplierText = multiplier;
    }
    // Each crystal listed is told by its text, as the command line tells
    // a --ref that is not one.
    const std::vector<std::string_view> crystals = listedCrystals(crystalsText);
    for (const std::string_view crystal : crystals) {
        try {
            parseSingle(crystal);
        } catch (const RuntimeError& error) {
            const std::string message = failureText(error, FieldName::Reference, language);
            return {.field = 2, .message = message.substr(0, message.find('\n'))};
        }
    }
    const std::size_t limitAt =
        std::clamp<std::size_t>(static_cast<std::size_t>(limitIndex), 0, kPlanLimits.size() - 1);
    const ClockHint limit = kPlanLimits.at(limitAt);
    std::vector<PlanCandidate> candidates;
    try {
        candidates = crystals.empty() ? planCrystals(target, multiplierText, limit)
                                      : planCrystals(target, multiplierText, limit, crystals);
    } catch (const RuntimeError& error) {
        return {.field = 3, .message = failureMessage(error, std::nullopt, language)};
    }
    if (candidates.empty()) {
        outcome.summary = planEmptyText(limit, language);
        return outcome;
    }
    const std::size_t count = kPlanCounts.at(
        std::clamp<std::size_t>(static_cast<std::size_t>(countIndex), 0, kPlanCounts.size() - 1));
    const std::size_t shown = std::min(count, candidates.size());
    outcome.summary =
        planSummary(target, multiplierText, limit, shown, candidates.size(), language,
                    crystals.size());
    for (std::size_t i = 0; i < shown; ++i) {
        outcome.rows.push_back(companionRow(planRow(candidates[i]), RowOf::Plan, language));
    }
    return outcome;
}

// The texts of the companion that do not depend on a result, by name.
std::string companionText(const std::string& name, const std::string& code) {
    static constexpr std::array<std::pair<std::string_view, Message>, 23> kTexts{{
        {"table", {"FSB表", "companion"}},
        {"planner", {"計画", "companion"}},
        {"fsb", {"FSB", "companion"}},
        {"pciDivider", {"PCI 分周", "companion"}},
        {"agpDivider", {"AGP 分周", "companion"}},
        {"cpu", {"CPU (MHz)", "companion"}},
        {"pci", {"PCI (MHz)", "companion"}},
        {"agp", {"AGP (MHz)", "companion"}},
        {"usb", {"USB (MHz)", "companion"}},
        {"drift", {"時計のずれ (秒/日)", "companion"}},
        {"reference", {"水晶 (MHz)", "companion"}},
        {"core", {"コア (MHz)", "companion"}},
        {"target", {"目標クロック (MHz)", "companion"}},
        {"multiplier", {"倍率", "companion"}},
        {"crystals", {"手持ちの水晶 (MHz、空欄ならリストの水晶)", "companion"}},
        {"limit", {"上限", "companion"}},
        {"count", {"件数", "companion"}},
        {"find", {"候補を出す", "companion"}},
        {"saveCsv", {"表を CSV で保存", "companion"}},
        {"saveSvg", {"グラフを SVG で保存", "companion"}},
        {"choose", {"行を選ぶと、その値をウィンドウに入れて計算します。", "companion"}},
        {"ok", {"安全", "companion"}},
        {"caution", {"注意", "companion"}},
    }};
    if (name == "danger") {
        return hintWords(ClockHint::Danger, pageLanguage(code));
    }
    for (const auto& [key, message] : kTexts) {
        if (key == name) {
            return std::string(tr(pageLanguage(code), message));
        }
    }
    return {};
}

// Where the page's limit list starts: the limit the command line plans
// with when it is given none.
int planDefaultLimit() {
    return static_cast<int>(std::find(kPlanLimits.begin(), kPlanLimits.end(), kDefaultPlanLimit) -
                            kPlanLimits.begin());
}

std::vector<std::string> planCounts() {
    std::vector<std::string> counts;
    for (const std::size_t count : kPlanCounts) {
        counts.push_back(std::to_string(count));
    }
    return counts;
}

} // namespace

} // namespace quenvale

EMSCRIPTEN_BINDINGS(quenvale_companion) {
    using namespace emscripten;
    using quenvale::CompanionRow;
    using quenvale::PlanOutcome;

    value_object<CompanionRow>("CompanionRow")
        .field("reference", &CompanionRow::reference)
        .field("fsb", &CompanionRow::fsb)
        .field("pciDivider", &CompanionRow::pciDivider)
        .field("agpDivider", &CompanionRow::agpDivider)
        .field("cpu", &CompanionRow::cpu)
        .field("pci", &CompanionRow::pci)
        .field("agp", &CompanionRow::agp)
        .field("core", &CompanionRow::core)
        .field("pciHint", &CompanionRow::pciHint)
        .field("agpHint", &CompanionRow::agpHint)
        .field("pciWords", &CompanionRow::pciWords)
        .field("agpWords", &CompanionRow::agpWords)
        .field("pciWhy", &CompanionRow::pciWhy)
        .field("agpWhy", &CompanionRow::agpWhy)
        .field("usb", &CompanionRow::usb)
        .field("usbNote", &CompanionRow::usbNote)
        .field("drift", &CompanionRow::drift)
        .field("error", &CompanionRow::error)
        .field("action", &CompanionRow::action)
        .field("referenceItem", &CompanionRow::referenceItem)
        .field("fsbItem", &CompanionRow::fsbItem);
    register_vector<CompanionRow>("CompanionRowList");
    value_object<quenvale::TableView>("TableView")
        .field("title", &quenvale::TableView::title)
        .field("chart", &quenvale::TableView::chart)
        .field("chartAlt", &quenvale::TableView::chartAlt)
        .field("rows", &quenvale::TableView::rows)
        .field("current", &quenvale::TableView::current);
    value_object<PlanOutcome>("PlanOutcome")
        .field("field", &PlanOutcome::field)
        .field("message", &PlanOutcome::message)
        .field("summary", &PlanOutcome::summary)
        .field("rows", &PlanOutcome::rows);

    function("fsbTableView", &quenvale::fsbTableView);
    function("tableCsv", &quenvale::tableCsv);
    function("chartSvg", &quenvale::chartSvg);
    function("plan", &quenvale::plan);
    function("planCounts", &quenvale::planCounts);
    function("planDefaultLimit", &quenvale::planDefaultLimit);
    function("companionText", &quenvale::companionText);
}
