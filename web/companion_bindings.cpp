// What the page shows beside the window: one crystal's FSB table and chart,
// the table as the command line's CSV and the chart as its SVG, and the
// texts of the companion. Every text and number is made here; the page only
// lays them out. Nothing here throws or catches (plan_bindings.cpp has the
// planner, which reads what is typed).
#include <calculator/clock_case.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/dividers.h>
#include <calculator/failure_message.h>
#include <calculator/planner.h>
#include <report/chart_labels.h>
#include <report/clock_chart.h>
#include <report/svg_writer.h>
#include <rows/case_row.h>
#include <rows/failure_text.h>
#include <rows/row_writer.h>
#include <runtime/catalogue.h>
#include <runtime/language.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>
#include <web/calls.h>
#include <web/companion_row.h>
#include <web/page_language.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

int itemOf(std::span<const std::string_view> list, std::string_view text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

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

namespace {

struct TableView {
    std::string title;
    std::vector<CompanionRow> rows;
    int current = -1; // the row of the window's FSB
};

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

// The crystal's table, its title, and the row of the FSB setting `fsb` if
// it is one of the list's.
TableView fsbTableView(const std::string& reference, const std::string& fsb,
                       const std::string& code) {
    const Language language = pageLanguage(code);
    return {.title = tableTitle(reference, language),
            .rows = fsbRows(tableOf(reference), language),
            .current = itemOf(kFsbPresets, fsb)};
}

// An element as JSON, {"name", "attributes": {name: value}, "text",
// "children": [...]}: the page takes the whole chart in one string, where
// an object made here for each element and attribute took longer than
// drawing the chart.
std::string svgJson(const SvgElement& element) {
    JsonObject attributes;
    for (const SvgAttribute& attribute : element.attributes) {
        attributes.text(attribute.name, attribute.value);
    }
    return JsonObject()
        .text("name", element.name)
        .json("attributes", attributes.close())
        .text("text", element.text)
        .json("children", jsonArray(element.children, svgJson))
        .close();
}

// The crystal's chart with the FSB setting `fsb` marked, if it is one of
// the list's, in the dark scheme's colours where `dark`: drawn in the page
// itself, named by its two sentences as a picture, and sized before it is
// laid out, so that its place is kept. Its tree, as svgJson writes it.
std::string fsbChartTree(const std::string& reference, const std::string& fsb,
                         const std::string& code, bool dark) {
    const Language language = pageLanguage(code);
    const ChartLabels labels = chartLabels(reference, language);
    const std::vector<ClockCase> table = tableOf(reference);
    SvgElement chart =
        clockChart(table, labels, markedFsb(fsb), dark ? kDarkChart : kLightChart);
    // In a page, the namespace is the parser's; the name reads the two
    // sentences as one alternative, where the title's and description's
    // ids would run them together.
    std::erase_if(chart.attributes, [](const SvgAttribute& attribute) {
        return attribute.name == "xmlns" || attribute.name == "aria-labelledby";
    });
    const ChartSize size = clockChartSize(table);
    chart.attributes.insert(
        chart.attributes.end(),
        {{"aria-label", tr(language, {"{title}。{description}", "chart text alternative"},
                           {{"title", labels.title}, {"description", labels.description}})},
         {"width", svgNumber(size.width)},
         {"height", svgNumber(size.height)}});
    return svgJson(chart);
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

} // namespace

std::string companionRowJson(const CompanionRow& row) {
    return JsonObject()
        .text("reference", row.reference)
        .text("fsb", row.fsb)
        .text("pciDivider", row.pciDivider)
        .text("agpDivider", row.agpDivider)
        .text("cpu", row.cpu)
        .text("pci", row.pci)
        .text("agp", row.agp)
        .text("core", row.core)
        .text("pciHint", row.pciHint)
        .text("agpHint", row.agpHint)
        .text("pciWords", row.pciWords)
        .text("agpWords", row.agpWords)
        .text("pciWhy", row.pciWhy)
        .text("agpWhy", row.agpWhy)
        .text("usb", row.usb)
        .text("usbNote", row.usbNote)
        .text("drift", row.drift)
        .text("error", row.error)
        .text("action", row.action)
        .number("referenceItem", row.referenceItem)
        .number("fsbItem", row.fsbItem)
        .close();
}

namespace {

constexpr std::array kCalls{
    Call{"fsbTableView", 3,
         [](const Arguments& a) {
             const TableView view = fsbTableView(a.text(0), a.text(1), a.text(2));
             return JsonObject()
                 .text("title", view.title)
                 .json("rows", jsonArray(view.rows, companionRowJson))
                 .number("current", view.current)
                 .close();
         }},
    Call{"fsbChartTree", 4,
         [](const Arguments& a) {
             return fsbChartTree(a.text(0), a.text(1), a.text(2), a.flag(3));
         }},
    Call{"tableCsv", 2,
         [](const Arguments& a) { return jsonString(tableCsv(a.text(0), a.text(1))); }},
    Call{"chartSvg", 3,
         [](const Arguments& a) { return jsonString(chartSvg(a.text(0), a.text(1), a.text(2))); }},
    Call{"companionText", 2,
         [](const Arguments& a) { return jsonString(companionText(a.text(0), a.text(1))); }},
};

} // namespace

std::span<const Call> companionCalls() {
    return kCalls;
}

} // namespace quenvale
