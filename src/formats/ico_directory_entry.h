#pragma once

#include <cstdint>

#include "image/byte_reader.h"
#include "image/byte_writer.h"

namespace tessaly {

// Sizes and the type value of the .ico container: a 6-byte file header
// (reserved 0, type, image count), then one 16-byte directory entry per image.
struct IcoLayout {
    static constexpr std::size_t kFileHeaderBytes = 6;
    static constexpr std::size_t kDirectoryEntryBytes = 16;
    static constexpr std::uint16_t kIconType = 1; // 2 would be a cursor file
};

// One 16-byte entry of an .ico file's directory. A width or height byte of 0
// stands for 256 or more, to be taken from the image's own header.
struct IcoDirectoryEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInImage = 0;
    std::uint32_t imageOffset = 0;

    // Reads the 16 bytes field by field; the reader's ok() tells whether they were all there.
    static IcoDirectoryEntry read(ByteReader& in);
    void write(ByteWriter& out) const;
};

} // namespace tessaly
