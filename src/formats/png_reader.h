#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "formats/png_header.h"
#include "image/icon_image.h"

namespace tessaly {

// The rule a PNG file broke, for logs and tests; callers see only a boolean.
enum class PngReadProblem {
    None,
    FileUnreadable,       // missing, unreadable or over the input cap
    NotAPng,              // the 8-byte signature is wrong
    NoHeader,             // no IHDR chunk of 13 bytes
    ImpossibleSize,       // a side of 0 or beyond IconImage::kMaxSide
    UnsupportedKind,      // colour type and bit depth that PNG (or the import) does not allow
    UnknownMethod,        // compression, filter or interlace method not defined by PNG
    NoPalette,            // a palette image without PLTE (icon entries only)
    MoreDataThanPossible, // the image data could not inflate to the scanlines' size
    DataDamaged,          // inflating gave anything but exactly the scanlines' size
    UnknownFilterType,    // a scanline filter type above 4 (icon entries only)
    ImageNotCreated,      // the image was refused or memory ran out
};

// Reads PNG files with the program's own chunk parser, inflate decoder and
// unfiltering, in two ways:
// - read and fromPng: the import of a .png file. Only 8-bit truecolour and
//   palette images become icons (24 bits, or the palette's 1, 4 or 8 bits),
//   always opaque; the transparency, gamma and text chunks are ignored, as
//   is a scanline filter type above 4 (the row is kept as stored).
//   Interlaced files fail. Palette images of 2 bits are widened to 4-bit
//   indices sample by sample.
// - decodeToIconImage: the PNG-compressed entries of .ico files. Every PNG
//   kind (all colour types and depths, tRNS, Adam7) becomes a 32-bit image
//   with alpha, transparent in the mask exactly where alpha is 0. Damage the
//   import tolerates (an unknown filter type, a palette image without
//   palette) fails here.
// Both read chunks up to IEND or up to the last whole chunk of a file that
// ends without one, do not check CRCs or the zlib checksum, and check every
// size before allocating: a side of 0 or beyond IconImage::kMaxSide, and
// scanlines larger than the image data could inflate to, are refused first.
class PngReader {
public:
    // Deflate encodes at most 258 bytes in 2 bits: no zlib stream inflates
    // to more than this many times its own size.
    static constexpr std::uint64_t kMaxInflateRatio = 1032;

    // Parses, inflates and unfilters the file.
    bool read(const std::filesystem::path& path);
    bool read(std::span<const std::uint8_t> file);
    // The import's image from a successful read, or none for a kind it refuses.
    static std::unique_ptr<IconImage> fromPng(const PngReader& reader);

    // The 32-bit image of any PNG; false (image released) when the file is
    // damaged or too large for an icon image.
    bool decodeToIconImage(std::span<const std::uint8_t> file, IconImage& image);

    PngReadProblem problem() const { return m_problem; }
    const PngHeader& header() const { return m_header; }
    // Unfiltered scanlines, each still led by its filter type byte.
    std::span<const std::uint8_t> scanlines() const { return m_scanlines; }
    std::span<const std::uint8_t> palette() const { return m_palette; }

private:
    enum class Purpose { Import, IconEntry };

    bool parse(std::span<const std::uint8_t> file, Purpose purpose);
    void readChunks(std::span<const std::uint8_t> file);
    bool checkHeader(Purpose purpose);
    bool inflateScanlines(std::uint64_t size);
    bool unfilterPasses();
    bool storeRgba(IconImage& image) const;
    void releaseScanlines();
    bool fail(PngReadProblem problem);

    PngReadProblem m_problem = PngReadProblem::None;
    bool m_decoded = false; // the last read or decode succeeded
    bool m_hasHeader = false;
    PngHeader m_header;
    std::vector<std::uint8_t> m_palette;
    std::vector<std::uint8_t> m_transparency;
    std::vector<std::uint8_t> m_imageData; // the IDAT chunks, joined
    // Not zero-filled: inflating writes every byte or the read fails.
    std::unique_ptr<std::uint8_t[]> m_scanlineStorage;
    std::span<std::uint8_t> m_scanlines;
};

} // namespace tessaly
