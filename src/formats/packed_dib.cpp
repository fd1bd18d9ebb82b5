#include "formats/packed_dib.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "formats/bitmap_info_header.h"
#include "image/byte_reader.h"

namespace tessaly {

namespace {

// From this size on a header holds the bit masks itself.
constexpr std::uint32_t kHeaderWithMasksBytes = 52;
constexpr std::uint32_t kMaskBytes = 12;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint64_t kTableEntryBytes = 4;
constexpr std::uint32_t kMaxTableEntries = 256;

bool knownBitCount(std::uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

DibProblem failWith(DibProblem* problem, DibProblem what)
{
    if (problem)
        *problem = what;
    return what;
}

} // namespace

// The header's fields, and where its colour table lies.
struct PackedDib::Header : BitmapInfoHeader {
    // Bytes from the start of the header to the colour table, and the table's stored entries.
    std::uint64_t tableOffset = 0;
    std::uint64_t storedEntries = 0;

    std::uint64_t infoBytes() const { return tableOffset + storedEntries * kTableEntryBytes; }

    DibProblem read(std::span<const std::uint8_t> info)
    {
        ByteReader in(info);
        static_cast<BitmapInfoHeader&>(*this) = BitmapInfoHeader::read(in);
        if (!in.ok())
            return DibProblem::HeaderTruncated;
        if (size < kBytes)
            return DibProblem::HeaderTooSmall;
        if (planes != 1)
            return DibProblem::UnsupportedPlanes;
        if (!knownBitCount(bitCount))
            return DibProblem::UnsupportedBitCount;
        const bool bitFields = compression == kBitFields;
        if (compression != kUncompressed && !(bitFields && (bitCount == 16 || bitCount == 32)))
            return DibProblem::UnsupportedCompression;
        // INT32_MIN has no positive counterpart; no side may pass the limit.
        if (width <= 0 || height == 0 || height < -kMaxSide || height > kMaxSide || width > kMaxSide)
            return DibProblem::ImpossibleSize;
        tableOffset = std::uint64_t{size} + (bitFields && size < kHeaderWithMasksBytes ? kMaskBytes : 0);
        storedEntries = colorsUsed != 0 ? colorsUsed : (bitCount <= 8 ? 1u << bitCount : 0u);
        if (infoBytes() > info.size())
            return size > info.size() || tableOffset > info.size() ? DibProblem::HeaderTruncated
                                                                   : DibProblem::ColorTableTruncated;
        return DibProblem::None;
    }
};

std::optional<PackedDib> PackedDib::parse(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                                          DibProblem* problem)
{
    Header header;
    if (const DibProblem found = header.read(info); found != DibProblem::None) {
        failWith(problem, found);
        return std::nullopt;
    }
    return build(header, info, pixels, problem);
}

std::optional<PackedDib> PackedDib::parseBlock(std::span<const std::uint8_t> block, DibProblem* problem)
{
    Header header;
    if (const DibProblem found = header.read(block); found != DibProblem::None) {
        failWith(problem, found);
        return std::nullopt;
    }
    const auto infoBytes = static_cast<std::size_t>(header.infoBytes());
    return build(header, block.first(infoBytes), block.subspan(infoBytes), problem);
}

std::optional<PackedDib> PackedDib::build(const Header& header, std::span<const std::uint8_t> info,
                                          std::span<const std::uint8_t> pixels, DibProblem* problem)
{
    PackedDib dib;
    dib.m_width = header.width;
    dib.m_height = header.height < 0 ? -header.height : header.height;
    dib.m_topDown = header.height < 0;
    dib.m_bitCount = header.bitCount;
    // Both sides are at most kMaxSide, so this is at most 2 GiB: no wrap.
    dib.m_stride = (static_cast<std::size_t>(dib.m_width) * header.bitCount + 31) / 32 * 4;
    if (pixels.size() / dib.m_stride < static_cast<std::size_t>(dib.m_height)) {
        failWith(problem, DibProblem::PixelsTruncated);
        return std::nullopt;
    }
    dib.m_pixels = pixels.first(dib.m_stride * static_cast<std::size_t>(dib.m_height));

    ByteReader in(info);
    in.seek(static_cast<std::size_t>(header.tableOffset));
    const std::uint64_t kept =
        header.bitCount <= 8 ? std::min<std::uint64_t>(header.storedEntries, 1u << header.bitCount) : 0;
    dib.m_colorTable.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(kept, kMaxTableEntries)));
    for (std::uint64_t i = 0; i < kept; ++i) {
        const std::uint8_t blue = in.u8();
        const std::uint8_t green = in.u8();
        const std::uint8_t red = in.u8();
        in.u8();
        dib.m_colorTable.push_back(makeColor(red, green, blue));
    }

    if (header.compression == kBitFields) {
        ByteReader masks(info);
        masks.seek(BitmapInfoHeader::kBytes);
        for (std::uint32_t& mask : dib.m_masks)
            mask = masks.u32le();
    } else if (header.bitCount == 16) {
        dib.m_masks = {0x7C00, 0x03E0, 0x001F};
    } else {
        dib.m_masks = {0xFF0000, 0xFF00, 0xFF};
    }
    return dib;
}

std::span<const std::uint8_t> PackedDib::row(std::int32_t y) const
{
    const auto stored = static_cast<std::size_t>(m_topDown ? y : m_height - 1 - y);
    return m_pixels.subspan(stored * m_stride, m_stride);
}

std::uint32_t PackedDib::fieldOf(std::uint32_t pixel, int channel) const
{
    const std::uint32_t mask = m_masks[static_cast<std::size_t>(channel)];
    if (mask == 0)
        return 0;
    const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    const int bits = std::popcount(mask >> std::countr_zero(mask));
    if (bits >= 8)
        return (value >> (bits - 8)) & 0xFF;
    // Short fields are stretched so that their largest value becomes 255.
    return value * 255 / ((1u << bits) - 1);
}

ColorValue PackedDib::colorAt(std::int32_t x, std::int32_t y) const
{
    const std::span<const std::uint8_t> bytes = row(y);
    const auto ux = static_cast<std::size_t>(x);
    if (m_bitCount <= 8) {
        const std::size_t bit = ux * static_cast<std::size_t>(m_bitCount);
        const unsigned shift = 8 - static_cast<unsigned>(m_bitCount) - static_cast<unsigned>(bit % 8);
        const std::uint32_t index = (bytes[bit / 8] >> shift) & ((1u << m_bitCount) - 1);
        return index < m_colorTable.size() ? m_colorTable[index] : makeColor(0, 0, 0);
    }
    if (m_bitCount == 24)
        return makeColor(bytes[3 * ux + 2], bytes[3 * ux + 1], bytes[3 * ux]);
    std::uint32_t pixel = 0;
    if (m_bitCount == 16)
        pixel = static_cast<std::uint32_t>(bytes[2 * ux] | bytes[2 * ux + 1] << 8);
    else
        pixel = static_cast<std::uint32_t>(bytes[4 * ux]) | static_cast<std::uint32_t>(bytes[4 * ux + 1]) << 8 |
                static_cast<std::uint32_t>(bytes[4 * ux + 2]) << 16 |
                static_cast<std::uint32_t>(bytes[4 * ux + 3]) << 24;
    return makeColor(static_cast<std::uint8_t>(fieldOf(pixel, 0)), static_cast<std::uint8_t>(fieldOf(pixel, 1)),
                     static_cast<std::uint8_t>(fieldOf(pixel, 2)));
}

void PackedDib::copyRows(IconImage& image) const
{
    // Same bit count, same padding to 4 bytes: each row is one block.
    const std::span<std::uint8_t> target = image.pixelData();
    const auto stride = static_cast<std::size_t>(image.pixelStride());
    for (std::int32_t y = 0; y < m_height; ++y) {
        const std::span<const std::uint8_t> source = row(y);
        std::memcpy(target.data() + static_cast<std::size_t>(m_height - 1 - y) * stride, source.data(), stride);
    }
    const auto entries = std::min<std::size_t>(m_colorTable.size(), static_cast<std::size_t>(image.colorCount()));
    for (std::size_t i = 0; i < entries; ++i)
        image.setPaletteColor(static_cast<std::int32_t>(i), m_colorTable[i]);
}

std::unique_ptr<IconImage> PackedDib::toIconImage(DibProblem* problem) const
{
    if (m_bitCount == 16) {
        failWith(problem, DibProblem::NotIconBitCount);
        return nullptr;
    }
    auto image = std::make_unique<IconImage>();
    if (!image->create(m_width, m_height, m_bitCount)) {
        failWith(problem, DibProblem::ImageNotCreated);
        return nullptr;
    }
    if (m_bitCount == 32) {
        for (std::int32_t y = 0; y < m_height; ++y)
            for (std::int32_t x = 0; x < m_width; ++x)
                image->setPixel(y, x, colorAt(x, y) | 0xFF000000u);
    } else {
        copyRows(*image);
    }
    std::fill(image->maskData().begin(), image->maskData().end(), std::uint8_t{0});
    return image;
}

} // namespace tessaly
