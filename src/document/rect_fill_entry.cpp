#include "document/rect_fill_entry.h"

namespace tessaly {

RectFillEntry::RectFillEntry(EditImage& image)
    : m_image(image)
{
}

bool RectFillEntry::apply(const PixelRect& rect, std::uint32_t value, std::uint8_t mask)
{
    const PixelRect area = rect.intersected(m_image.bounds());
    if (area.isEmpty() || !m_image.saveBlock(area, m_saved))
        return false;
    m_rect = area;
    m_value = value;
    m_mask = mask;
    redo();
    return true;
}

void RectFillEntry::redo()
{
    m_image.fillRect(m_rect, m_value, m_mask);
}

void RectFillEntry::undo()
{
    m_image.restoreBlock(m_rect, m_saved);
}

} // namespace tessaly
