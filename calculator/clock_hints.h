#pragma once

#include <string_view>

namespace quenvale {

// How far a bus runs above its nominal clock: up to 112.5 % is fine, up to
// 125 % calls for caution, beyond that devices are likely to fail.
enum class ClockHint { Ok, Caution, Danger };

// Nominal bus clocks, MHz: 33.33 for PCI, 66.67 for AGP.
inline constexpr double kNominalPci = 100.0 / 3.0;
inline constexpr double kNominalAgp = 200.0 / 3.0;

// Above these shares of the nominal clock a bus deserves caution, then danger.
inline constexpr double kCautionShare = 1.125;
inline constexpr double kDangerShare = 1.25;

ClockHint pciHint(float mhz);
ClockHint agpHint(float mhz);

// "ok", "caution" or "danger".
std::string_view hintName(ClockHint hint);

// Why the bus clock deserves the hint, in Japanese; empty for Ok.
std::string_view pciHintText(ClockHint hint);
std::string_view agpHintText(ClockHint hint);

} // namespace quenvale
