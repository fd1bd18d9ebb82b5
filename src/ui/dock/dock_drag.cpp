#include "ui/dock/dock_drag.h"

#include <algorithm>
#include <cstdint>

namespace tessaly {

namespace {

bool movesLeft(int hit)
{
    return hit == kDockHitLeft || hit == kDockHitTopLeft || hit == kDockHitBottomLeft;
}
bool movesTop(int hit)
{
    return hit == kDockHitTop || hit == kDockHitTopLeft || hit == kDockHitTopRight;
}
bool movesRight(int hit)
{
    return hit == kDockHitRight || hit == kDockHitTopRight || hit == kDockHitBottomRight;
}
bool movesBottom(int hit)
{
    return hit == kDockHitBottom || hit == kDockHitBottomLeft || hit == kDockHitBottomRight;
}

// The grab offset scaled from the length it was taken on to another length.
int proportional(int grab, int from, int to)
{
    if (from <= 0)
        return std::clamp(grab, 0, std::max(0, to));
    return static_cast<int>(static_cast<std::int64_t>(grab) * to / from);
}

} // namespace

bool DockDrag::begin(int hitCode, DockPoint pointer, const DockRect& window, const DockFrameSizes& sizes)
{
    if (hitCode == kDockHitCaption)
        m_mode = Mode::Moving;
    else if (hitCode >= kDockHitLeft && hitCode <= kDockHitBottomRight)
        m_mode = Mode::Sizing;
    else
        return false;
    m_hitCode = hitCode;
    m_start = pointer;
    m_grabX = pointer.x - window.left;
    m_grabY = pointer.y - window.top;
    m_window = window;
    m_sizes = sizes;
    m_moved = false;
    m_outline = {window, false};
    return true;
}

bool DockDrag::follow(DockPoint pointer, const DockTargets& targets)
{
    if (m_mode == Mode::None)
        return false;
    if (!m_moved && pointer == m_start)
        return false;
    m_moved = true;
    m_outline = m_mode == Mode::Moving ? moveOutline(pointer, targets) : DockOutlineShape{sizedRect(pointer), false};
    return true;
}

DockRect DockDrag::placed(DockPoint pointer, int width, int height) const
{
    const int left = pointer.x - proportional(m_grabX, m_window.width(), width);
    const int top = pointer.y - proportional(m_grabY, m_window.height(), height);
    return {left, top, left + width, top + height};
}

DockOutlineShape DockDrag::moveOutline(DockPoint pointer, const DockTargets& targets) const
{
    const DockRect candidate = floatingRectAt(pointer);
    if (const std::optional<std::size_t> index = targets.findBarAt(candidate)) {
        const DockBarTarget& bar = targets.bars[*index];
        // In its own bar the frame keeps its length along the bar.
        if (isHorizontal(bar.side)) {
            const int width = bar.holdsFrame ? m_window.width() : m_sizes.floatingWidth;
            return {placed(pointer, width, m_sizes.dockedHeight), true};
        }
        const int height = bar.holdsFrame ? m_window.height() : m_sizes.floatingHeight;
        return {placed(pointer, m_sizes.dockedWidth, height), true};
    }
    if (const std::optional<DockSide> side = targets.findSideAt(candidate)) {
        // Where a new innermost bar of that side would lie.
        const DockRect& c = targets.clientWindow;
        const DockRect& site = targets.siteClient;
        switch (*side) {
        case DockSide::Top:
            return {{site.left, c.top, site.right, c.top + m_sizes.dockedHeight}, true};
        case DockSide::Bottom:
            return {{site.left, c.bottom - m_sizes.dockedHeight, site.right, c.bottom}, true};
        case DockSide::Left:
            return {{c.left, c.top, c.left + m_sizes.dockedWidth, c.bottom}, true};
        case DockSide::Right:
            return {{c.right - m_sizes.dockedWidth, c.top, c.right, c.bottom}, true};
        }
    }
    return {candidate, false};
}

DockRect DockDrag::sizedRect(DockPoint pointer) const
{
    const int dx = pointer.x - m_start.x;
    const int dy = pointer.y - m_start.y;
    DockRect r = m_window;
    if (movesLeft(m_hitCode))
        r.left = std::min(m_window.left + dx, r.right - m_sizes.minimumWidth);
    if (movesRight(m_hitCode))
        r.right = std::max(m_window.right + dx, r.left + m_sizes.minimumWidth);
    if (movesTop(m_hitCode))
        r.top = std::min(m_window.top + dy, r.bottom - m_sizes.minimumHeight);
    if (movesBottom(m_hitCode))
        r.bottom = std::max(m_window.bottom + dy, r.top + m_sizes.minimumHeight);
    return r;
}

} // namespace tessaly
