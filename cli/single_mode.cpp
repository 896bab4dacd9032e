#include <calculator/clock_case.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>
#include <runtime/catalogue.h>

#include <ostream>

namespace quenvale::cli {

namespace {

// A case as lines: the clocks with their hints, the dividers and where they
// came from, then what --details and --multiplier add; a failure's message
// goes to the error stream.
class SingleTextWriter final : public RowWriter {
public:
    SingleTextWriter(std::ostream& out, std::ostream& err, const SingleArgs& args,
                     Language language)
        : out_(out), err_(err), args_(args), language_(language) {}

    void write(const CaseRow& row) override {
        if (!row.error.empty() && !row.coreFailed) {
            err_ << row.error << '\n';
            return;
        }
        out_ << "CPU " << row.clocks[0] << " MHz\n";
        out_ << "PCI " << row.clocks[1] << " MHz";
        if (row.pciHint != ClockHint::Ok) {
            out_ << "  " << pciHintText(row.pciHint, language_);
        }
        out_ << "\nAGP " << row.clocks[2] << " MHz";
        if (row.agpHint != ClockHint::Ok) {
            out_ << "  " << agpHintText(row.agpHint, language_);
        }
        out_ << '\n'
             << dividerLine(row, args_.pci.has_value(), args_.agp.has_value(), language_) << '\n';
        if (row.core) {
            out_ << tr(language_, "コア {core} MHz (CPU × {multiplier})",
                       {{"core", row.core->text}, {"multiplier", *args_.multiplier}})
                 << '\n';
        }
        if (const auto& c = row.consequences) {
            for (const std::string& line : consequenceLines(*c, language_)) {
                out_ << line << '\n';
            }
        }
        if (row.coreFailed) {
            // After the clocks that stand: the core clock alone is missing.
            out_.flush();
            err_ << row.error << '\n';
        }
    }
    void finish() override {}

private:
    std::ostream& out_;
    std::ostream& err_;
    const SingleArgs& args_;
    Language language_;
};

} // namespace

int runSingle(const SingleArgs& args, std::ostream& out, std::ostream& err, Language language) {
    const CaseExtras extras{.consequences = args.details, .multiplier = args.multiplier};
    const CaseRow row =
        caseRow(calculateCase(args.reference, args.fsb, args.pci, args.agp, extras), language);
    const auto writer = makeRowWriter(
        out, args.format,
        {.position = false,
         .error = true,
         .consequences = args.details,
         .core = args.multiplier.has_value()},
        false, [&] { return std::make_unique<SingleTextWriter>(out, err, args, language); });
    writer->write(row);
    writer->finish();
    return row.error.empty() ? 0 : 1;
}

} // namespace quenvale::cli
