#include "document/stamp_entry.h"

namespace tessaly {

StampEntry::StampEntry(EditImage& image)
    : m_image(image)
{
}

bool StampEntry::apply(const CellGrid& content, const PixelRect& rect)
{
    if (content.rows() != rect.rows() || content.columns() != rect.columns())
        return false;
    const PixelRect area = rect.intersected(m_image.bounds());
    if (area.isEmpty())
        return false;
    const PixelRect inContent{area.top - rect.top, area.left - rect.left, area.bottom - rect.top,
                              area.right - rect.left};
    if (!m_content.copyFrom(content, inContent) || !m_image.saveBlock(area, m_saved))
        return false;
    m_rect = area;
    redo();
    return true;
}

void StampEntry::redo()
{
    m_image.composite(m_rect, m_content);
}

void StampEntry::undo()
{
    m_image.restoreBlock(m_rect, m_saved);
}

} // namespace tessaly
