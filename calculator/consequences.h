#pragma once

#include <runtime/language.h>

#include <string>
#include <string_view>

namespace quenvale {

// Nominal clocks the board's clock generator derives from the reference
// besides the bus clocks, MHz.
inline constexpr double kNominalUsb = 48.0;
inline constexpr double kNominalSuperIo = 24.0;
// USB full speed tolerates ±0.25 % (2,500 ppm).
inline constexpr double kUsbTolerance = 0.0025;
// The share by which the Super I/O clock may be off before its serial ports
// and floppy controller are likely to fail: a UART frame still samples its
// last bit right within about ±2 %, and a floppy data separator locks within
// a few per cent of its data rate.
inline constexpr double kSuperIoTolerance = 0.02;
inline constexpr double kSecondsPerDay = 86400.0;

// What else a reference crystal changes. Each value is computed in double
// from the single reference and stored as single; its text is the value's
// formatSingle text.
struct Consequences {
    float ratio = 0;                   // reference / 14.318
    float usbMhz = 0;                  // 48 MHz scaled
    float sioMhz = 0;                  // 24 MHz Super I/O clock scaled
    float timerDriftSecondsPerDay = 0; // gained (lost when negative) by tick timekeeping
    std::string ratioText;
    std::string usbText;
    std::string sioText;
    std::string timerDriftText;
    // The stored USB clock lies within ±0.25 % of 48 MHz.
    bool usbWithinTolerance = false;
    // The stored Super I/O clock lies within kSuperIoTolerance of 24 MHz.
    bool sioWithinTolerance = false;

    bool operator==(const Consequences&) const = default;
};

// The consequences of a reference crystal of referenceText MHz. Throws
// RuntimeError exactly as computeClocks does: TypeMismatch or Overflow (with
// the text) when the text is not a number, Overflow when a step overflows.
Consequences computeConsequences(std::string_view referenceText);

// What the USB clock's deviation means: "許容範囲(±0.25%)内です。" or a
// warning that devices may fail.
std::string_view usbVerdict(const Consequences& consequences, Language language);

// What the Super I/O clock's deviation does to the serial ports and the
// floppy: how many per cent fast or slow they run, and whether that is within
// kSuperIoTolerance.
std::string superIoVerdict(const Consequences& consequences, Language language);

// A drift of `seconds` a day as a person reads it, without its sign: "1 h 9
// min", "42 min", "17 s", "less than a second"; "0" for none.
std::string driftDuration(float seconds, Language language);

// The drift as a table cell: signed, "+1 h 9 min", "-3 h 53 min", "0".
std::string signedDriftDuration(const Consequences& consequences, Language language);

// What the drift does to a clock kept by timer ticks: "1日に約1時間9分進みま
// す。", "1日に約17秒遅れます。" or "ずれません。".
std::string timerDriftSentence(const Consequences& consequences, Language language);

// The clock that drifts, named once wherever the drift is told: the time the
// operating system counts in timer ticks, not the battery-backed RTC.
std::string_view timerClockName(Language language);

// The processor's core clock: its CPU (FSB) clock times its multiplier.
struct CoreClock {
    float mhz = 0;
    std::string text;

    bool operator==(const CoreClock&) const = default;
};

// cpuMhz × multiplier, the product in double, stored as single. Throws
// RuntimeError(Overflow) when the product overflows.
CoreClock computeCoreClock(float cpuMhz, float multiplier);

// The same with the multiplier given as text; a text that is not a number
// fails as computeClocks' inputs do.
CoreClock computeCoreClock(float cpuMhz, std::string_view multiplierText);

} // namespace quenvale
