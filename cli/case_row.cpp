#include <calculator/dividers.h>
#include <cli/case_row.h>
#include <runtime/runtime_error.h>

namespace quenvale::cli {

CaseRow caseRow(const ClockCase& calculated, Language language) {
    CaseRow row;
    row.reference = calculated.reference;
    row.fsb = calculated.fsb;
    if (calculated.pci) {
        row.pciDivider = std::string(kPciDividers.at(*calculated.pci).caption);
    }
    if (calculated.agp) {
        row.agpDivider = std::string(kAgpDividers.at(*calculated.agp).caption);
    }
    if (const auto& failure = calculated.failure) {
        std::optional<FieldName> field;
        if (failure->box) {
            field = *failure->box == InputBox::Reference ? FieldName::Reference : FieldName::Fsb;
        }
        row.error = failureText(failure->error, field, language);
        row.errorCode = failure->error.code();
        return row;
    }
    if (const auto& core = calculated.coreFailure) {
        // The command line took only a positive number as the multiplier, so
        // the product overflowed: the multiplier is the value to correct.
        row.error = failureText(*core, FieldName::Multiplier, language);
        row.errorCode = core->code();
        row.coreFailed = true;
    }
    row.clocks = calculated.clocks.texts;
    row.pciHint = calculated.pciHint;
    row.agpHint = calculated.agpHint;
    row.consequences = calculated.consequences;
    row.core = calculated.core;
    return row;
}

} // namespace quenvale::cli
