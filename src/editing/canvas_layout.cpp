#include "editing/canvas_layout.h"

#include <algorithm>
#include <iterator>

namespace tessaly {
namespace {

struct AxisLayout {
    std::int32_t extent;
    std::int32_t origin;
};

// A small image gets a window's width of room on either side; a large one
// can be scrolled until either edge reaches the window's middle.
AxisLayout layoutAxis(std::int32_t drawn, std::int32_t client)
{
    if (2 * drawn < client)
        return {2 * client - drawn, client - drawn};
    return {drawn + client, client / 2};
}

} // namespace

bool CanvasLayout::setZoom(std::int32_t z)
{
    const bool known = z == 0 || std::find(std::begin(kZoomSteps), std::end(kZoomSteps), z) != std::end(kZoomSteps);
    if (!known)
        return false;
    if ((m_autoZoom && z == 0) || (!m_autoZoom && z == m_zoom))
        return false;
    m_autoZoom = z == 0;
    m_zoom = z;
    return true;
}

void CanvasLayout::layout(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t clientWidth,
                          std::int32_t clientHeight)
{
    m_imageWidth = std::max(imageWidth, 0);
    m_imageHeight = std::max(imageHeight, 0);
    if (m_imageWidth == 0 || m_imageHeight == 0) {
        m_origin = {};
        m_extent = {};
        return;
    }
    if (m_autoZoom) {
        const std::int32_t across = std::max(0, clientWidth - 2 * kMargin) / m_imageWidth;
        const std::int32_t down = std::max(0, clientHeight - 2 * kMargin) / m_imageHeight;
        m_zoom = std::max(1, std::min(across, down));
    }
    const AxisLayout x = layoutAxis(m_imageWidth * m_zoom, clientWidth);
    const AxisLayout y = layoutAxis(m_imageHeight * m_zoom, clientHeight);
    m_extent = {x.extent, y.extent};
    m_origin = {x.origin, y.origin};
}

CanvasMapping CanvasLayout::mapping() const
{
    return CanvasMapping(m_zoom, m_origin, m_imageWidth, m_imageHeight);
}

PixelPoint CanvasLayout::windowToPixel(ClientPoint point, ClientPoint scroll) const
{
    return mapping().windowToPixel(point, scroll);
}

ClientPoint CanvasLayout::pixelToWindow(PixelPoint pixel, ClientPoint scroll) const
{
    return mapping().pixelToWindow(pixel, scroll);
}

PixelPoint CanvasLayout::deltaToPixels(ClientPoint delta) const
{
    return mapping().deltaToPixels(delta);
}

PixelRect CanvasLayout::visiblePixels(ClientPoint clientSize, ClientPoint scroll) const
{
    return mapping().visiblePixels(clientSize, scroll);
}

} // namespace tessaly
