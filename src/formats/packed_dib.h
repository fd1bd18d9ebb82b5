#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "image/color_value.h"
#include "image/icon_image.h"

namespace tessaly {

// The rule a device-independent bitmap from outside broke.
enum class DibProblem {
    None,
    HeaderTruncated,        // fewer bytes than the header (40 or its own size) and its bit masks
    HeaderTooSmall,         // size field below 40
    ImpossibleSize,         // width or height 0, negative width, or a side over kMaxSide
    UnsupportedBitCount,    // anything but 1, 4, 8, 16, 24, 32
    UnsupportedCompression, // run-length, JPEG or PNG rows; bit masks on other than 16 or 32 bits
    UnsupportedPlanes,      // planes other than 1
    ColorTableTruncated,    // the colour table the header announces is not all there
    PixelsTruncated,        // fewer pixel bytes than width, height and bit count need
    NotIconBitCount,        // 16 bits: a bitmap, but no icon image can hold it
    ImageNotCreated,        // memory ran out
};

// A device-independent bitmap read from outside bytes (a .bmp file after its
// file header, or a block on the clipboard): its header, bit masks and colour
// table are validated against the bytes present before any pixel is touched,
// so that a hostile header can neither make us read past the input nor
// allocate more than the input justifies.
//
// Headers longer than 40 bytes (the later versions) are honoured by their
// size field; their extra fields are ignored except for the bit masks, which
// they hold in the same place a 40-byte header is followed by them.
class PackedDib {
public:
    static constexpr std::int32_t kMaxSide = IconImage::kMaxSide;

    // info: the header, the bit masks and the colour table, as in a .bmp file
    // between its file header and its pixel bits. pixels: the rows (longer is
    // allowed; shorter is refused).
    static std::optional<PackedDib> parse(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                                          DibProblem* problem = nullptr);
    // One block whose rows follow the colour table directly, as on the clipboard.
    static std::optional<PackedDib> parseBlock(std::span<const std::uint8_t> block, DibProblem* problem = nullptr);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool topDown() const { return m_topDown; }
    std::int32_t bitCount() const { return m_bitCount; }
    std::size_t stride() const { return m_stride; }

    // Row y counted from the top of the picture, whatever the row order.
    std::span<const std::uint8_t> row(std::int32_t y) const;
    // The colour at (x, y from the top) with alpha 0. Callers keep
    // 0 <= x < width and 0 <= y < height. An index beyond the colour table is black.
    ColorValue colorAt(std::int32_t x, std::int32_t y) const;

    // An opaque icon image of the same bit count: rows of 1, 4, 8 and 24 bits
    // as they are with the colour table, 32-bit pixels with alpha 255 (the
    // fourth byte of a bitmap is no alpha that can be relied on). 16 bits is
    // refused (NotIconBitCount): no icon mode holds it.
    std::unique_ptr<IconImage> toIconImage(DibProblem* problem = nullptr) const;

private:
    struct Header;
    static std::optional<PackedDib> build(const Header& header, std::span<const std::uint8_t> info,
                                          std::span<const std::uint8_t> pixels, DibProblem* problem);
    std::uint32_t fieldOf(std::uint32_t pixel, int channel) const;
    void copyRows(IconImage& image) const;

    std::span<const std::uint8_t> m_pixels;
    std::vector<ColorValue> m_colorTable;
    // Red, green and blue masks of 16- and 32-bit pixels.
    std::array<std::uint32_t, 3> m_masks{};
    std::size_t m_stride = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_bitCount = 0;
    bool m_topDown = false;
};

} // namespace tessaly
