#include "app/preview_renderer.h"

#include <algorithm>

#include "app/thumbnail_pixels.h"
#include "image/selected_tint.h"

namespace tessaly {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

// 0x00BBGGRR to the bitmap's 0x00RRGGBB.
std::uint32_t toPixel(ColorValue colour)
{
    return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

// Channel sums of a block; 64 bits, because a divisor may be as large as an
// image side and its square times 255 exceeds 32 bits.
struct ChannelSums {
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    std::uint64_t alpha = 0;

    void add(std::uint32_t value)
    {
        red += redOf(value);
        green += greenOf(value);
        blue += blueOf(value);
        alpha += alphaOf(value);
    }
    ColorValue average(std::uint64_t count) const
    {
        return makeColor(static_cast<std::uint8_t>(red / count), static_cast<std::uint8_t>(green / count),
                         static_cast<std::uint8_t>(blue / count), static_cast<std::uint8_t>(alpha / count));
    }
};

// Visits the zoom x zoom cells whose top-left one is (top, left).
template <typename Visit>
void forEachInBlock(const EditImage& image, std::int32_t top, std::int32_t left, std::int32_t zoom, Visit visit)
{
    for (std::int32_t row = top; row < top + zoom; ++row) {
        const auto cells =
            image.cells().row(row).subspan(static_cast<std::size_t>(left), static_cast<std::size_t>(zoom));
        for (const Cell& cell : cells)
            visit(cell);
    }
}

std::uint64_t blockPixels(std::int32_t zoom)
{
    return static_cast<std::uint64_t>(zoom) * static_cast<std::uint64_t>(zoom);
}

} // namespace

bool PreviewRenderer::render(const EditImage& image, std::span<const ColorValue> palette, const PreviewLook& look,
                             std::int32_t zoom, bool magnify, const PixelRect& range, const CanvasPixels& out)
{
    if (zoom <= 0 || range.isEmpty() || !image.hasImage())
        return false;
    // A layout that no longer fits the image must not read past its cells.
    const PixelRect limit =
        magnify ? image.bounds() : PixelRect{0, 0, image.height() / zoom - 1, image.width() / zoom - 1};
    if (range.intersected(limit) != range)
        return false;
    prepare(image, palette, look);
    if (magnify)
        renderMagnified(image, zoom, range, out);
    else
        renderReduced(image, zoom, range, out);
    return true;
}

void PreviewRenderer::prepare(const EditImage& image, std::span<const ColorValue> palette, const PreviewLook& look)
{
    m_look = look;
    m_look.background &= kColourBits;
    m_look.highlight &= kColourBits;
    m_bitCount = image.bitCount();
    if (m_bitCount > 8)
        return;
    m_colours.fill(0);
    std::copy_n(palette.begin(), std::min(palette.size(), m_colours.size()), m_colours.begin());
}

void PreviewRenderer::renderMagnified(const EditImage& image, std::int32_t zoom, const PixelRect& range,
                                      const CanvasPixels& out)
{
    const auto width = static_cast<std::size_t>(range.columns()) * static_cast<std::size_t>(zoom);
    m_row.resize(width);
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        const auto cells = image.cells().row(row);
        auto pixel = m_row.begin();
        for (std::int32_t column = range.left; column <= range.right; ++column)
            pixel = std::fill_n(pixel, zoom, toPixel(pixelColour(cells[static_cast<std::size_t>(column)])));
        const std::int32_t y = (row - range.top) * zoom;
        for (std::int32_t dy = 0; dy < zoom; ++dy)
            std::copy(m_row.begin(), m_row.end(), out.row(y + dy));
    }
}

void PreviewRenderer::renderReduced(const EditImage& image, std::int32_t zoom, const PixelRect& range,
                                    const CanvasPixels& out)
{
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        std::uint32_t* pixel = out.row(row - range.top);
        for (std::int32_t column = range.left; column <= range.right; ++column)
            *pixel++ = toPixel(blockColour(image, row * zoom, column * zoom, zoom));
    }
}

ColorValue PreviewRenderer::colourOf(std::uint32_t value) const
{
    if (m_bitCount <= 8)
        return value < m_colours.size() ? m_colours[value] & kColourBits : 0u;
    return value & kColourBits;
}

// One pixel shows as it does in the icon lists' thumbnails.
ColorValue PreviewRenderer::pixelColour(const Cell& cell) const
{
    const ColorValue colour = m_bitCount == 32 ? cell.value : colourOf(cell.value);
    return thumbnailPixel(colour, cell.mask != 0, m_bitCount, m_look.background, m_look.selected, m_look.highlight);
}

ColorValue PreviewRenderer::blockColour(const EditImage& image, std::int32_t top, std::int32_t left,
                                        std::int32_t zoom) const
{
    if (m_bitCount == 32)
        return blockColour32(image, top, left, zoom);
    if (m_look.selected)
        return selectedBlockColour(image, top, left, zoom);
    // The average of what each pixel would show on its own.
    ChannelSums sums;
    forEachInBlock(image, top, left, zoom, [&](const Cell& cell) { sums.add(pixelColour(cell)); });
    return sums.average(blockPixels(zoom)) & kColourBits;
}

// The block's average colour and alpha, shown as one pixel of that alpha.
ColorValue PreviewRenderer::blockColour32(const EditImage& image, std::int32_t top, std::int32_t left,
                                          std::int32_t zoom) const
{
    ChannelSums sums;
    forEachInBlock(image, top, left, zoom, [&](const Cell& cell) { sums.add(cell.value); });
    const ColorValue average = sums.average(blockPixels(zoom));
    return showPixel32(average & kColourBits, alphaOf(average), m_look.background, m_look.selected, m_look.highlight);
}

// Selected, a block shows the background unless most of it is opaque; then
// the opaque pixels' average, tinted.
ColorValue PreviewRenderer::selectedBlockColour(const EditImage& image, std::int32_t top, std::int32_t left,
                                                std::int32_t zoom) const
{
    ChannelSums sums;
    std::uint64_t opaque = 0;
    forEachInBlock(image, top, left, zoom, [&](const Cell& cell) {
        if (cell.mask)
            return;
        sums.add(colourOf(cell.value));
        ++opaque;
    });
    if (opaque <= blockPixels(zoom) / 2)
        return m_look.background;
    // The average of the opaque pixels is tinted as one opaque pixel is.
    return thumbnailPixel(sums.average(opaque), false, m_bitCount, m_look.background, true, m_look.highlight);
}

} // namespace tessaly
