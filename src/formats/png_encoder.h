#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/png_header.h"

namespace tessaly {

// A picture to encode: its kind and size (width, height, bit depth and
// colour type of the header; the methods are always written as 0, so no
// interlacing) and its samples.
struct PngPicture {
    PngHeader header;
    // height rows, top row first, each rowBytes(width) - 1 bytes of packed
    // samples as PNG stores them (16-bit samples big-endian), without filter bytes.
    std::span<const std::uint8_t> rows;
    // RGB triples: 1 to 2^depth entries for palette pictures, none for the
    // rest. Every sample of a palette picture must name one of them.
    std::span<const std::uint8_t> palette;
    // The tRNS chunk's data as PNG defines it, or none: alphas of the first
    // palette entries, or the one transparent grey (2 bytes) or colour (6 bytes).
    std::span<const std::uint8_t> transparency;
};

// The rule a picture to encode broke, for logs and tests.
enum class PngEncodeProblem {
    None,
    ImpossibleSize,   // a side of 0 or over kMaxSide, or more than kMaxRawBytes of scanlines
    UnsupportedKind,  // a colour type and bit depth PNG does not define, or a method other than 0
    RowsMismatch,     // rows is not exactly height rows of the scanline size
    BadPalette,       // a palette picture without 1 to 2^depth entries, or a palette for another kind
    IndexPastPalette, // a palette picture's sample names an entry the palette does not have
    BadTransparency,  // tRNS data that does not fit the colour type (or palette)
    OutOfMemory,
    CompressionFailed, // zlib refused
};

// Writes PNG files: every colour type and bit depth, scanlines filtered per
// row by the minimum-sum rule (none for palettes and samples below 8 bits),
// deflated by zlib at the chosen level (0 stores, 9 is smallest). The
// .ico writer stores its PNG entries with it, and the clipboard's "PNG"
// format comes from it.
class PngEncoder {
public:
    // zlib's smallest output. Icons are written once and shipped many times:
    // a 256-pixel image takes tens of milliseconds more than at zlib's own
    // default of 6, and comes out a twentieth smaller on the 256-pixel icons
    // of Wine's programs and a quarter smaller on smooth gradients. The
    // levels between save no time for their size: zlib's tuning knobs
    // trade the two along the same line.
    static constexpr int kDefaultLevel = 9;
    // For pictures that are handed on at once (the clipboard): zlib's
    // fastest level, which with the filters still compresses well.
    static constexpr int kFastLevel = 1;
    static constexpr std::uint32_t kMaxSide = 65536;
    // The filtered scanlines are deflated in one piece of memory; zlib counts
    // such a piece in 32 bits on every platform.
    static constexpr std::uint64_t kMaxRawBytes = 1ull << 30;

    // level: 0 to 9, clamped.
    explicit PngEncoder(int level = kDefaultLevel);

    // The whole file, or empty when the picture is refused (see problem()).
    std::vector<std::uint8_t> encode(const PngPicture& picture);
    PngEncodeProblem problem() const { return m_problem; }

    // rgba: height rows of width pixels, top row first, 4 bytes each (red,
    // green, blue, alpha), written as 8-bit colour type 6. Empty when the
    // sizes are not positive or rgba is not exactly that long.
    static std::vector<std::uint8_t> encodeRgba(std::uint32_t width, std::uint32_t height,
                                                std::span<const std::uint8_t> rgba, int level = kDefaultLevel);

private:
    bool check(const PngPicture& picture);
    bool checkPalette(const PngPicture& picture);
    bool checkIndices(const PngPicture& picture);
    bool checkTransparency(const PngPicture& picture);
    bool deflateRows(const PngPicture& picture, std::vector<std::uint8_t>& stream);
    bool fail(PngEncodeProblem problem);

    int m_level;
    PngEncodeProblem m_problem = PngEncodeProblem::None;
};

} // namespace tessaly
