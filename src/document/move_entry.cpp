#include "document/move_entry.h"

namespace tessaly {

MoveEntry::MoveEntry(EditImage& image, std::uint32_t backgroundValue)
    : m_image(image)
    , m_backgroundValue(backgroundValue)
{
}

bool MoveEntry::apply(const PixelRect& liftRect, const CellGrid& under, const PixelRect& rect, const CellGrid& display)
{
    if (liftRect.isEmpty() || liftRect.intersected(m_image.bounds()) != liftRect || under.rows() != liftRect.rows() ||
        under.columns() != liftRect.columns() || display.rows() != rect.rows() || display.columns() != rect.columns())
        return false;
    const PixelRect destination = rect.intersected(m_image.bounds());
    if (!m_originCells.copyFrom(under))
        return false;
    if (!destination.isEmpty()) {
        const PixelRect inContent{destination.top - rect.top, destination.left - rect.left,
                                  destination.bottom - rect.top, destination.right - rect.left};
        if (!m_content.copyFrom(display, inContent) || !m_image.saveBlock(destination, m_underCells))
            return false;
        m_image.composite(destination, m_content);
    }
    m_origin = liftRect;
    m_destination = destination;
    return true;
}

void MoveEntry::redo()
{
    m_image.fillRect(m_origin, m_backgroundValue, 1);
    if (!m_destination.isEmpty())
        m_image.composite(m_destination, m_content);
}

void MoveEntry::undo()
{
    // The destination first: where it overlaps the origin, the origin's own
    // cells must be the last word.
    if (!m_destination.isEmpty())
        m_image.restoreBlock(m_destination, m_underCells);
    m_image.restoreBlock(m_origin, m_originCells);
}

} // namespace tessaly
