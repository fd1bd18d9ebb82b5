#pragma once

#include "image/color_value.h"

namespace tessaly {

// The colour that content colour `over` leaves on image colour `under` when
// floating content is composited into a 32-bit image. The content keeps its
// own alpha share sa; the image contributes what is left of it, at most its
// own alpha: k = min(255 - sa, alpha of under). The result's alpha is sa + k
// and each channel is the weighted mean (integer division); a result with no
// alpha at all is 0 in all four bytes.
ColorValue compositeColor(ColorValue over, ColorValue under);

} // namespace tessaly
