#pragma once

#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

#include "formats/bitmap_info_header.h"
#include "formats/ico_directory_entry.h"
#include "image/byte_writer.h"
#include "image/icon_image.h"

namespace tessaly::test {

// Builds .ico files by hand, so that tests can store images in any order and
// set any field to a value no writer of ours would choose.
struct IcoPart {
    IcoDirectoryEntry entry;
    std::vector<std::uint8_t> block; // what the entry's offset points at
    bool fixByteCount = true;        // false keeps entry.bytesInImage as set
};

inline BitmapInfoHeader infoHeaderFor(const IconImage& image)
{
    BitmapInfoHeader header;
    header.width = image.width();
    header.height = 2 * image.height();
    header.bitCount = static_cast<std::uint16_t>(image.bitCount());
    header.imageSize = static_cast<std::uint32_t>(image.pixelBytes());
    return header;
}

// Colour table, colour rows and mask rows.
inline std::vector<std::uint8_t> imageData(const IconImage& image)
{
    ByteWriter out;
    image.writeData(out);
    return out.take();
}

// A bitmap header, padded with zeros to header.size when that is above 40,
// followed by data.
inline std::vector<std::uint8_t> bitmapBlock(const BitmapInfoHeader& header, std::span<const std::uint8_t> data)
{
    ByteWriter out;
    header.write(out);
    for (std::uint32_t i = BitmapInfoHeader::kBytes; i < header.size; ++i)
        out.u8(0);
    out.bytes(data);
    return out.take();
}

// The entry and block of an image exactly as a plain writer lays them out.
inline IcoPart partFor(const IconImage& image)
{
    IcoPart part;
    part.entry.width = static_cast<std::uint8_t>(image.width() < 256 ? image.width() : 0);
    part.entry.height = static_cast<std::uint8_t>(image.height() < 256 ? image.height() : 0);
    part.entry.colorCount = static_cast<std::uint8_t>(image.colorCount());
    part.entry.bitCount = static_cast<std::uint16_t>(image.bitCount());
    part.block = bitmapBlock(infoHeaderFor(image), imageData(image));
    return part;
}

// The file: header, directory, then the blocks in storageOrder (directory
// order when empty), each preceded by gap bytes of 0xCC. Offsets always, and
// byte counts unless a part says otherwise, are set to where the blocks land.
inline std::vector<std::uint8_t> assembleIco(std::vector<IcoPart> parts, std::vector<std::size_t> storageOrder = {},
                                             std::size_t gap = 0, std::uint16_t type = IcoLayout::kIconType)
{
    if (storageOrder.empty()) {
        storageOrder.resize(parts.size());
        std::iota(storageOrder.begin(), storageOrder.end(), std::size_t{0});
    }
    std::size_t offset = IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes * parts.size();
    for (std::size_t index : storageOrder) {
        offset += gap;
        parts[index].entry.imageOffset = static_cast<std::uint32_t>(offset);
        if (parts[index].fixByteCount)
            parts[index].entry.bytesInImage = static_cast<std::uint32_t>(parts[index].block.size());
        offset += parts[index].block.size();
    }
    ByteWriter out;
    out.u16le(0);
    out.u16le(type);
    out.u16le(static_cast<std::uint16_t>(parts.size()));
    for (const IcoPart& part : parts)
        part.entry.write(out);
    for (std::size_t index : storageOrder) {
        for (std::size_t i = 0; i < gap; ++i)
            out.u8(0xCC);
        out.bytes(parts[index].block);
    }
    return out.take();
}

} // namespace tessaly::test
