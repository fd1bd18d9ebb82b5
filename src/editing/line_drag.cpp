#include "editing/line_drag.h"

#include <algorithm>
#include <memory>

#include "document/line_entry.h"

namespace tessaly {

LineDrag::LineDrag(EditImage& image, UndoHistory& history)
    : m_image(image)
    , m_history(history)
{
}

PixelRect LineDrag::bounds() const
{
    if (!m_active)
        return PixelRect{};
    return PixelRect{std::min(m_start.row, m_end.row), std::min(m_start.column, m_end.column),
                     std::max(m_start.row, m_end.row), std::max(m_start.column, m_end.column)};
}

void LineDrag::start(PixelPoint point, std::uint32_t value, std::uint8_t mask, CanvasHost& host)
{
    m_value = value;
    m_mask = mask;
    m_start = point;
    m_end = point;
    m_active = true;
    host.invalidatePixels(bounds());
}

void LineDrag::moveTo(PixelPoint point, CanvasHost& host)
{
    if (!m_active || point == m_end)
        return;
    host.invalidatePixels(bounds());
    m_end = point;
    host.invalidatePixels(bounds());
}

void LineDrag::commit(CanvasHost& host)
{
    if (!m_active)
        return;
    auto entry = std::make_unique<LineEntry>(m_image, m_value, m_mask);
    if (entry->setEndPoints(m_start, m_end))
        m_history.push(std::move(entry));
    host.invalidatePixels(bounds());
    m_active = false;
}

} // namespace tessaly
