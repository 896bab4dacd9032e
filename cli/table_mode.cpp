#include <calculator/clock_case.h>
#include <cli/calc_modes.h>
#include <cli/text_output.h>

#include <vector>

namespace quenvale::cli {

int runTable(const TableArgs& args, std::ostream& out, Language language) {
    std::vector<std::string_view> references(kReferencePresets.begin(), kReferencePresets.end());
    std::vector<std::string_view> settings(kFsbPresets.begin(), kFsbPresets.end());
    if (args.reference) {
        references = {*args.reference};
    }
    if (args.fsb) {
        settings = {*args.fsb};
    }
    const auto writer =
        makeRowWriter(out, args.format, {.position = false, .error = true}, true,
                      [&] { return std::make_unique<TableTextWriter>(out, language); });
    bool anyFailed = false;
    for (const std::string_view reference : references) {
        for (const ClockCase& calculated : fsbTable(reference, settings)) {
            anyFailed = anyFailed || calculated.failed();
            writer->write(caseRow(calculated, language));
        }
    }
    writer->finish();
    return anyFailed ? 1 : 0;
}

} // namespace quenvale::cli
