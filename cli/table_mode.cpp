#include <calculator/clock_case.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <report/chart_labels.h>
#include <report/clock_chart.h>
#include <runtime/catalogue.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace quenvale::cli {

namespace {

// The rows of the table as one chart, drawn once the last is written; the
// chart reads the cases the rows were made of.
class ChartWriter final : public RowWriter {
public:
    ChartWriter(std::ostream& out, const std::vector<ClockCase>& cases, ChartLabels labels,
                std::optional<std::size_t> highlighted)
        : out_(out), cases_(cases), labels_(std::move(labels)), highlighted_(highlighted) {}

    void write(const CaseRow&) override {}
    void finish() override { out_ << drawClockChart(cases_, labels_, highlighted_); }

private:
    std::ostream& out_;
    const std::vector<ClockCase>& cases_; // filled in by the time of finish()
    ChartLabels labels_;
    std::optional<std::size_t> highlighted_;
};

// The same setting as typed, read as the calculation reads it; none when it
// is not a number (then it matches no row).
std::optional<float> settingValue(std::string_view text) {
    try {
        return parseSingle(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

int runTable(const TableArgs& args, std::ostream& out, Language language) {
    std::vector<std::string_view> references(kReferencePresets.begin(), kReferencePresets.end());
    std::vector<std::string_view> settings(kFsbPresets.begin(), kFsbPresets.end());
    if (args.reference) {
        references = {*args.reference};
    }
    // The chart shows the whole FSB list; --fsb marks its point there, added
    // to the list when it is not one of its settings.
    std::optional<std::size_t> highlighted;
    if (args.fsb && args.format == Format::Svg) {
        const std::optional<float> wanted = settingValue(*args.fsb);
        const auto found = std::find_if(settings.begin(), settings.end(), [&](std::string_view s) {
            return wanted && settingValue(s) == wanted;
        });
        if (found == settings.end()) {
            settings.push_back(*args.fsb);
        }
        highlighted = static_cast<std::size_t>(
            std::find_if(settings.begin(), settings.end(),
                         [&](std::string_view s) {
                             return s == *args.fsb || (wanted && settingValue(s) == wanted);
                         }) -
            settings.begin());
    } else if (args.fsb) {
        settings = {*args.fsb};
    }
    std::vector<ClockCase> chartCases;
    const auto writer = makeRowWriter(
        out, args.format, {.position = false, .error = true, .consequences = args.details}, true,
        [&] { return std::make_unique<TableTextWriter>(out, language, args.details); },
        [&] {
            return std::make_unique<ChartWriter>(
                out, chartCases, chartLabels(references.front(), language), highlighted);
        });
    bool anyFailed = false;
    for (const std::string_view reference : references) {
        std::vector<ClockCase> cases =
            fsbTable(reference, settings, {.consequences = args.details, .multiplier = {}});
        for (const ClockCase& calculated : cases) {
            anyFailed = anyFailed || calculated.failed();
            writer->write(caseRow(calculated, language));
        }
        if (args.format == Format::Svg) {
            chartCases = std::move(cases);
        }
    }
    writer->finish();
    return anyFailed ? 1 : 0;
}

} // namespace quenvale::cli
