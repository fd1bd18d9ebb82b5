#pragma once

#include <cstdint>

#include "image/byte_reader.h"
#include "image/byte_writer.h"

namespace tessaly {

// The 40-byte BITMAPINFOHEADER that starts every bitmap image inside an .ico
// file (and every device-independent bitmap). Later header versions are
// longer but begin with the same fields; `size` tells how long this one is.
struct BitmapInfoHeader {
    static constexpr std::uint32_t kBytes = 40;
    // Compression value of plain, uncompressed rows (BI_RGB).
    static constexpr std::uint32_t kUncompressed = 0;

    std::uint32_t size = kBytes;
    std::int32_t width = 0;
    // Inside an .ico file: twice the picture height (colour rows plus mask rows).
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kUncompressed;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMeter = 0;
    std::int32_t yPixelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;

    // Reads the 40 bytes field by field; the reader's ok() tells whether they were all there.
    static BitmapInfoHeader read(ByteReader& in);
    void write(ByteWriter& out) const;
};

} // namespace tessaly
