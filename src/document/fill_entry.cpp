#include "document/fill_entry.h"

namespace tessaly {

FillEntry::FillEntry(EditImage& image)
    : m_image(image)
{
}

bool FillEntry::isOld(std::int32_t row, std::int32_t column) const
{
    const Cell& cell = m_image.cellAt(row, column);
    return cell.value == m_oldValue && cell.mask == m_oldMask;
}

FillSpan FillEntry::fillRun(std::int32_t row, std::int32_t column)
{
    // The seed itself always belongs to the span, even when an earlier span
    // already filled it: refilling it is harmless, and undo then sees the
    // same spans in the same order.
    std::int32_t first = column;
    while (first - 1 >= 0 && isOld(row, first - 1))
        --first;
    std::int32_t last = column;
    while (last + 1 < m_image.width() && isOld(row, last + 1))
        ++last;
    m_image.fillSpan(row, first, last, m_newValue, m_newMask);
    return FillSpan{row, first, last};
}

bool FillEntry::seedRow(PointerArray<PixelPoint>& seeds, std::int32_t row, std::int32_t first, std::int32_t last) const
{
    for (std::int32_t c = first; c < last; ++c) {
        if (isOld(row, c) && !isOld(row, c + 1) && !seeds.add(PixelPoint{row, c}))
            return false;
    }
    return !isOld(row, last) || seeds.add(PixelPoint{row, last});
}

bool FillEntry::fill(std::int32_t row, std::int32_t column, std::uint32_t value, std::uint8_t mask)
{
    if (!m_image.contains(row, column))
        return false;
    const Cell& start = m_image.cellAt(row, column);
    if (start.value == value && start.mask == mask)
        return false;
    m_oldValue = start.value;
    m_oldMask = start.mask;
    m_newValue = value;
    m_newMask = mask;

    PointerArray<PixelPoint> seeds(16);
    if (!seeds.add(PixelPoint{row, column}))
        return false;
    while (seeds.count() > 0) {
        const PixelPoint seed = seeds.get(seeds.count() - 1);
        seeds.removeAt(seeds.count() - 1);
        const FillSpan span = fillRun(seed.row, seed.column);
        // Should memory run out, the fill stops short; what was filled is
        // recorded, so undo still restores it.
        if (!m_spans.add(span)) {
            m_image.fillSpan(span.row, span.first, span.last, m_oldValue, m_oldMask);
            break;
        }
        if (span.row - 1 >= 0 && !seedRow(seeds, span.row - 1, span.first, span.last))
            break;
        if (span.row + 1 < m_image.height() && !seedRow(seeds, span.row + 1, span.first, span.last))
            break;
    }
    return true;
}

void FillEntry::redo()
{
    for (const FillSpan& span : m_spans)
        m_image.fillSpan(span.row, span.first, span.last, m_newValue, m_newMask);
}

void FillEntry::undo()
{
    for (const FillSpan& span : m_spans)
        m_image.fillSpan(span.row, span.first, span.last, m_oldValue, m_oldMask);
}

} // namespace tessaly
