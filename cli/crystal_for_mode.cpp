#include <calculator/clock_case.h>
#include <calculator/crystal_for.h>
#include <calculator/failure_message.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <runtime/format_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <vector>

namespace quenvale::cli {

namespace {

// The crystal's rows as text, each column as wide as its widest entry, so
// the rows are kept until the last is known.
class CrystalTextWriter final : public RowWriter {
public:
    CrystalTextWriter(std::ostream& out, const CrystalForArgs& args) : out_(out), args_(args) {}

    void write(const CaseRow& row) override { rows_.push_back(row); }

    void finish() override {
        if (rows_.empty()) {
            return;
        }
        out_ << "FSB " << quotableText(args_.fsb) << " MHz で CPU を " << quotableText(args_.target)
             << " MHz にする水晶: " << rows_.front().reference << " MHz\n"
             << dividerLine(rows_.front(), args_.pci.has_value(), args_.agp.has_value()) << '\n';
        std::array<std::size_t, 4> widths{};
        for (const CaseRow& row : rows_) {
            const auto texts = cells(row);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                widths[i] = std::max(widths[i], texts[i].size());
            }
        }
        for (const CaseRow& row : rows_) {
            // Padded to the same width on a terminal: a kanji takes two columns.
            const std::string_view label = row.position == "required" ? "必要な水晶"
                                           : row.position == "below"  ? "下の候補  "
                                                                      : "上の候補  ";
            std::string line(label);
            const auto texts = cells(row);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                line += "  ";
                line += i + 1 < texts.size() ? padded(texts[i], widths[i]) : texts[i];
            }
            line += hintSuffix(row);
            out_ << line << '\n';
        }
    }

private:
    static std::array<std::string, 4> cells(const CaseRow& row) {
        return {row.reference + " MHz", "CPU " + row.clocks[0] + " MHz",
                "PCI " + row.clocks[1] + " MHz", "AGP " + row.clocks[2] + " MHz"};
    }

    std::ostream& out_;
    const CrystalForArgs& args_;
    std::vector<CaseRow> rows_;
};

} // namespace

int runCrystalFor(const CrystalForArgs& args, std::ostream& out, std::ostream& err,
                  Language language) {
    std::variant<CrystalChoice, NoCrystal> found;
    try {
        found = crystalFor(args.target, args.fsb);
    } catch (const RuntimeError& error) {
        err << failureText(error, std::nullopt, language) << '\n';
        return 1;
    }
    if (const NoCrystal* none = std::get_if<NoCrystal>(&found)) {
        switch (*none) {
        case NoCrystal::FsbNotPositive:
            err << say(language,
                       "FSB が 0 MHz 以下では、どの水晶でも CPU クロックは正の値にならないため、"
                       "水晶を求められません。",
                       "At an FSB of 0 MHz or below no crystal gives a positive CPU clock, so "
                       "no crystal can be found for a target.");
            break;
        case NoCrystal::TargetNotPositive:
            err << say(language, "CPU クロックを 0 MHz 以下にする水晶はありません。",
                       "No crystal gives a CPU clock of 0 MHz or below.");
            break;
        }
        err << '\n';
        return 1;
    }
    const CrystalChoice& choice = std::get<CrystalChoice>(found);

    std::vector<CaseRow> rows;
    const auto add = [&](std::string_view reference, std::string_view position) {
        rows.push_back(caseRow(calculateCase(reference, args.fsb, args.pci, args.agp), language));
        rows.back().position = std::string(position);
    };
    add(formatSingle(choice.crystal), "required");
    if (choice.below) {
        add(kReferencePresets[*choice.below], "below");
    }
    if (choice.above) {
        add(kReferencePresets[*choice.above], "above");
    }
    for (const CaseRow& row : rows) {
        if (!row.error.empty()) {
            err << row.error << '\n';
            return 1;
        }
    }
    const auto writer =
        makeRowWriter(out, args.format, {.position = true, .error = false}, true,
                      [&] { return std::make_unique<CrystalTextWriter>(out, args); });
    for (const CaseRow& row : rows) {
        writer->write(row);
    }
    writer->finish();
    return 0;
}

} // namespace quenvale::cli
