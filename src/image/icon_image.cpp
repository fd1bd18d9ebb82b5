#include "image/icon_image.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <utility>

#include "image/color_mode.h"
#include "image/standard_palette.h"

namespace tessaly {

namespace {

std::int32_t strideFor(std::int64_t bitsPerRow)
{
    return static_cast<std::int32_t>((bitsPerRow + 7) / 8 + 3) / 4 * 4;
}

} // namespace

IconImage::IconImage(IconImage&& other) noexcept { *this = std::move(other); }

IconImage& IconImage::operator=(IconImage&& other) noexcept
{
    if (this != &other) {
        m_palette = std::move(other.m_palette);
        m_pixels = std::move(other.m_pixels);
        m_mask = std::move(other.m_mask);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_bitCount = std::exchange(other.m_bitCount, 0);
        m_colorCount = std::exchange(other.m_colorCount, 0);
        m_pixelStride = std::exchange(other.m_pixelStride, 0);
        m_maskStride = std::exchange(other.m_maskStride, 0);
        m_storage = std::exchange(other.m_storage, ImageStorage::Bitmap);
        m_revision = other.m_revision;
        m_pngSource = std::move(other.m_pngSource);
        other.release();
    }
    return *this;
}

bool IconImage::create(std::int32_t width, std::int32_t height, std::int32_t bitCount)
{
    release();
    if (!colorModeForBitCount(bitCount))
        return false;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    const std::int32_t pixelStride = strideFor(static_cast<std::int64_t>(width) * bitCount);
    if (static_cast<std::int64_t>(pixelStride) * height > kMaxPixelBytes)
        return false;
    const std::int32_t colorCount = bitCount <= 8 ? 1 << bitCount : 0;
    const std::int32_t maskStride = strideFor(width);
    try {
        m_palette.assign(static_cast<std::size_t>(4 * colorCount), 0);
        m_pixels.assign(static_cast<std::size_t>(pixelStride) * static_cast<std::size_t>(height), 0);
        m_mask.assign(static_cast<std::size_t>(maskStride) * static_cast<std::size_t>(height), 0xFF);
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_colorCount = colorCount;
    m_pixelStride = pixelStride;
    m_maskStride = maskStride;
    return true;
}

bool IconImage::copyFrom(const IconImage& other)
{
    if (this == &other)
        return true;
    if (!create(other.m_width, other.m_height, other.m_bitCount))
        return false;
    std::copy(other.m_palette.begin(), other.m_palette.end(), m_palette.begin());
    std::copy(other.m_pixels.begin(), other.m_pixels.end(), m_pixels.begin());
    std::copy(other.m_mask.begin(), other.m_mask.end(), m_mask.begin());
    m_storage = other.m_storage;
    try {
        m_pngSource = other.m_pngSource;
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    return true;
}

void IconImage::release()
{
    // Swap with empty vectors so the memory is really returned.
    std::vector<std::uint8_t>().swap(m_palette);
    std::vector<std::uint8_t>().swap(m_pixels);
    std::vector<std::uint8_t>().swap(m_mask);
    std::vector<std::uint8_t>().swap(m_pngSource);
    m_width = m_height = m_bitCount = m_colorCount = m_pixelStride = m_maskStride = 0;
    m_storage = ImageStorage::Bitmap;
    markChanged();
}

std::uint64_t IconImage::nextRevision()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

ColorValue IconImage::getPaletteColor(std::int32_t index) const
{
    const std::uint8_t* entry = m_palette.data() + 4 * static_cast<std::size_t>(index);
    return makeColor(entry[2], entry[1], entry[0]);
}

void IconImage::setPaletteColor(std::int32_t index, ColorValue color)
{
    std::uint8_t* entry = m_palette.data() + 4 * static_cast<std::size_t>(index);
    entry[0] = blueOf(color);
    entry[1] = greenOf(color);
    entry[2] = redOf(color);
    entry[3] = 0;
}

std::uint32_t IconImage::getPixel(std::int32_t y, std::int32_t x) const
{
    const std::uint8_t* row = pixelRow(y);
    switch (m_bitCount) {
    case 1:
    case 4: {
        const std::int32_t bit = x * m_bitCount;
        const int shift = 8 - bit % 8 - m_bitCount;
        return (row[bit / 8] >> shift) & static_cast<std::uint32_t>(m_colorCount - 1);
    }
    case 8: return row[x];
    case 24: {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        return makeColor(p[2], p[1], p[0]);
    }
    case 32: {
        const std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        return makeColor(p[2], p[1], p[0], p[3]);
    }
    default: return 0;
    }
}

void IconImage::setPixel(std::int32_t y, std::int32_t x, std::uint32_t value)
{
    std::uint8_t* row = pixelRow(y);
    switch (m_bitCount) {
    case 1:
    case 4: {
        const std::int32_t bit = x * m_bitCount;
        const int shift = 8 - bit % 8 - m_bitCount;
        const auto fieldMask = static_cast<std::uint32_t>(m_colorCount - 1);
        std::uint8_t& byte = row[bit / 8];
        byte = static_cast<std::uint8_t>((byte & ~(fieldMask << shift)) | (value & fieldMask) << shift);
        break;
    }
    case 8: row[x] = static_cast<std::uint8_t>(value); break;
    case 24: {
        std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        p[0] = blueOf(value);
        p[1] = greenOf(value);
        p[2] = redOf(value);
        break;
    }
    case 32: {
        std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        p[0] = blueOf(value);
        p[1] = greenOf(value);
        p[2] = redOf(value);
        p[3] = alphaOf(value);
        break;
    }
    default: break;
    }
}

bool IconImage::getMask(std::int32_t y, std::int32_t x) const
{
    return (m_mask[maskOffset(y, x)] >> (7 - x % 8) & 1) != 0;
}

void IconImage::setMask(std::int32_t y, std::int32_t x, bool transparent)
{
    std::uint8_t& byte = m_mask[maskOffset(y, x)];
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
    byte = static_cast<std::uint8_t>(transparent ? byte | bit : byte & ~bit);
}

void IconImage::setStandardPalette()
{
    const std::span<const ColorValue> table = standardPalette(m_bitCount);
    for (std::size_t i = 0; i < table.size() && static_cast<std::int32_t>(i) < m_colorCount; ++i)
        setPaletteColor(static_cast<std::int32_t>(i), table[i]);
}

void IconImage::setWebSafePalette()
{
    if (m_bitCount != 8)
        return;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b)
                setPaletteColor(r * 36 + g * 6 + b, makeColor(webSafeLevel(r), webSafeLevel(g), webSafeLevel(b)));
        }
    }
}

bool IconImage::readData(ByteReader& in)
{
    return in.read(m_palette) && in.read(m_pixels) && in.read(m_mask);
}

void IconImage::writeData(ByteWriter& out) const
{
    out.bytes(m_palette);
    out.bytes(m_pixels);
    out.bytes(m_mask);
}

bool IconImage::loadFromResource(std::span<const std::uint8_t> block)
{
    constexpr std::size_t kInfoHeaderBytes = 40;
    ByteReader in(block);
    return in.skip(kInfoHeaderBytes) && readData(in);
}

} // namespace tessaly
