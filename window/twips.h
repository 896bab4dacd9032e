#pragma once

namespace quenvale {

// Twips (1/1440 inch) to pixels at a screen's logical resolution in dots per
// inch: 15 twips make a pixel at 96 dpi. Rounds to the nearest pixel.
int twipsToPixels(int twips, double logicalDpi);

} // namespace quenvale
