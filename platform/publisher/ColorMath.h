// Colour arithmetic of the publisher: colour transforms applied to colours,
// composed with each other, and hue-saturation-lightness shifts.
#pragma once

#include "host/Kinefold.h"

namespace platform {

// Each channel as value * multiplier + offset, rounded and kept in 0..255.
Kinefold::TColor ApplyMatrix(const Kinefold::TColor& colour, const Kinefold::TColorMatrix& m);

// The transform that applies `first`, then `second` (offsets are not clamped
// in between).
Kinefold::TColorMatrix Compose(const Kinefold::TColorMatrix& first,
                               const Kinefold::TColorMatrix& second);

// Shifts a colour's hue by `dh` degrees and its saturation and lightness by
// `ds` and `dl` percentage points (kept within 0..100). Alpha is unchanged.
Kinefold::TColor ShiftHsl(const Kinefold::TColor& colour, double dh, double ds, double dl);

}  // namespace platform
