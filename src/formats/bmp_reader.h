#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "formats/packed_dib.h"
#include "image/icon_file_formats.h"

namespace tessaly {

// The rule a .bmp file broke, for logs and tests.
enum class BmpReadProblem {
    None,
    FileUnreadable,     // missing, unreadable or over the input cap
    NotABitmapFile,     // shorter than the 14-byte file header, or no "BM" at its start
    PixelOffsetOutside, // the pixel bits would start inside the file header or past the end of the file
    BadBitmap,          // the bitmap itself was refused: see dibProblem()
};

// Reads a .bmp file as one opaque icon image of its own bit count (1, 4, 8,
// 24 or 32 bits; 16-bit files are refused). The 14-byte file header gives
// where the pixel bits start; what lies between it and them is the bitmap
// header with its masks and colour table. A file whose pixel bits are
// shorter than the header's size and bit count need is refused rather than
// filled up with black.
class BmpReader {
public:
    // Empties images; on success they hold the one image.
    bool readFile(const std::filesystem::path& path, IconImageList& images);
    bool read(std::span<const std::uint8_t> file, IconImageList& images);

    BmpReadProblem problem() const { return m_problem; }
    DibProblem dibProblem() const { return m_dibProblem; }

private:
    bool fail(BmpReadProblem problem);

    BmpReadProblem m_problem = BmpReadProblem::None;
    DibProblem m_dibProblem = DibProblem::None;
};

} // namespace tessaly
