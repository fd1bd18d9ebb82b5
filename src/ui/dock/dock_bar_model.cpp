#include "ui/dock/dock_bar_model.h"

#include <algorithm>

namespace tessaly {

namespace {

// Scales value by numerator / denominator without overflowing; callers keep
// the denominator positive.
std::int32_t scaled(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<std::int32_t>(value * numerator / denominator);
}

int clampTo(int value, int low, int high)
{
    // When the range is empty the low end wins: the band stays at the bar's edge.
    return std::max(low, std::min(value, high));
}

} // namespace

std::int32_t DockBarModel::indexOf(std::int32_t frame) const
{
    for (std::int32_t i = 0; i < m_entries.count(); ++i) {
        if (m_entries.get(i).frame == frame)
            return i;
    }
    return -1;
}

bool DockBarModel::frameVisible(std::int32_t frame) const
{
    const std::int32_t i = indexOf(frame);
    return i >= 0 && m_entries.get(i).visible;
}

void DockBarModel::rebuildVisible()
{
    m_visible.free();
    for (std::int32_t i = 0; i < m_entries.count(); ++i) {
        if (m_entries.get(i).visible)
            m_visible.add(i);
    }
}

std::int64_t DockBarModel::visibleSum() const
{
    std::int64_t sum = 0;
    for (const std::int32_t i : m_visible)
        sum += m_entries.get(i).extent;
    return sum;
}

bool DockBarModel::addFrame(std::int32_t frame, const DockRect& drop)
{
    if (containsFrame(frame))
        return false;
    const int p = alongOf(drop.centre(), m_side);
    std::int32_t at = m_entries.count();
    std::int64_t s = usableAlongStart();
    for (const std::int32_t i : m_visible) {
        const std::int64_t e = s + m_entries.get(i).extent;
        if (p < (s + e) / 2) {
            at = i;
            break;
        }
        s = e + kSplitterWidth;
    }
    const std::int64_t total = visibleSum();
    if (!m_entries.insertAt(at, DockBarEntry{frame, 0, true}))
        return false;
    rebuildVisible();
    // The newcomer takes its own length where the bar has it, the others
    // give it up in proportion to theirs.
    const std::int64_t wanted = std::clamp<std::int64_t>(alongEnd(drop, m_side) - alongStart(drop, m_side), 0, total);
    if (total > 0) {
        for (const std::int32_t i : m_visible)
            m_entries.get(i).extent = scaled(m_entries.get(i).extent, total - wanted, total);
    }
    m_entries.get(at).extent = static_cast<std::int32_t>(wanted);
    return true;
}

bool DockBarModel::removeFrame(std::int32_t frame)
{
    const std::int32_t i = indexOf(frame);
    if (i < 0 || !m_entries.removeAt(i))
        return false;
    rebuildVisible();
    return true;
}

bool DockBarModel::moveFrame(std::int32_t frame, const DockRect& drop)
{
    const std::int32_t index = indexOf(frame);
    const std::int32_t n = m_visible.count();
    std::int32_t current = -1;
    for (std::int32_t v = 0; v < n; ++v) {
        if (m_visible.get(v) == index)
            current = v;
    }
    if (current < 0)
        return false;
    // The target is the first visible entry reaching the drop point, or the
    // last one when the point lies past them all.
    const int p = alongOf(drop.centre(), m_side);
    std::int32_t target = n - 1;
    std::int64_t s = usableAlongStart();
    std::int64_t targetStart = s;
    for (std::int32_t v = 0; v < n; ++v) {
        const std::int64_t e = s + m_entries.get(m_visible.get(v)).extent;
        targetStart = s;
        if (e >= p) {
            target = v;
            break;
        }
        s = e + kSplitterWidth;
    }
    const std::int64_t offset = p - targetStart;
    const std::int64_t half = m_entries.get(m_visible.get(target)).extent / 2;
    std::int32_t place = target;
    if (target > current && offset < half)
        --place;
    else if (target < current && offset > half)
        ++place;
    if (place == current)
        return false;

    const DockBarEntry moving = m_entries.get(index);
    m_entries.removeAt(index);
    rebuildVisible();
    // Before the entry now at the wanted visible place, or after the last one.
    std::int32_t at = m_entries.count();
    if (place < m_visible.count())
        at = m_visible.get(place);
    else if (m_visible.count() > 0)
        at = m_visible.get(m_visible.count() - 1) + 1;
    m_entries.insertAt(at, moving);
    rebuildVisible();
    return true;
}

bool DockBarModel::setFrameVisible(std::int32_t frame, bool visible)
{
    const std::int32_t index = indexOf(frame);
    if (index < 0 || m_entries.get(index).visible == visible)
        return false;
    if (visible) {
        const std::int64_t others = visibleSum();
        const std::int64_t keep = std::max<std::int64_t>(0, others - m_entries.get(index).extent);
        if (others > 0) {
            for (const std::int32_t i : m_visible)
                m_entries.get(i).extent = scaled(m_entries.get(i).extent, keep, others);
        }
    }
    m_entries.get(index).visible = visible;
    rebuildVisible();
    return true;
}

std::vector<std::int32_t> DockBarModel::getExtents() const
{
    std::vector<std::int32_t> extents;
    extents.reserve(static_cast<std::size_t>(m_entries.count()));
    for (const DockBarEntry& entry : m_entries)
        extents.push_back(entry.extent);
    return extents;
}

bool DockBarModel::setExtents(std::span<const std::int32_t> extents)
{
    if (extents.size() != static_cast<std::size_t>(m_entries.count()))
        return false;
    // Negative lengths would put edges out of order in the layout.
    for (std::int32_t i = 0; i < m_entries.count(); ++i)
        m_entries.get(i).extent = std::max<std::int32_t>(0, extents[static_cast<std::size_t>(i)]);
    return true;
}

DockRect DockBarModel::usableRect(const DockRect& client) const
{
    DockRect r{client.left, client.top + 1, client.right, client.bottom - 1};
    switch (m_side) {
    case DockSide::Top:
        r.bottom -= kSplitterWidth;
        break;
    case DockSide::Bottom:
        r.top += kSplitterWidth;
        break;
    case DockSide::Left:
        r.right -= kSplitterWidth;
        break;
    case DockSide::Right:
        r.left += kSplitterWidth;
        break;
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

int DockBarModel::usableLength(const DockRect& client) const
{
    const DockRect u = usableRect(client);
    return alongEnd(u, m_side) - alongStart(u, m_side);
}

std::vector<DockFramePlacement> DockBarModel::layoutBar(const DockRect& client)
{
    const std::int32_t n = m_visible.count();
    std::vector<DockFramePlacement> placements;
    if (n == 0)
        return placements;
    const std::int64_t length = std::max(0, usableLength(client) - (n - 1) * kSplitterWidth);
    const std::int64_t total = visibleSum();
    // A bar squeezed to nothing cannot show how its frames share it; it keeps
    // the extents it has instead of rounding them all to 0, so that the share
    // comes back when the bar has room again.
    const bool keep = length < 1;
    std::int64_t cumulative = 0;
    std::int64_t previousEdge = 0;
    const DockRect u = usableRect(client);
    int position = alongStart(u, m_side);
    placements.reserve(static_cast<std::size_t>(n));
    for (std::int32_t v = 0; v < n; ++v) {
        DockBarEntry& entry = m_entries.get(m_visible.get(v));
        cumulative += entry.extent;
        const std::int64_t edge = total >= 1 ? cumulative * length / total : (v + 1) * length / n;
        const auto shown = static_cast<int>(edge - previousEdge);
        previousEdge = edge;
        if (!keep)
            entry.extent = shown;
        placements.push_back({entry.frame, rectAlong(m_side, position, position + shown, acrossStart(u, m_side),
                                                     acrossEnd(u, m_side))});
        position += shown + kSplitterWidth;
    }
    return placements;
}

int DockBarModel::gapStart(std::int32_t i) const
{
    std::int64_t start = static_cast<std::int64_t>(i) * kSplitterWidth;
    for (std::int32_t v = 0; v <= i; ++v)
        start += m_entries.get(m_visible.get(v)).extent;
    return static_cast<int>(std::min<std::int64_t>(start, INT32_MAX / 2));
}

std::vector<DockRect> DockBarModel::gapRects(const DockRect& client) const
{
    std::vector<DockRect> gaps;
    const DockRect u = usableRect(client);
    for (std::int32_t i = 0; i + 1 < m_visible.count(); ++i) {
        const int start = alongStart(u, m_side) + gapStart(i);
        gaps.push_back(rectAlong(m_side, start, start + kSplitterWidth, acrossStart(u, m_side), acrossEnd(u, m_side)));
    }
    return gaps;
}

int DockBarModel::sashStart(const DockRect& client) const
{
    switch (m_side) {
    case DockSide::Top:
        return client.bottom - kSplitterWidth;
    case DockSide::Left:
        return client.right - kSplitterWidth;
    case DockSide::Bottom:
        return client.top;
    case DockSide::Right:
        return client.left;
    }
    return 0;
}

std::optional<DockSplitterDrag> DockBarModel::hitSplitter(const DockRect& client, DockPoint pointer) const
{
    if (pointer.x < client.left || pointer.x >= client.right || pointer.y < client.top || pointer.y >= client.bottom)
        return std::nullopt;
    const int across = acrossOf(pointer, m_side) - sashStart(client);
    if (across >= 0 && across < kSplitterWidth)
        return DockSplitterDrag{DockSplitterDrag::kSash, across};
    const int along = alongOf(pointer, m_side) - alongStart(usableRect(client), m_side);
    for (std::int32_t i = 0; i + 1 < m_visible.count(); ++i) {
        const int offset = along - gapStart(i);
        if (offset >= 0 && offset < kSplitterWidth)
            return DockSplitterDrag{i, offset};
    }
    return std::nullopt;
}

DockSizeCursor DockBarModel::cursorAt(const DockRect& client, DockPoint pointer) const
{
    const std::optional<DockSplitterDrag> hit = hitSplitter(client, pointer);
    if (!hit)
        return DockSizeCursor::Arrow;
    // The sash moves across the bar, the gaps along it.
    const bool movesVertically = (hit->index == DockSplitterDrag::kSash) == isHorizontal(m_side);
    return movesVertically ? DockSizeCursor::SizeNorthSouth : DockSizeCursor::SizeWestEast;
}

int DockBarModel::dragPosition(const DockSplitterDrag& drag, const DockRect& client, const DockRect& clientWindow,
                               DockPoint pointer) const
{
    if (drag.index == DockSplitterDrag::kSash) {
        const int wanted = acrossOf(pointer, m_side) - drag.grabOffset;
        // From the bar's outer edge to the client window's far edge.
        if (m_side == DockSide::Top || m_side == DockSide::Left)
            return clampTo(wanted, acrossStart(client, m_side), acrossEnd(clientWindow, m_side) - kSplitterWidth);
        return clampTo(wanted, acrossStart(clientWindow, m_side), acrossEnd(client, m_side) - kSplitterWidth);
    }
    const int wanted = alongOf(pointer, m_side) - alongStart(usableRect(client), m_side) - drag.grabOffset;
    const std::int32_t n = m_visible.count();
    return clampTo(wanted, drag.index * kSplitterWidth, usableLength(client) - (n - drag.index - 1) * kSplitterWidth);
}

DockRect DockBarModel::dragBand(const DockSplitterDrag& drag, const DockRect& client, int position) const
{
    if (drag.index == DockSplitterDrag::kSash)
        return rectAlong(m_side, alongStart(client, m_side), alongEnd(client, m_side), position,
                         position + kSplitterWidth);
    const int start = alongStart(usableRect(client), m_side) + position;
    return rectAlong(m_side, start, start + kSplitterWidth, acrossStart(client, m_side), acrossEnd(client, m_side));
}

std::optional<int> DockBarModel::finishDrag(const DockSplitterDrag& drag, const DockRect& client, int position)
{
    if (drag.index == DockSplitterDrag::kSash) {
        if (m_side == DockSide::Top || m_side == DockSide::Left)
            return position - acrossStart(client, m_side) + kSplitterWidth;
        return acrossEnd(client, m_side) - position;
    }
    const std::int32_t n = m_visible.count();
    if (drag.index < 0 || drag.index + 1 >= n)
        return std::nullopt;
    const int length = usableLength(client);
    // Edge j is where the gap after visible entry j starts. The dragged one
    // goes where it was dropped; its neighbours give way so that every gap
    // keeps its width.
    std::vector<std::int64_t> edges(static_cast<std::size_t>(n - 1));
    for (std::int32_t j = 0; j + 1 < n; ++j)
        edges[static_cast<std::size_t>(j)] = gapStart(j);
    const auto i = static_cast<std::size_t>(drag.index);
    edges[i] = std::clamp<std::int64_t>(position, static_cast<std::int64_t>(drag.index) * kSplitterWidth,
                                        static_cast<std::int64_t>(length) - (n - drag.index - 1) * kSplitterWidth);
    for (std::size_t j = i; j-- > 0;)
        edges[j] = std::min(edges[j], edges[j + 1] - kSplitterWidth);
    for (std::size_t j = i + 1; j < edges.size(); ++j)
        edges[j] = std::max(edges[j], edges[j - 1] + kSplitterWidth);
    std::int64_t start = 0;
    for (std::int32_t v = 0; v < n; ++v) {
        const std::int64_t end = v + 1 < n ? edges[static_cast<std::size_t>(v)] : length;
        m_entries.get(m_visible.get(v)).extent = static_cast<std::int32_t>(std::max<std::int64_t>(0, end - start));
        start = end + kSplitterWidth;
    }
    return std::nullopt;
}

} // namespace tessaly
