#include <window/twips.h>

#include <cmath>

namespace quenvale {

int twipsToPixels(int twips, double logicalDpi) {
    constexpr double kTwipsPerInch = 1440.0;
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

} // namespace quenvale
