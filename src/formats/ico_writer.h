#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "image/byte_writer.h"
#include "image/icon_image.h"

namespace tessaly {

class IconCollection;

// Why a write failed, for logs and tests; callers see only a boolean.
enum class IcoWriteProblem {
    None,
    NoImages,       // an empty list makes no file
    TooManyImages,  // more than the 65535 a directory can count
    EmptyImage,     // a side of 0 cannot be stored so that it reads back
    TooLarge,       // offsets would pass the 4 GiB the directory can address
    OutOfMemory,    // also for a PNG entry that could not be made
    FileNotWritten, // the target could not be replaced; the old file is as it was
};

// Writes icon images as an .ico file: the 6-byte header, one 16-byte
// directory entry per image, then the images back to back in list order.
// Each image is stored as its storage() says: a bitmap is a 40-byte bitmap
// header with the colour table, colour rows and mask rows; a PNG entry is a
// PNG file of the image's 8-bit RGBA (see PngEntry), listed with 32 bits.
class IcoWriter {
public:
    // The whole file in memory.
    bool encode(std::span<const IconImage* const> images, std::vector<std::uint8_t>& file);
    bool encode(const IconCollection& collection, std::vector<std::uint8_t>& file);
    // Encodes first, then replaces the target through a temporary file beside
    // it, so that a failure at any point leaves an existing file untouched.
    bool writeFile(const std::filesystem::path& path, const IconCollection& collection);

    IcoWriteProblem problem() const { return m_problem; }

private:
    // An image's block: its PNG file, or empty for a bitmap, which is
    // written straight from the image.
    using PngBlocks = std::vector<std::vector<std::uint8_t>>;

    bool checkImages(std::span<const IconImage* const> images);
    bool encodePngBlocks(std::span<const IconImage* const> images, PngBlocks& pngs);
    void writeHeader(ByteWriter& out, std::size_t count) const;
    void writeDirectory(ByteWriter& out, std::span<const IconImage* const> images, const PngBlocks& pngs) const;
    void writeBitmap(ByteWriter& out, const IconImage& image) const;
    bool fail(IcoWriteProblem problem);

    IcoWriteProblem m_problem = IcoWriteProblem::None;
};

} // namespace tessaly
