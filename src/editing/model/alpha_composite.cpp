#include "editing/model/alpha_composite.h"

#include <algorithm>
#include <cstdint>

namespace tessaly {

ColorValue compositeColor(ColorValue over, ColorValue under)
{
    const std::uint32_t sa = alphaOf(over);
    const std::uint32_t k = std::min<std::uint32_t>(255 - sa, alphaOf(under));
    const std::uint32_t a = sa + k;
    if (a == 0)
        return 0;
    const auto mix = [&](std::uint8_t s, std::uint8_t d) { return static_cast<std::uint8_t>((s * sa + d * k) / a); };
    return makeColor(mix(redOf(over), redOf(under)), mix(greenOf(over), greenOf(under)),
                     mix(blueOf(over), blueOf(under)), static_cast<std::uint8_t>(a));
}

} // namespace tessaly
