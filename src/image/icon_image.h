#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "image/color_value.h"

namespace tessaly {

// How an image is stored in an .ico file: as a bitmap (colour table, colour
// rows, mask rows) or as a PNG picture, which keeps large images small.
enum class ImageStorage : std::uint8_t { Bitmap, Png };

// One icon image, laid out exactly as inside an .ico file: a colour table of
// 4-byte entries (blue, green, red, 0) for 1, 4 and 8 bits, the colour rows
// and the AND-mask rows (a set bit is transparent), both bottom-up and padded
// to 4 bytes. Reading and writing an image is therefore three block
// transfers. Copies are always deep and always explicit (copyFrom), because
// a copy can fail for lack of memory.
class IconImage {
public:
    // Sizes beyond these are refused by create: no icon comes near them, and
    // they keep every stride and buffer size well inside 32 bits.
    static constexpr std::int32_t kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixelBytes = 256ll * 1024 * 1024;

    IconImage() = default;
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;
    IconImage(IconImage&&) noexcept;
    IconImage& operator=(IconImage&&) noexcept;
    ~IconImage() = default;

    // On success every pixel is 0, every pixel transparent and every palette
    // entry black, and the image is stored as a bitmap. False for a bit count other than 1, 4, 8, 24, 32, for a
    // negative or oversized side, or when memory runs out.
    bool create(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    // An exact copy, its storage included.
    bool copyFrom(const IconImage& other);
    void release();

    // Images read from PNG entries are written back as PNG entries; every
    // image made here, by create or by a conversion, is a bitmap. Changing
    // pixels in place keeps the storage.
    ImageStorage storage() const { return m_storage; }
    void setStorage(ImageStorage storage) { m_storage = storage; }
    // The PNG file the image was read from, or empty. While the pixels are
    // still what it decodes to, the writer stores it again as it was, 16-bit
    // samples, colour type and all; create and release drop it.
    std::span<const std::uint8_t> pngSource() const { return m_pngSource; }
    void setPngSource(std::vector<std::uint8_t> png) { m_pngSource = std::move(png); }

    bool hasPalette() const { return m_colorCount > 0; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    std::int32_t bitCount() const { return m_bitCount; }
    std::int32_t colorCount() const { return m_colorCount; }
    std::int32_t pixelStride() const { return m_pixelStride; }
    std::int32_t maskStride() const { return m_maskStride; }

    std::int32_t paletteBytes() const { return 4 * m_colorCount; }
    std::int32_t pixelBytes() const { return m_pixelStride * m_height; }
    std::int32_t maskBytes() const { return m_maskStride * m_height; }
    std::int32_t dataBytes() const { return paletteBytes() + pixelBytes() + maskBytes(); }

    std::span<std::uint8_t> paletteData() { return m_palette; }
    std::span<const std::uint8_t> paletteData() const { return m_palette; }
    std::span<std::uint8_t> pixelData() { return m_pixels; }
    std::span<const std::uint8_t> pixelData() const { return m_pixels; }
    std::span<std::uint8_t> maskData() { return m_mask; }
    std::span<const std::uint8_t> maskData() const { return m_mask; }

    // Accessors do not check their arguments: callers keep 0 <= x < width,
    // 0 <= y < height and 0 <= index < colorCount.
    ColorValue getPaletteColor(std::int32_t index) const;
    void setPaletteColor(std::int32_t index, ColorValue color);

    // The palette index for 1, 4 and 8 bits; the colour (alpha 0) for 24 bits;
    // the colour with its alpha for 32 bits.
    std::uint32_t getPixel(std::int32_t y, std::int32_t x) const;
    void setPixel(std::int32_t y, std::int32_t x, std::uint32_t value);
    bool getMask(std::int32_t y, std::int32_t x) const;
    void setMask(std::int32_t y, std::int32_t x, bool transparent);

    void setStandardPalette();
    // 8 bits only: entries 0-215 become the 6x6x6 cube, the rest stay.
    void setWebSafePalette();

    // Colour table, colour rows and mask rows, each complete or a failure.
    bool readData(ByteReader& in);
    void writeData(ByteWriter& out) const;
    // A resource block: a 40-byte bitmap header (not inspected) followed by
    // the three blocks. False when the block is shorter than that.
    bool loadFromResource(std::span<const std::uint8_t> block);

    // A number that names this content: it changes whenever the image is
    // made anew (create, copyFrom, release) or marked changed, and no two
    // images share one unless one was moved from the other. Views keep what
    // they derive from an image (a thumbnail) under it. Writing pixels
    // through the accessors does not change it: whoever changes an image
    // that others show calls markChanged.
    std::uint64_t revision() const { return m_revision; }
    void markChanged() { m_revision = nextRevision(); }

private:
    static std::uint64_t nextRevision();

    std::uint8_t* pixelRow(std::int32_t y) { return m_pixels.data() + static_cast<std::size_t>(m_height - 1 - y) * m_pixelStride; }
    const std::uint8_t* pixelRow(std::int32_t y) const
    {
        return m_pixels.data() + static_cast<std::size_t>(m_height - 1 - y) * m_pixelStride;
    }
    std::size_t maskOffset(std::int32_t y, std::int32_t x) const
    {
        return static_cast<std::size_t>(m_height - 1 - y) * m_maskStride + static_cast<std::size_t>(x / 8);
    }

    std::vector<std::uint8_t> m_palette;
    std::vector<std::uint8_t> m_pixels;
    std::vector<std::uint8_t> m_mask;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_bitCount = 0;
    std::int32_t m_colorCount = 0;
    std::int32_t m_pixelStride = 0;
    std::int32_t m_maskStride = 0;
    ImageStorage m_storage = ImageStorage::Bitmap;
    std::uint64_t m_revision = nextRevision();
    std::vector<std::uint8_t> m_pngSource;
};

} // namespace tessaly
