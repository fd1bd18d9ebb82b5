#pragma once

#include <cstdint>

#include "app/client_rect.h"
#include "editing/client_point.h"

namespace tessaly {

// The grid of one icon list: items of a fixed pitch in rows as wide as the
// window allows, each a 32 x 32 thumbnail over two label lines, and which
// item or insertion point a window position names. Rectangles are in content
// coordinates (add the scroll position to a client point to compare).
class IconListLayout {
public:
    static constexpr std::int32_t kItemWidth = 64;
    static constexpr std::int32_t kThumbnailSize = 32;
    static constexpr std::int32_t kColumnGap = 8;
    static constexpr std::int32_t kBorder = 3;
    static constexpr std::int32_t kLabelHeight = 24;
    static constexpr std::int32_t kPitch = kItemWidth + kColumnGap + kBorder;

    // Lays out count items in a client area clientWidth pixels wide: as
    // many columns as fit, at least one; none at all for an empty list.
    void layout(std::int32_t count, std::int32_t clientWidth);

    std::int32_t count() const { return m_count; }
    std::int32_t columns() const { return m_columns; }
    std::int32_t rows() const { return m_rows; }
    // The height the scroll view scrolls over (negative counts as none).
    std::int32_t contentHeight() const { return kPitch * m_rows + kBorder - kColumnGap; }

    // Item i's parts; callers keep 0 <= i < count().
    ClientRect thumbnailRect(std::int32_t i) const;
    ClientRect labelRect(std::int32_t i) const;
    ClientRect editingFrameRect(std::int32_t i) const;
    // The thumbnail widened by the margin that a press may miss it by.
    ClientRect thumbnailHitRect(std::int32_t i) const;

    // The item whose widened thumbnail or label holds the client point
    // strictly inside, or -1.
    std::int32_t itemAt(ClientPoint point, ClientPoint scroll) const;
    // The insertion point for a dragged thumbnail whose top-left corner is
    // at the client point: the gap nearest to the thumbnail's middle. Not
    // clamped; callers clamp it to 0..count.
    std::int32_t dropIndex(ClientPoint corner, ClientPoint scroll) const;

private:
    ClientPoint cellCorner(std::int32_t i) const;

    std::int32_t m_count = 0;
    std::int32_t m_columns = 0;
    std::int32_t m_rows = 0;
};

} // namespace tessaly
