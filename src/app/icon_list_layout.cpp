#include "app/icon_list_layout.h"

#include <algorithm>

namespace tessaly {

void IconListLayout::layout(std::int32_t count, std::int32_t clientWidth)
{
    m_count = std::max(count, 0);
    if (m_count == 0) {
        m_columns = m_rows = 0;
        return;
    }
    // The last column needs no gap after it, only the border.
    m_columns = std::max(1, (clientWidth + kColumnGap - kBorder) / kPitch);
    m_rows = (m_count + m_columns - 1) / m_columns;
}

ClientPoint IconListLayout::cellCorner(std::int32_t i) const
{
    if (m_columns == 0)
        return {};
    return {kPitch * (i % m_columns), kPitch * (i / m_columns)};
}

ClientRect IconListLayout::thumbnailRect(std::int32_t i) const
{
    const ClientPoint cell = cellCorner(i);
    return ClientRect::sized(cell.x + kBorder + (kItemWidth - kThumbnailSize) / 2, cell.y + kBorder, kThumbnailSize,
                             kThumbnailSize);
}

ClientRect IconListLayout::labelRect(std::int32_t i) const
{
    const ClientPoint cell = cellCorner(i);
    return ClientRect::sized(cell.x + kBorder, cell.y + kBorder + kThumbnailSize + 4, kItemWidth, kLabelHeight);
}

ClientRect IconListLayout::editingFrameRect(std::int32_t i) const
{
    const ClientRect thumbnail = thumbnailRect(i);
    return {thumbnail.left - kBorder, thumbnail.top - kBorder, thumbnail.right + kBorder, thumbnail.bottom + kBorder};
}

ClientRect IconListLayout::thumbnailHitRect(std::int32_t i) const
{
    const ClientRect thumbnail = thumbnailRect(i);
    return {thumbnail.left - 4, thumbnail.top - 4, thumbnail.right + 4, thumbnail.bottom + 5};
}

std::int32_t IconListLayout::itemAt(ClientPoint point, ClientPoint scroll) const
{
    const std::int32_t x = point.x + scroll.x;
    const std::int32_t y = point.y + scroll.y;
    if (x < 0 || y < 0 || m_columns == 0)
        return -1;
    // The parts of one item stay inside its own cell of the grid (a
    // widened thumbnail reaches up to the cell's first row, no further), so
    // only the cell under the point can hold it.
    const std::int32_t column = x / kPitch;
    const std::int32_t i = (y / kPitch) * m_columns + column;
    if (column >= m_columns || i >= m_count)
        return -1;
    return thumbnailHitRect(i).containsStrictly(x, y) || labelRect(i).containsStrictly(x, y) ? i : -1;
}

std::int32_t IconListLayout::dropIndex(ClientPoint corner, ClientPoint scroll) const
{
    const std::int32_t x = corner.x + scroll.x;
    const std::int32_t y = corner.y + scroll.y;
    // The row of the thumbnail's middle, and the column boundary nearest to
    // it; both divisions truncate toward zero, as a drag above or left of
    // the content gives.
    const std::int32_t row = (y + kThumbnailSize / 2) / kPitch;
    const std::int32_t column = (x + kThumbnailSize / 2 + kPitch / 2) / kPitch;
    return row * m_columns + column;
}

} // namespace tessaly
