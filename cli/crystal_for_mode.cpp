#include <calculator/clock_case.h>
#include <calculator/crystal_for.h>
#include <calculator/failure_message.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>
#include <runtime/format_single.h>
#include <runtime/runtime_error.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <rows/failure_text.h>
#include <vector>

namespace quenvale::cli {

namespace {

// The crystal's rows as text, each column as wide as its widest entry, so
// the rows are kept until the last is known.
class CrystalTextWriter final : public RowWriter {
public:
    CrystalTextWriter(std::ostream& out, const CrystalForArgs& args, Language language)
        : out_(out), args_(args), language_(language) {}

    void write(const CaseRow& row) override { rows_.push_back(row); }

    void finish() override {
        if (rows_.empty()) {
            return;
        }
        out_ << tr(language_, "FSB {fsb} MHz で CPU を {target} MHz にする水晶: {crystal} MHz",
                   {{"fsb", quotableText(args_.fsb)},
                    {"target", quotableText(args_.target)},
                    {"crystal", rows_.front().reference}})
             << '\n'
             << dividerLine(rows_.front(), args_.pci.has_value(), args_.agp.has_value(), language_)
             << '\n';
        std::size_t labelWidth = 0;
        for (const CaseRow& row : rows_) {
            labelWidth = std::max(labelWidth, displayWidth(label(row)));
        }
        std::array<std::size_t, 4> widths{};
        for (const CaseRow& row : rows_) {
            const auto texts = cells(row);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                widths[i] = std::max(widths[i], displayWidth(texts[i]));
            }
        }
        for (const CaseRow& row : rows_) {
            std::string line = padded(label(row), labelWidth);
            const auto texts = cells(row);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                line += "  ";
                line += i + 1 < texts.size() ? padded(texts[i], widths[i]) : texts[i];
            }
            line += hintSuffix(row, language_);
            out_ << line << '\n';
        }
    }

private:
    std::string_view label(const CaseRow& row) const {
        return row.position == "required" ? tr(language_, "必要な水晶")
               : row.position == "below"  ? tr(language_, "下の候補")
                                          : tr(language_, "上の候補");
    }

    static std::array<std::string, 4> cells(const CaseRow& row) {
        return {row.reference + " MHz", "CPU " + row.clocks[0] + " MHz",
                "PCI " + row.clocks[1] + " MHz", "AGP " + row.clocks[2] + " MHz"};
    }

    std::ostream& out_;
    const CrystalForArgs& args_;
    Language language_;
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
            err << tr(language,
                      "FSB が 0 MHz 以下では、どの水晶でも CPU クロックは正の値にならないため、"
                      "水晶を求められません。");
            break;
        case NoCrystal::TargetNotPositive:
            err << tr(language, "CPU クロックを 0 MHz 以下にする水晶はありません。");
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
                      [&] { return std::make_unique<CrystalTextWriter>(out, args, language); });
    for (const CaseRow& row : rows) {
        writer->write(row);
    }
    writer->finish();
    return 0;
}

} // namespace quenvale::cli
