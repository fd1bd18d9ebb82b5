#include "editing/canvas_mapping.h"

#include <algorithm>

namespace tessaly {

PixelPoint CanvasMapping::windowToPixel(ClientPoint point, ClientPoint scroll) const
{
    std::int32_t x = point.x + scroll.x - m_origin.x;
    std::int32_t y = point.y + scroll.y - m_origin.y;
    // Division truncates toward zero; stepping back one zoom first makes
    // every point left of or above the image negative.
    if (x < 0)
        x -= m_zoom;
    if (y < 0)
        y -= m_zoom;
    return {y / m_zoom, x / m_zoom};
}

ClientPoint CanvasMapping::pixelToWindow(PixelPoint pixel, ClientPoint scroll) const
{
    return {pixel.column * m_zoom + m_origin.x - scroll.x, pixel.row * m_zoom + m_origin.y - scroll.y};
}

PixelPoint CanvasMapping::deltaToPixels(ClientPoint delta) const
{
    return {delta.y / m_zoom, delta.x / m_zoom};
}

PixelRect CanvasMapping::visiblePixels(ClientPoint clientSize, ClientPoint scroll) const
{
    const PixelPoint first = windowToPixel({m_zoom - 1, m_zoom - 1}, scroll);
    const PixelPoint last = windowToPixel({clientSize.x - m_zoom + 1, clientSize.y - m_zoom + 1}, scroll);
    return {std::max(first.row, 0), std::max(first.column, 0), std::min(last.row, m_imageHeight - 1),
            std::min(last.column, m_imageWidth - 1)};
}

} // namespace tessaly
