#include <calculator/clock_case.h>
#include <calculator/divider_rules.h>
#include <runtime/parse_single.h>

#include <utility>

namespace quenvale {

ClockCase calculateCase(std::string_view reference, std::string_view fsb, DividerChoice pci,
                        DividerChoice agp, const CaseExtras& extras) {
    ClockCase result;
    result.reference = std::string(reference);
    result.fsb = std::string(fsb);

    // Which text a conversion failure belongs to follows from how far the
    // case got: the reference is read first, then the FSB.
    std::optional<InputBox> reading = InputBox::Reference;
    try {
        parseSingle(reference);
        reading = InputBox::Fsb;
        if (!pci || !agp) {
            const BandDividers band = bandDividers(fsb);
            pci = pci ? pci : band.pci;
            agp = agp ? agp : band.agp;
        }
        // Known from here on, even if the FSB or the arithmetic then fails.
        result.pci = pci;
        result.agp = agp;
        // Converted here even when both dividers were given, so that a bad
        // FSB text is blamed on its box and not taken for the arithmetic's.
        parseSingle(fsb);
        reading.reset();
        ClockResults clocks = computeClocks(pci, agp, reference, fsb);
        std::optional<Consequences> consequences;
        if (extras.consequences) {
            try {
                consequences = computeConsequences(reference);
            } catch (const RuntimeError&) {
                // From a crystal of about 1e34 MHz the drift overflows; the
                // clocks are still shown, as the window shows them.
            }
        }
        std::optional<CoreClock> core;
        std::optional<RuntimeError> coreFailure;
        if (extras.multiplier) {
            try {
                core = computeCoreClock(clocks.values[CpuClock], *extras.multiplier);
            } catch (const RuntimeError& error) {
                // The product carries no text of its own; the multiplier is
                // the value that makes it too large for this CPU clock.
                coreFailure = RuntimeError(error.number(), *extras.multiplier);
            }
        }
        // Written only once everything is known: a failure leaves no clocks.
        result.pciHint = pciHint(clocks.values[PciClock]);
        result.agpHint = agpHint(clocks.values[AgpClock]);
        result.clocks = std::move(clocks);
        result.consequences = std::move(consequences);
        result.core = std::move(core);
        result.coreFailure = std::move(coreFailure);
    } catch (const RuntimeError& error) {
        // A failure after both texts were read is the arithmetic's.
        result.failure = CaseFailure{error, error.text() ? reading : std::nullopt};
    }
    return result;
}

std::vector<ClockCase> fsbTable(std::string_view reference,
                                std::span<const std::string_view> settings,
                                const CaseExtras& extras) {
    std::vector<ClockCase> rows;
    rows.reserve(settings.size());
    for (const std::string_view fsb : settings) {
        rows.push_back(calculateCase(reference, fsb, std::nullopt, std::nullopt, extras));
    }
    return rows;
}

} // namespace quenvale
