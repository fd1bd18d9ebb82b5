#pragma once

#include <cstdint>

namespace tessaly {

// What a conversion does to the colours besides resizing: the choice made in
// the duplication dialog, with the values that dialog reports.
enum class ConversionType : std::int32_t {
    None = 0,        // convert to the chosen colour mode
    KeepPalette = 1, // resize only: colour mode and palette stay the source's
    WebSafe = 2,     // 256 colours, mapped onto the web-safe cube
    Greyscale = 3,   // 256 greys
};

} // namespace tessaly
