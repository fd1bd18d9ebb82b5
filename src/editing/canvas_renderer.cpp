#include "editing/canvas_renderer.h"

#include <algorithm>
#include <cstring>

#include "editing/model/alpha_composite.h"
#include "editing/model/line_stepper.h"

namespace tessaly {
namespace {

constexpr std::uint32_t kInvert = 0x00FFFFFF;

// 0x00BBGGRR to the bitmap's 0x00RRGGBB.
std::uint32_t toPixel(ColorValue colour)
{
    return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

std::uint32_t blendChannel(std::uint32_t background, std::uint32_t channel, std::uint32_t colourWeight,
                           std::uint32_t backgroundWeight)
{
    return (background * backgroundWeight + channel * colourWeight) >> 8;
}

ColorValue blend(ColorValue colour, ColorValue background, std::uint32_t colourWeight, std::uint32_t backgroundWeight)
{
    return makeColor(
        static_cast<std::uint8_t>(blendChannel(redOf(background), redOf(colour), colourWeight, backgroundWeight)),
        static_cast<std::uint8_t>(blendChannel(greenOf(background), greenOf(colour), colourWeight, backgroundWeight)),
        static_cast<std::uint8_t>(blendChannel(blueOf(background), blueOf(colour), colourWeight, backgroundWeight)));
}

} // namespace

CanvasPixels CanvasRenderer::outputSize(const PixelRect& range, std::int32_t zoom, const CanvasAppearance& look)
{
    const std::int32_t closing = gridDrawn(zoom, look) ? 1 : 0;
    return {nullptr, 0, range.columns() * zoom + closing, range.rows() * zoom + closing};
}

void CanvasRenderer::render(const EditImage& image, std::span<const ColorValue> palette, const PixelRect& range,
                            std::int32_t zoom, const CanvasAppearance& look, const CanvasOverlays& overlays,
                            const CanvasPixels& out)
{
    if (range.isEmpty() || zoom < 1 || !image.hasImage())
        return;
    prepare(image, palette, range, zoom, look, overlays);
    const bool grid = gridDrawn(zoom, look);
    const std::uint32_t gridPixel = toPixel(look.gridColour);
    const std::int32_t width = outputSize(range, zoom, look).width;
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        colourRow(row);
        const std::int32_t firstY = (row - range.top) * zoom;
        // The screen row of each band phase that was composed first; the
        // others of the square are copies of it, grid lines included.
        std::int32_t composed[2] = {-1, -1};
        for (std::int32_t dy = 0; dy < zoom; ++dy) {
            std::uint32_t* target = out.row(firstY + dy);
            if (grid && dy == 0) {
                std::fill_n(target, width, gridPixel);
                continue;
            }
            const std::int32_t band = look.twoTone ? ((row * zoom + dy) / kCheckerSize) & 1 : 0;
            if (composed[band] < 0) {
                composeRow(target, band);
                if (grid)
                    drawGridColumns(target, width, gridPixel);
                composed[band] = firstY + dy;
            } else {
                std::memcpy(target, out.row(composed[band]), static_cast<std::size_t>(width) * sizeof *target);
            }
        }
        // The pattern stays inside the grid lines, so it may follow them.
        if (look.maskOverlay)
            invertMaskedSquares(row, out);
    }
    if (grid)
        std::fill_n(out.row(range.rows() * zoom), width, gridPixel);
}

void CanvasRenderer::prepare(const EditImage& image, std::span<const ColorValue> palette, const PixelRect& range,
                             std::int32_t zoom, const CanvasAppearance& look, const CanvasOverlays& overlays)
{
    m_image = &image;
    m_overlays = &overlays;
    m_look = look;
    m_range = range;
    m_zoom = zoom;
    m_bitCount = image.bitCount();
    m_palette = m_bitCount <= 8;
    if (m_palette) {
        m_colours.assign(256, 0);
        const std::size_t count = std::min<std::size_t>(palette.size(), m_colours.size());
        std::copy_n(palette.begin(), count, m_colours.begin());
    }
    m_rowColours.resize(static_cast<std::size_t>(range.columns()));
    markLine(overlays);
}

void CanvasRenderer::markLine(const CanvasOverlays& overlays)
{
    m_linePoints.assign(static_cast<std::size_t>(m_range.rows()) * static_cast<std::size_t>(m_range.columns()), 0);
    if (!overlays.lineActive)
        return;
    for (LineStepper step(overlays.lineStart, overlays.lineEnd); !step.done(); step.advance()) {
        const PixelPoint p = step.point();
        if (m_range.contains(p.row, p.column))
            m_linePoints[static_cast<std::size_t>(p.row - m_range.top) * static_cast<std::size_t>(m_range.columns()) +
                         static_cast<std::size_t>(p.column - m_range.left)] = 1;
    }
}

// The colours of every square of one image row, the overlays applied in the
// order they are stacked: image, floating content, line, rectangle.
void CanvasRenderer::colourRow(std::int32_t row)
{
    const CanvasOverlays& overlays = *m_overlays;
    const bool floatingRow =
        overlays.floating != nullptr && row >= overlays.floatingRect.top && row <= overlays.floatingRect.bottom;
    const std::uint8_t* linePoints =
        m_linePoints.data() + static_cast<std::size_t>(row - m_range.top) * static_cast<std::size_t>(m_range.columns());
    const SquareColours lineColours = previewColours(overlays.lineValue, overlays.lineMask);
    const SquareColours rectColours = previewColours(overlays.rectValue, overlays.rectMask);
    for (std::int32_t column = m_range.left; column <= m_range.right; ++column) {
        const Cell& cell = m_image->cellAt(row, column);
        SquareColours colours = imageColours(cell);
        if (floatingRow && overlays.floatingRect.contains(row, column)) {
            const Cell& content =
                overlays.floating->at(row - overlays.floatingRect.top, column - overlays.floatingRect.left);
            if (content.mask == 0)
                colours = floatingColours(content, cell);
        }
        if (linePoints[column - m_range.left] != 0)
            colours = lineColours;
        if (overlays.rectPreview.contains(row, column))
            colours = rectColours;
        m_rowColours[static_cast<std::size_t>(column - m_range.left)] = colours;
    }
}

CanvasRenderer::SquareColours CanvasRenderer::imageColours(const Cell& cell) const
{
    if (m_bitCount == 32)
        return blended(cell.value, alphaOf(cell.value) + 1u, 255u - alphaOf(cell.value));
    const ColorValue colour = colourOf(cell.value);
    // The overlay shows a masked pixel's own colour on a solid background,
    // so that the inverted pattern alone marks it.
    if (cell.mask == 0 || (m_look.maskOverlay && !m_look.twoTone)) {
        const std::uint32_t pixel = toPixel(colour);
        return {pixel, pixel};
    }
    return maskedLook(colour);
}

CanvasRenderer::SquareColours CanvasRenderer::floatingColours(const Cell& content, const Cell& under) const
{
    if (m_bitCount != 32) {
        const std::uint32_t pixel = toPixel(colourOf(content.value));
        return {pixel, pixel};
    }
    const ColorValue result = compositeColor(content.value, under.value);
    return blended(result, alphaOf(result), 256u - alphaOf(result));
}

CanvasRenderer::SquareColours CanvasRenderer::previewColours(std::uint32_t value, std::uint8_t mask) const
{
    if (m_bitCount == 32)
        return blended(value, alphaOf(value), 256u - alphaOf(value));
    const ColorValue colour = colourOf(value);
    if (mask != 0)
        return maskedLook(colour);
    const std::uint32_t pixel = toPixel(colour);
    return {pixel, pixel};
}

// A masked pixel of a palette or 24-bit image shows the screen ANDed with
// the inverted colour: the background where the colour is black.
CanvasRenderer::SquareColours CanvasRenderer::maskedLook(ColorValue colour) const
{
    const std::uint32_t first = toPixel(~colour & m_look.background1);
    const std::uint32_t second = m_look.twoTone ? toPixel(~colour & m_look.background2) : first;
    return {first, second};
}

CanvasRenderer::SquareColours CanvasRenderer::blended(ColorValue colour, std::uint32_t weight,
                                                      std::uint32_t backgroundWeight) const
{
    const std::uint32_t first = toPixel(blend(colour, m_look.background1, weight, backgroundWeight));
    const std::uint32_t second =
        m_look.twoTone ? toPixel(blend(colour, m_look.background2, weight, backgroundWeight)) : first;
    return {first, second};
}

ColorValue CanvasRenderer::colourOf(std::uint32_t value) const
{
    if (m_palette)
        return value < m_colours.size() ? m_colours[value] & 0x00FFFFFFu : 0u;
    return value & 0x00FFFFFFu;
}

// One screen row of the squares; band is the checker phase of the row
// (its distance from the image's top edge / 8, odd or even).
void CanvasRenderer::composeRow(std::uint32_t* pixels, std::int32_t band) const
{
    std::uint32_t* out = pixels;
    std::int32_t x = m_range.left * m_zoom;
    for (const SquareColours& colours : m_rowColours) {
        if (colours.odd == colours.even) {
            std::fill_n(out, m_zoom, colours.odd);
        } else {
            // Whole runs of one checker square at a time.
            for (std::int32_t dx = 0; dx < m_zoom;) {
                const std::int32_t run = std::min(m_zoom - dx, kCheckerSize - (x + dx) % kCheckerSize);
                const bool odd = (((x + dx) / kCheckerSize + band) & 1) != 0;
                std::fill_n(out + dx, run, odd ? colours.odd : colours.even);
                dx += run;
            }
        }
        out += m_zoom;
        x += m_zoom;
    }
}

// The vertical grid lines of one screen row, the closing one included.
void CanvasRenderer::drawGridColumns(std::uint32_t* pixels, std::int32_t width, std::uint32_t colour) const
{
    for (std::int32_t x = 0; x < width; x += m_zoom)
        pixels[x] = colour;
}

// Inverts every other pixel of each masked square, in a pattern fixed to
// the image's corner so that partial repaints stay in phase. With the grid
// the pattern keeps a pixel's distance from the lines.
void CanvasRenderer::invertMaskedSquares(std::int32_t row, const CanvasPixels& out) const
{
    const bool grid = gridDrawn(m_zoom, m_look);
    const std::int32_t inset = grid ? 2 : 0;
    const std::int32_t end = grid ? m_zoom - 1 : m_zoom;
    const std::int32_t firstY = (row - m_range.top) * m_zoom;
    for (std::int32_t column = m_range.left; column <= m_range.right; ++column) {
        if (m_image->maskAt(row, column) == 0)
            continue;
        const std::int32_t firstX = (column - m_range.left) * m_zoom;
        for (std::int32_t dy = inset; dy < end; ++dy) {
            std::uint32_t* pixels = out.row(firstY + dy) + firstX;
            const std::int32_t imageY = row * m_zoom + dy;
            for (std::int32_t dx = inset; dx < end; ++dx)
                if (((column * m_zoom + dx + imageY) & 1) == 0)
                    pixels[dx] ^= kInvert;
        }
    }
}

} // namespace tessaly
