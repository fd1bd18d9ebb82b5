#include "app/preview_controller.h"

namespace tessaly {

PreviewController::PreviewController(const EditImage& image, const Palette& palette)
    : m_image(image)
    , m_palette(palette)
{
}

void PreviewController::setBackground(ColorValue colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    invalidateAll(PreviewHost::Erase::Yes);
}

void PreviewController::setAutoZoom(bool on)
{
    m_autoZoom = on;
    relayout();
}

void PreviewController::setShowSelected(bool on)
{
    m_showSelected = on;
    invalidateAll(PreviewHost::Erase::No);
}

void PreviewController::resize(std::int32_t clientWidth, std::int32_t clientHeight)
{
    m_clientWidth = clientWidth;
    m_clientHeight = clientHeight;
    relayout();
}

void PreviewController::relayout()
{
    m_layout = PreviewLayout::compute(m_image.width(), m_image.height(), m_clientWidth, m_clientHeight, m_autoZoom);
    invalidateAll(PreviewHost::Erase::Yes);
}

void PreviewController::repaintPixels(const PixelRect& rect)
{
    const ClientRect area = m_layout.areaOfPixels(rect);
    if (m_host && !area.isEmpty())
        m_host->invalidateArea(area);
}

void PreviewController::repaintIndices(std::int32_t first, std::int32_t last)
{
    if (!m_palette.isLinked() || m_image.bitCount() > 8)
        return;
    repaintPixels(m_image.valueBounds(first, last));
}

void PreviewController::pointerMoved()
{
    if (m_status && !m_layout.showsNothing())
        m_status->previewReadout({m_layout.zoom(), m_layout.magnifies(), m_showSelected});
}

bool PreviewController::compose(const PreviewPaint& paint, ColorValue highlight, const CanvasPixels& out)
{
    if (paint.isEmpty())
        return false;
    if (m_image.bitCount() <= 8) {
        // copyRange leaves what lies past the palette's end: no colours of an earlier palette may remain.
        m_colours.fill(0);
        m_palette.copyRange(0, m_colours);
    }
    const PreviewLook look{m_background, highlight, m_showSelected};
    return m_renderer.render(m_image, m_colours, look, m_layout.zoom(), m_layout.magnifies(), paint.range, out);
}

void PreviewController::invalidateAll(PreviewHost::Erase erase)
{
    if (m_host)
        m_host->invalidateAll(erase);
}

} // namespace tessaly
