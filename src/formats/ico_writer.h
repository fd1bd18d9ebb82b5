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
    NoImages,      // an empty list makes no file
    TooManyImages, // more than the 65535 a directory can count
    EmptyImage,    // a side of 0 cannot be stored so that it reads back
    TooLarge,      // offsets would pass the 4 GiB the directory can address
    OutOfMemory,
    FileNotWritten, // the target could not be replaced; the old file is as it was
};

// Writes icon images as an .ico file: the 6-byte header, one 16-byte
// directory entry per image, then per image a 40-byte bitmap header and its
// colour table, colour rows and mask rows, stored back to back in list order.
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
    bool checkImages(std::span<const IconImage* const> images, std::uint64_t& fileBytes);
    void writeHeader(ByteWriter& out, std::size_t count) const;
    void writeDirectory(ByteWriter& out, std::span<const IconImage* const> images) const;
    void writeImage(ByteWriter& out, const IconImage& image) const;
    bool fail(IcoWriteProblem problem);

    IcoWriteProblem m_problem = IcoWriteProblem::None;
};

} // namespace tessaly
