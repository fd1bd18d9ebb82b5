#include "document/alpha_nudge_entry.h"

#include <new>

namespace tessaly {

AlphaNudgeEntry::AlphaNudgeEntry(EditImage& image, AlphaDirection direction)
    : m_image(image)
    , m_direction(direction)
{
}

bool AlphaNudgeEntry::nudge(PixelPoint point)
{
    try {
        m_points.reserve(m_points.size() + 1);
    } catch (const std::bad_alloc&) {
        return false; // a nudge that could not be recorded is not made
    }
    if (!m_image.nudgeAlpha(point.row, point.column, m_direction))
        return false;
    m_points.push_back(point);
    return true;
}

void AlphaNudgeEntry::nudgeAll(AlphaDirection direction)
{
    for (const PixelPoint& point : m_points)
        m_image.nudgeAlpha(point.row, point.column, direction);
}

void AlphaNudgeEntry::redo()
{
    nudgeAll(m_direction);
}

void AlphaNudgeEntry::undo()
{
    nudgeAll(m_direction == AlphaDirection::Raise ? AlphaDirection::Lower : AlphaDirection::Raise);
}

} // namespace tessaly
