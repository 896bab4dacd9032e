#include <calculator/dividers.h>
#include <rows/case_row.h>
#include <runtime/runtime_error.h>

namespace quenvale {

namespace {

// What a calculated case and a plan's candidate both hold, by the same
// names: the clocks' texts, their hints, the consequences and the core.
template <class Calculated> void takeClocks(CaseRow& row, const Calculated& calculated) {
    row.clocks = calculated.clocks.texts;
    row.pciHint = calculated.pciHint;
    row.agpHint = calculated.agpHint;
    row.consequences = calculated.consequences;
    row.core = calculated.core;
}

} // namespace

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
    takeClocks(row, calculated);
    return row;
}

CaseRow planRow(const PlanCandidate& candidate) {
    CaseRow row;
    row.reference = candidate.reference;
    row.fsb = candidate.fsb;
    row.pciDivider = std::string(candidate.pciCaption);
    row.agpDivider = std::string(candidate.agpCaption);
    takeClocks(row, candidate);
    return row;
}

} // namespace quenvale
