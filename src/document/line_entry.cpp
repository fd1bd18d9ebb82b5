#include "document/line_entry.h"

namespace tessaly {

LineEntry::LineEntry(EditImage& image, std::uint32_t value, std::uint8_t mask)
    : m_image(image)
    , m_value(value)
    , m_mask(mask)
{
}

bool LineEntry::setEndPoints(PixelPoint from, PixelPoint to)
{
    SavedLine line(from, to);
    if (!line.save(m_image))
        return false;
    m_line = std::move(line);
    redo();
    return true;
}

void LineEntry::redo()
{
    if (m_line)
        m_image.drawLine(m_line->from(), m_line->to(), m_value, m_mask);
}

void LineEntry::undo()
{
    if (m_line)
        m_line->restore(m_image);
}

} // namespace tessaly
