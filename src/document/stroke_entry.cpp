#include "document/stroke_entry.h"

#include <new>

namespace tessaly {

StrokeEntry::StrokeEntry(EditImage& image, StrokeKind kind, std::uint32_t value, std::uint8_t mask)
    : m_image(image)
    , m_kind(kind)
    , m_value(value)
    , m_mask(mask)
{
}

void StrokeEntry::begin(PixelPoint point)
{
    if (m_image.contains(point.row, point.column))
        addSegment(point, point);
    m_last = point;
}

void StrokeEntry::continueTo(PixelPoint point)
{
    if (point == m_last)
        return;
    addSegment(m_last, point);
    m_last = point;
}

void StrokeEntry::addSegment(PixelPoint from, PixelPoint to)
{
    SavedLine segment(from, to);
    if (!segment.save(m_image))
        return;
    try {
        m_segments.push_back(std::move(segment));
    } catch (const std::bad_alloc&) {
        return; // not drawn, so the image still matches what undo would restore
    }
    draw(m_segments.back());
}

void StrokeEntry::draw(const SavedLine& segment)
{
    switch (m_kind) {
    case StrokeKind::ValueAndMask:
        m_image.drawLine(segment.from(), segment.to(), m_value, m_mask);
        break;
    case StrokeKind::MaskOnly:
        m_image.drawMaskLine(segment.from(), segment.to(), m_mask);
        break;
    case StrokeKind::AlphaOnly:
        m_image.drawAlphaLine(segment.from(), segment.to(), m_value);
        break;
    }
}

void StrokeEntry::redo()
{
    for (const SavedLine& segment : m_segments)
        draw(segment);
}

void StrokeEntry::undo()
{
    for (auto it = m_segments.rbegin(); it != m_segments.rend(); ++it)
        it->restore(m_image);
}

} // namespace tessaly
