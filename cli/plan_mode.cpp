#include <calculator/planner.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <rows/failure_text.h>
#include <runtime/catalogue.h>
#include <runtime/runtime_error.h>

#include <ostream>
#include <vector>

namespace quenvale::cli {

namespace {

// The candidates as a table after a line that says what was asked for and
// how many of how many are shown.
class PlanTextWriter final : public RowWriter {
public:
    PlanTextWriter(std::ostream& out, const PlanArgs& args, std::size_t shown,
                   std::size_t candidates, Language language)
        : out_(out), language_(language) {
        out_ << planSummary(args.target, args.multiplier, args.limit, shown, candidates, language)
             << '\n';
        std::string header = std::string(kTableColumns) + "     ";
        if (args.multiplier) {
            header += "CORE(MHz)    ";
        }
        out_ << header << "USB(MHz)     SIO(MHz)     DRIFT(s/day)\n";
    }

    void write(const CaseRow& row) override {
        std::string text = padded(row.reference, 9) + padded(row.fsb, 9) +
                           padded(row.pciDivider, 5) + padded(row.agpDivider, 5) +
                           padded(row.clocks[0], 13) + padded(row.clocks[1], 13) +
                           padded(row.clocks[2], 13);
        if (row.core) {
            text += padded(row.core->text, 13);
        }
        text += padded(row.consequences->usbText, 13) + padded(row.consequences->sioText, 13) +
                row.consequences->timerDriftText + hintSuffix(row, language_);
        if (!row.consequences->usbWithinTolerance) {
            text += "  ";
            text += tr(language_, "USB範囲外");
        }
        out_ << text << '\n';
    }
    void finish() override {}

private:
    std::ostream& out_;
    Language language_;
};

} // namespace

int runPlan(const PlanArgs& args, std::ostream& out, std::ostream& err, Language language) {
    std::vector<PlanCandidate> plan;
    try {
        plan = planCrystals(args.target, args.multiplier, args.limit);
    } catch (const RuntimeError& error) {
        err << failureText(error, std::nullopt, language) << '\n';
        return 1;
    }
    if (plan.empty()) {
        err << tr(language,
                  "PCI と AGP が {limit} までに収まる水晶と FSB の組み合わせはありません。",
                  {{"limit", hintName(args.limit)}})
            << '\n';
        return 1;
    }
    const std::size_t shown = std::min(plan.size(), args.top);
    const auto writer = makeRowWriter(
        out, args.format,
        {.position = false,
         .error = false,
         .consequences = true,
         .core = args.multiplier.has_value()},
        true,
        [&] { return std::make_unique<PlanTextWriter>(out, args, shown, plan.size(), language); });
    for (std::size_t i = 0; i < shown; ++i) {
        writer->write(planRow(plan[i]));
    }
    writer->finish();
    return 0;
}

} // namespace quenvale::cli
