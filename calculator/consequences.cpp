#include <calculator/clock_calculation.h>
#include <calculator/consequences.h>
#include <runtime/catalogue.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>
#include <runtime/single_store.h>

#include <cmath>

namespace quenvale {

Consequences computeConsequences(std::string_view referenceText) {
    const float reference = parseSingle(referenceText);
    // Not rounded to single before scaling, as the CPU clock's ratio is not.
    const double ratio = checkedStep(static_cast<double>(reference) / kNominalReference);

    Consequences result;
    result.ratio = storeSingle(ratio);
    result.usbMhz = storeSingle(checkedStep(kNominalUsb * ratio));
    result.sioMhz = storeSingle(checkedStep(kNominalSuperIo * ratio));
    // "14.318" is not exactly 14.318 as a single, and would drift a
    // millisecond a day; a crystal whose ratio stores as exactly 1 is the
    // nominal one and drifts nothing.
    result.timerDriftSecondsPerDay =
        result.ratio == 1.0F ? 0.0F
                             : storeSingle(checkedStep(checkedStep(ratio - 1.0) * kSecondsPerDay));
    result.usbWithinTolerance =
        std::fabs(static_cast<double>(result.usbMhz) - kNominalUsb) <= kNominalUsb * kUsbTolerance;
    result.sioWithinTolerance = std::fabs(static_cast<double>(result.sioMhz) - kNominalSuperIo) <=
                                kNominalSuperIo * kSuperIoTolerance;
    result.ratioText = formatSingle(result.ratio);
    result.usbText = formatSingle(result.usbMhz);
    result.sioText = formatSingle(result.sioMhz);
    result.timerDriftText = formatSingle(result.timerDriftSecondsPerDay);
    return result;
}

CoreClock computeCoreClock(float cpuMhz, float multiplier) {
    const float core =
        storeSingle(checkedStep(static_cast<double>(cpuMhz) * static_cast<double>(multiplier)));
    return {core, formatSingle(core)};
}

CoreClock computeCoreClock(float cpuMhz, std::string_view multiplierText) {
    return computeCoreClock(cpuMhz, parseSingle(multiplierText));
}

} // namespace quenvale
