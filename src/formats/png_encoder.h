#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// Writes 8-bit RGBA pictures as PNG files, for handing pictures with alpha to
// other programs (the clipboard's "PNG" format). The image data is stored
// in uncompressed deflate blocks: every PNG reader accepts them, the
// pictures are icon-sized, and it keeps the encoder small and obviously right.
class PngEncoder {
public:
    // rgba: height rows of width pixels, top row first, 4 bytes each. Empty
    // when the sizes are not positive or rgba is not exactly that long.
    static std::vector<std::uint8_t> encodeRgba(std::uint32_t width, std::uint32_t height,
                                                std::span<const std::uint8_t> rgba);
};

} // namespace tessaly
