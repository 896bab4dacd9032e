#include <calculator/clock_case.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>

#include <ostream>

namespace quenvale::cli {

namespace {

// A case as lines: the clocks with their hints, the dividers and where they
// came from, then what --details and --multiplier add; a failure's message
// goes to the error stream.
class SingleTextWriter final : public RowWriter {
public:
    SingleTextWriter(std::ostream& out, std::ostream& err, const SingleArgs& args)
        : out_(out), err_(err), args_(args) {}

    void write(const CaseRow& row) override {
        if (!row.error.empty()) {
            err_ << row.error << '\n';
            return;
        }
        out_ << "CPU " << row.clocks[0] << " MHz\n";
        out_ << "PCI " << row.clocks[1] << " MHz";
        if (row.pciHint != ClockHint::Ok) {
            out_ << "  " << pciHintText(row.pciHint, quenvale::Language::Japanese);
        }
        out_ << "\nAGP " << row.clocks[2] << " MHz";
        if (row.agpHint != ClockHint::Ok) {
            out_ << "  " << agpHintText(row.agpHint, quenvale::Language::Japanese);
        }
        out_ << '\n' << dividerLine(row, args_.pci.has_value(), args_.agp.has_value()) << '\n';
        if (row.core) {
            out_ << "コア " << row.core->text << " MHz (CPU × " << *args_.multiplier << ")\n";
        }
        if (const auto& c = row.consequences) {
            // The window's sentences, with the signed drift kept in front.
            out_ << "USB " << c->usbText << " MHz  " << usbVerdict(*c, quenvale::Language::Japanese)
                 << "\nSuper I/O " << c->sioText << " MHz\n"
                 << "時計のずれ " << (c->timerDriftSecondsPerDay > 0 ? "+" : "")
                 << c->timerDriftText << " 秒/日 ("
                 << timerDriftSentence(*c, quenvale::Language::Japanese) << ")\n";
        }
    }
    void finish() override {}

private:
    std::ostream& out_;
    std::ostream& err_;
    const SingleArgs& args_;
};

} // namespace

int runSingle(const SingleArgs& args, std::ostream& out, std::ostream& err, Language language) {
    const CaseExtras extras{.consequences = args.details, .multiplier = args.multiplier};
    const CaseRow row =
        caseRow(calculateCase(args.reference, args.fsb, args.pci, args.agp, extras), language);
    const auto writer =
        makeRowWriter(out, args.format,
                      {.position = false,
                       .error = true,
                       .consequences = args.details,
                       .core = args.multiplier.has_value()},
                      false, [&] { return std::make_unique<SingleTextWriter>(out, err, args); });
    writer->write(row);
    writer->finish();
    return row.error.empty() ? 0 : 1;
}

} // namespace quenvale::cli
