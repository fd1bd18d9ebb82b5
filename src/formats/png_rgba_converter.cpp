#include "formats/png_rgba_converter.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

std::uint32_t u16be(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) << 8 | at[1];
}

} // namespace

PngRgbaConverter::PngRgbaConverter(const PngHeader& header, std::span<const std::uint8_t> palette,
                                   std::span<const std::uint8_t> transparency)
    : m_header(header)
{
    for (auto& entry : m_palette)
        entry = {0, 0, 0, 255};
    const std::size_t entries = std::min<std::size_t>(palette.size() / 3, m_palette.size());
    for (std::size_t i = 0; i < entries; ++i)
        std::memcpy(m_palette[i].data(), &palette[3 * i], 3);
    switch (header.colorType) {
    case PngHeader::Palette:
        for (std::size_t i = 0; i < std::min(transparency.size(), entries); ++i)
            m_palette[i][3] = transparency[i];
        break;
    case PngHeader::Grey:
        m_hasKey = transparency.size() >= 2;
        if (m_hasKey)
            m_key[0] = u16be(transparency.data());
        break;
    case PngHeader::Truecolor:
        m_hasKey = transparency.size() >= 6;
        for (std::size_t i = 0; m_hasKey && i < 3; ++i)
            m_key[i] = u16be(transparency.data() + 2 * i);
        break;
    default:
        break; // colour types with alpha have no tRNS
    }
}

std::uint32_t PngRgbaConverter::sample(const std::uint8_t* scanline, std::size_t index) const
{
    switch (m_header.bitDepth) {
    case 16:
        return u16be(scanline + 2 * index);
    case 8:
        return scanline[index];
    default: {
        const std::size_t bit = index * m_header.bitDepth;
        const unsigned shift = 8 - m_header.bitDepth - static_cast<unsigned>(bit % 8);
        return (scanline[bit / 8] >> shift) & ((1u << m_header.bitDepth) - 1);
    }
    }
}

std::uint8_t PngRgbaConverter::to8Bits(std::uint32_t value) const
{
    switch (m_header.bitDepth) {
    case 1:
        return static_cast<std::uint8_t>(value * 255);
    case 2:
        return static_cast<std::uint8_t>(value * 85);
    case 4:
        return static_cast<std::uint8_t>(value * 17);
    // 257 * k maps to k exactly, and every value to the k below it, as other
    // readers of 16-bit files do.
    case 16:
        return static_cast<std::uint8_t>(value / 257);
    default:
        return static_cast<std::uint8_t>(value);
    }
}

void PngRgbaConverter::convertPalette(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const
{
    for (std::size_t x = 0; x < pixels; ++x)
        std::memcpy(rgba + 4 * x, m_palette[sample(scanline, x)].data(), 4);
}

// The common 8-bit kinds without a transparent value, sample by sample.
bool PngRgbaConverter::convert8Bits(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const
{
    switch (m_header.colorType) {
    case PngHeader::TruecolorAlpha:
        std::memcpy(rgba, scanline, 4 * pixels);
        return true;
    case PngHeader::Truecolor:
        if (m_hasKey)
            return false;
        for (std::size_t x = 0; x < pixels; ++x, scanline += 3, rgba += 4) {
            rgba[0] = scanline[0];
            rgba[1] = scanline[1];
            rgba[2] = scanline[2];
            rgba[3] = 255;
        }
        return true;
    case PngHeader::Palette:
        for (std::size_t x = 0; x < pixels; ++x)
            std::memcpy(rgba + 4 * x, m_palette[scanline[x]].data(), 4);
        return true;
    default:
        return false;
    }
}

void PngRgbaConverter::convert(const std::uint8_t* scanline, std::size_t pixels, std::uint8_t* rgba) const
{
    if (m_header.colorType == PngHeader::Palette) {
        convertPalette(scanline, pixels, rgba);
        return;
    }
    if (m_header.bitDepth == 8 && convert8Bits(scanline, pixels, rgba))
        return;
    const unsigned channels = m_header.channels();
    for (std::size_t x = 0; x < pixels; ++x) {
        std::uint8_t* out = rgba + 4 * x;
        const std::size_t first = x * channels;
        if (channels <= 2) { // grey, grey with alpha
            const std::uint32_t grey = sample(scanline, first);
            out[0] = out[1] = out[2] = to8Bits(grey);
            out[3] = channels == 2 ? to8Bits(sample(scanline, first + 1)) : (m_hasKey && grey == m_key[0] ? 0 : 255);
            continue;
        }
        const std::uint32_t red = sample(scanline, first);
        const std::uint32_t green = sample(scanline, first + 1);
        const std::uint32_t blue = sample(scanline, first + 2);
        out[0] = to8Bits(red);
        out[1] = to8Bits(green);
        out[2] = to8Bits(blue);
        if (channels == 4)
            out[3] = to8Bits(sample(scanline, first + 3));
        else
            out[3] = m_hasKey && red == m_key[0] && green == m_key[1] && blue == m_key[2] ? 0 : 255;
    }
}

} // namespace tessaly
