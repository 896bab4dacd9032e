#include <calculator/planner.h>
#include <cli/calc_help.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>
#include <runtime/runtime_error.h>

#include <ostream>
#include <rows/failure_text.h>
#include <vector>

namespace quenvale::cli {

namespace {

// A cell of `width` columns, its text and at least one blank.
std::string cell(std::string_view text, std::size_t width) {
    return padded(text, width - 1) + ' ';
}

// A bus clock with its hint as a mark: "!" caution, "!!" danger.
std::string marked(std::string_view clock, ClockHint hint) {
    std::string text(clock);
    text += hint == ClockHint::Danger ? "!!" : hint == ClockHint::Caution ? "!" : "";
    return text;
}

// The candidates as a table within 80 columns after a line that says what was
// asked for and how many of how many are shown, and a key to its marks. The
// dividers are the FSB band's and the consequences' megahertz are left to
// CSV and JSON: the drift as a duration and the clocks out of tolerance say
// what they mean.
class PlanTextWriter final : public RowWriter {
public:
    PlanTextWriter(std::ostream& out, const PlanArgs& args, std::size_t shown,
                   std::size_t candidates, Language language)
        : out_(out), language_(language) {
        out_ << wrapText(planSummary(args.target, args.multiplier, args.limit, shown, candidates,
                                     language, args.references.size()),
                         0, 2)
             << '\n';
        std::string header = "REF      FSB     CPU      PCI        AGP        ";
        if (args.multiplier) {
            header += "CORE     ";
        }
        out_ << header << "DRIFT/DAY   OFF\n";
    }

    void write(const CaseRow& row) override {
        const Consequences& c = *row.consequences;
        std::string text = cell(row.reference, 9) + cell(row.fsb, 8) + cell(row.clocks[0], 9) +
                           cell(marked(row.clocks[1], row.pciHint), 11) +
                           cell(marked(row.clocks[2], row.agpHint), 11);
        if (row.core) {
            text += cell(row.core->text, 9);
        }
        std::string off;
        if (!c.usbWithinTolerance) {
            off += "USB";
        }
        if (!c.sioWithinTolerance) {
            off += off.empty() ? "SIO" : " SIO";
        }
        const std::string drift = signedDriftDuration(c, language_);
        text += off.empty() ? drift : cell(drift, 12) + off;
        out_ << text << '\n';
    }
    void finish() override {
        out_ << "  "
             << wrapText(tr(language_,
                            "! = 注意、!! = 危険\nDRIFT/DAY = タイマーの刻みで数える OS の"
                            "時計の1日のずれ (RTC は別)\nOFF = 許容範囲を外れた USB、"
                            "Super I/O (シリアルポート、フロッピー)"),
                         2, 2)
             << '\n';
    }

private:
    std::ostream& out_;
    Language language_;
};

} // namespace

int runPlan(const PlanArgs& args, std::ostream& out, std::ostream& err, Language language) {
    std::vector<PlanCandidate> plan;
    try {
        if (args.references.empty()) {
            plan = planCrystals(args.target, args.multiplier, args.limit);
        } else {
            const std::vector<std::string_view> crystals(args.references.begin(),
                                                         args.references.end());
            plan = planCrystals(args.target, args.multiplier, args.limit, crystals);
        }
    } catch (const RuntimeError& error) {
        err << failureText(error, std::nullopt, language) << '\n';
        return 1;
    }
    if (plan.empty()) {
        err << planEmptyText(args.limit, language) << '\n';
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
