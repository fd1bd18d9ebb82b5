#include "editing/clipboard_dib.h"

#include "formats/bitmap_info_header.h"
#include "formats/packed_dib.h"
#include "formats/png_encoder.h"
#include "image/byte_writer.h"
#include "image/color_value.h"

namespace tessaly {

std::vector<std::uint8_t> ClipboardDib::fromGrid(const CellGrid& grid)
{
    if (grid.isEmpty())
        return {};
    const auto pixelBytes = 4u * static_cast<std::uint32_t>(grid.rows()) * static_cast<std::uint32_t>(grid.columns());
    BitmapInfoHeader header;
    header.width = grid.columns();
    header.height = grid.rows(); // positive: bottom-up
    header.bitCount = 32;
    header.imageSize = pixelBytes;
    ByteWriter out;
    out.reserve(BitmapInfoHeader::kBytes + pixelBytes);
    header.write(out);
    for (std::int32_t r = grid.rows() - 1; r >= 0; --r) {
        for (const Cell& cell : grid.row(r)) {
            out.u8(blueOf(cell.value));
            out.u8(greenOf(cell.value));
            out.u8(redOf(cell.value));
            out.u8(0);
        }
    }
    return out.take();
}

std::vector<std::uint8_t> ClipboardDib::pngFromGrid(const CellGrid& grid)
{
    if (grid.isEmpty())
        return {};
    std::vector<std::uint8_t> rgba;
    rgba.reserve(4 * static_cast<std::size_t>(grid.rows()) * static_cast<std::size_t>(grid.columns()));
    for (std::int32_t r = 0; r < grid.rows(); ++r) {
        for (const Cell& cell : grid.row(r)) {
            rgba.push_back(redOf(cell.value));
            rgba.push_back(greenOf(cell.value));
            rgba.push_back(blueOf(cell.value));
            rgba.push_back(alphaOf(cell.value));
        }
    }
    // The clipboard wants the picture now; its size hardly matters.
    return PngEncoder::encodeRgba(static_cast<std::uint32_t>(grid.columns()), static_cast<std::uint32_t>(grid.rows()),
                                  rgba, PngEncoder::kFastLevel);
}

bool ClipboardDib::toGrid(std::span<const std::uint8_t> block, CellGrid& grid)
{
    grid.release();
    const std::optional<PackedDib> dib = PackedDib::parseBlock(block);
    if (!dib || !grid.setSize(dib->height(), dib->width()))
        return false;
    for (std::int32_t y = 0; y < dib->height(); ++y) {
        const std::span<Cell> cells = grid.row(y);
        for (std::int32_t x = 0; x < dib->width(); ++x)
            cells[static_cast<std::size_t>(x)] = Cell{dib->colorAt(x, y) | 0xFF000000u, 0};
    }
    return true;
}

} // namespace tessaly
