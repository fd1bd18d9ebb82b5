#include "formats/from_dib_section_win32.h"

#include <cstdlib>
#include <vector>

#include "formats/bitmap_info_header.h"
#include "formats/packed_dib.h"
#include "image/byte_writer.h"

namespace tessaly {

namespace {

constexpr std::uint64_t kMaxTableEntries = 256;

// The section's own description as the header, masks and colour table of a
// bitmap, so that the one conversion of outside bitmaps serves both.
std::vector<std::uint8_t> infoOf(const DibSection& section)
{
    const BITMAPINFOHEADER& described = section.description().dsBmih;
    BitmapInfoHeader header;
    header.width = section.width();
    header.height = section.height();
    header.bitCount = static_cast<std::uint16_t>(section.bitsPerPixel());
    header.compression = described.biCompression;
    std::vector<RGBQUAD> table;
    if (section.bitsPerPixel() <= 8) {
        table.resize(static_cast<std::size_t>(std::min(section.colorCount(), kMaxTableEntries)));
        table.resize(section.getColorTable(table.data(), 0, static_cast<UINT>(table.size())));
        // The header counts the entries that follow it.
        header.colorsUsed = static_cast<std::uint32_t>(table.size());
    }
    ByteWriter out;
    header.write(out);
    if (described.biCompression == BI_BITFIELDS) {
        for (const DWORD mask : section.description().dsBitfields)
            out.u32le(mask);
    }
    for (const RGBQUAD& entry : table) {
        out.u8(entry.rgbBlue);
        out.u8(entry.rgbGreen);
        out.u8(entry.rgbRed);
        out.u8(0);
    }
    return out.take();
}

} // namespace

std::unique_ptr<IconImage> fromDibSection(const DibSection& section)
{
    if (section.empty() || !section.bits() || section.bytesPerRow() <= 0)
        return nullptr;
    const std::vector<std::uint8_t> info = infoOf(section);
    const auto pixelBytes =
        static_cast<std::size_t>(section.bytesPerRow()) * static_cast<std::size_t>(std::abs(section.height()));
    const std::optional<PackedDib> dib = PackedDib::parse(info, {section.bits(), pixelBytes});
    return dib ? dib->toIconImage() : nullptr;
}

} // namespace tessaly
