#include "document/fill_entry.h"

#include <algorithm>
#include <new>

namespace tessaly {

FillEntry::FillEntry(EditImage& image)
    : m_image(image)
{
}

bool FillEntry::isOld(const Cell& cell) const
{
    return cell.value == m_oldValue && cell.mask == m_oldMask;
}

FillSpan FillEntry::fillRun(std::int32_t row, std::int32_t column)
{
    // The seed itself always belongs to the span, even when an earlier span
    // already filled it: refilling it is harmless, and undo then sees the
    // same spans in the same order.
    const std::span<const Cell> cells = m_image.cells().row(row);
    std::int32_t first = column;
    while (first - 1 >= 0 && isOld(cells[static_cast<std::size_t>(first - 1)]))
        --first;
    std::int32_t last = column;
    while (last + 1 < m_image.width() && isOld(cells[static_cast<std::size_t>(last + 1)]))
        ++last;
    m_image.fillSpan(row, first, last, m_newValue, m_newMask);
    return FillSpan{row, first, last};
}

// A run of old cells ends at c when c + 1 is not old or c is `last`; the
// seeds go in from left to right.
void FillEntry::seedRow(std::vector<PixelPoint>& seeds, std::int32_t row, std::int32_t first, std::int32_t last) const
{
    const std::span<const Cell> cells = m_image.cells().row(row);
    bool inRun = false;
    for (std::int32_t c = first; c <= last; ++c) {
        const bool old = isOld(cells[static_cast<std::size_t>(c)]);
        if (inRun && !old)
            seeds.push_back(PixelPoint{row, c - 1});
        inRun = old;
    }
    if (inRun)
        seeds.push_back(PixelPoint{row, last});
}

void FillEntry::spread(std::int32_t row, std::int32_t column)
{
    std::vector<PixelPoint> seeds;
    seeds.reserve(16);
    seeds.push_back(PixelPoint{row, column});
    while (!seeds.empty()) {
        const PixelPoint seed = seeds.back();
        seeds.pop_back();
        // Room for the span first, so that a span filled is always recorded.
        if (m_spans.size() == m_spans.capacity())
            m_spans.reserve(std::max<std::size_t>(64, 2 * m_spans.capacity()));
        const FillSpan span = fillRun(seed.row, seed.column);
        m_spans.push_back(span);
        if (span.row - 1 >= 0)
            seedRow(seeds, span.row - 1, span.first, span.last);
        if (span.row + 1 < m_image.height())
            seedRow(seeds, span.row + 1, span.first, span.last);
    }
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
    try {
        spread(row, column);
    } catch (const std::bad_alloc&) {
        // Should memory run out, the fill stops short; what was filled is
        // recorded, so undo still restores it.
        return !m_spans.empty();
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
