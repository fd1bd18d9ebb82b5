#include "app/preview_layout.h"

#include <algorithm>

namespace tessaly {
namespace {

std::int32_t divideRoundingUp(std::int32_t a, std::int32_t b)
{
    return (a + b - 1) / b;
}

} // namespace

PreviewLayout PreviewLayout::compute(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t clientWidth,
                                     std::int32_t clientHeight, bool autoZoom)
{
    PreviewLayout layout;
    layout.m_imageWidth = imageWidth;
    layout.m_imageHeight = imageHeight;
    if (imageWidth <= 0 || imageHeight <= 0 || clientWidth <= 0 || clientHeight <= 0)
        return layout;
    if (!autoZoom) {
        layout.m_zoom = 1;
        layout.m_magnify = true;
    } else if (clientWidth < imageWidth || clientHeight < imageHeight) {
        layout.m_zoom =
            std::max(divideRoundingUp(imageWidth, clientWidth), divideRoundingUp(imageHeight, clientHeight));
        layout.m_magnify = false;
    } else {
        layout.m_zoom = std::min(clientWidth / imageWidth, clientHeight / imageHeight);
        layout.m_magnify = true;
    }
    // An image wider or taller than the window starts at its top-left corner.
    layout.m_origin = {std::max(0, (clientWidth - layout.shownWidth()) / 2),
                       std::max(0, (clientHeight - layout.shownHeight()) / 2)};
    return layout;
}

ClientRect PreviewLayout::imageArea() const
{
    return {m_origin.x, m_origin.y, m_origin.x + shownWidth(), m_origin.y + shownHeight()};
}

ClientRect PreviewLayout::areaOfPixels(const PixelRect& rect) const
{
    if (m_zoom == 0 || rect.isEmpty())
        return {};
    const ClientPoint o = m_origin;
    if (m_magnify)
        return {rect.left * m_zoom + o.x, rect.top * m_zoom + o.y, rect.right * m_zoom + o.x + m_zoom,
                rect.bottom * m_zoom + o.y + m_zoom};
    return {rect.left / m_zoom + o.x, rect.top / m_zoom + o.y, o.x + rect.right / m_zoom + 1,
            o.y + rect.bottom / m_zoom + 1};
}

PreviewPaint PreviewLayout::paintFor(const ClientRect& update) const
{
    if (m_zoom == 0)
        return {};
    const ClientRect visible = update.intersected(imageArea());
    if (visible.isEmpty())
        return {};
    const ClientPoint o = m_origin;
    if (!m_magnify)
        return {{visible.top - o.y, visible.left - o.x, visible.bottom - 1 - o.y, visible.right - 1 - o.x}, visible};
    // Blocks cut by the update area are composed whole.
    const PixelRect range{(visible.top - o.y) / m_zoom, (visible.left - o.x) / m_zoom,
                          (visible.bottom - 1 - o.y) / m_zoom, (visible.right - 1 - o.x) / m_zoom};
    return {range,
            {range.left * m_zoom + o.x, range.top * m_zoom + o.y, (range.right + 1) * m_zoom + o.x,
             (range.bottom + 1) * m_zoom + o.y}};
}

} // namespace tessaly
