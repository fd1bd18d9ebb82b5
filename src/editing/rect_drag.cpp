#include "editing/rect_drag.h"

#include <algorithm>
#include <memory>

#include "document/rect_fill_entry.h"

namespace tessaly {

RectDrag::RectDrag(EditImage& image, UndoHistory& history)
    : m_image(image)
    , m_history(history)
{
}

PixelRect RectDrag::spanTo(PixelPoint point) const
{
    const PixelRect spanned{std::min(point.row, m_anchor.row), std::min(point.column, m_anchor.column),
                            std::max(point.row, m_anchor.row), std::max(point.column, m_anchor.column)};
    return spanned.intersected(m_image.bounds());
}

void RectDrag::start(PixelPoint point, std::uint32_t value, std::uint8_t mask, CanvasHost& host)
{
    m_value = value;
    m_mask = mask;
    m_anchor = point;
    m_active = true;
    m_rect = spanTo(point);
    host.invalidatePixels(PixelRect{point.row, point.column, point.row, point.column});
}

void RectDrag::moveTo(PixelPoint point, CanvasHost& host)
{
    if (!m_active)
        return;
    const PixelRect next = spanTo(point);
    if (next == m_rect)
        return;
    if (!m_rect.isEmpty())
        host.invalidatePixels(m_rect);
    m_rect = next;
    if (!m_rect.isEmpty())
        host.invalidatePixels(m_rect);
}

void RectDrag::commit(CanvasHost& host)
{
    if (!m_active)
        return;
    if (!m_rect.isEmpty()) {
        auto entry = std::make_unique<RectFillEntry>(m_image);
        if (entry->apply(m_rect, m_value, m_mask))
            m_history.push(std::move(entry));
        // The fill reports its cells itself; the preview over them is gone too.
        host.invalidatePixels(m_rect);
    }
    m_rect = PixelRect{};
    m_active = false;
}

} // namespace tessaly
