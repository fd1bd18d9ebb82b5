#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/png_header.h"

namespace tessaly {

// Turns unfiltered scanlines of every PNG kind into 8-bit red, green, blue,
// alpha: low depths are scaled to the full range, 16-bit samples rounded to
// 8 bits, palette indices looked up (indices past the palette give opaque
// black), and the tRNS chunk applied: per palette entry, or as the one grey
// or colour value that is fully transparent.
class PngRgbaConverter {
public:
    // palette: PLTE's RGB triples; transparency: the tRNS chunk's data.
    PngRgbaConverter(const PngHeader& header, std::span<const std::uint8_t> palette,
                     std::span<const std::uint8_t> transparency);

    // scanline: the bytes after the filter byte; rgba: 4 * pixels bytes.
    void convert(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const;

private:
    std::uint32_t sample(const std::uint8_t* scanline, std::size_t index) const;
    std::uint8_t to8Bits(std::uint32_t value) const;
    bool convert8Bits(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const;
    void convertPalette(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const;

    PngHeader m_header;
    std::array<std::array<std::uint8_t, 4>, 256> m_palette{};
    bool m_hasKey = false;                // a transparent grey or colour value
    std::array<std::uint32_t, 3> m_key{}; // grey in [0], or red, green, blue
};

} // namespace tessaly
