#include "palette/palette_grid.h"

#include <algorithm>

namespace tessaly {
namespace {

// Division rounding toward minus infinity, so that the pixels left of and
// above the grid's origin fall into cell -1 rather than cell 0.
std::int32_t floorDiv(std::int64_t value, std::int32_t divisor)
{
    const std::int64_t q = value / divisor;
    return static_cast<std::int32_t>(value % divisor < 0 ? q - 1 : q);
}

} // namespace

void PaletteGrid::layout(std::int32_t width, std::int32_t height, std::int32_t count, bool showWhole)
{
    m_cellSize = 0;
    m_columns = 0;
    m_rows = 0;
    const std::int64_t across = std::max(width - 1, 0);
    const std::int64_t down = std::max(height - 1, 0);
    if (showWhole) {
        if (count <= 0)
            return;
        // The largest pitch at which every entry still fits. Cells only shrink
        // the room for more cells as they grow, so the first misfit ends it.
        for (std::int64_t s = 1; s <= across && s <= down; ++s) {
            if ((across / s) * (down / s) < count)
                break;
            m_cellSize = static_cast<std::int32_t>(s);
        }
        if (m_cellSize == 0)
            return;
    } else {
        m_cellSize = kDefaultCellSize;
    }
    m_columns = std::max<std::int32_t>(1, static_cast<std::int32_t>(across / m_cellSize));
    m_rows = count > 0 ? static_cast<std::int32_t>((static_cast<std::int64_t>(count) + m_columns - 1) / m_columns) : 0;
}

ClientPoint PaletteGrid::cellOrigin(std::int32_t index, ClientPoint scroll) const
{
    if (m_columns == 0)
        return {};
    return {(index % m_columns) * m_cellSize - scroll.x, (index / m_columns) * m_cellSize - scroll.y};
}

ViewRect PaletteGrid::colourSquare(std::int32_t index, ClientPoint scroll) const
{
    const ClientPoint o = cellOrigin(index, scroll);
    return {o.x + 1, o.y + 1, o.x + m_cellSize, o.y + m_cellSize};
}

ViewRect PaletteGrid::missingCell(std::int32_t index, ClientPoint scroll) const
{
    const ClientPoint o = cellOrigin(index, scroll);
    const bool firstRow = m_columns != 0 && index / m_columns == 0;
    return {o.x + 1, firstRow ? o.y : o.y + 1, o.x + 1 + m_cellSize, o.y + 1 + m_cellSize};
}

ViewRect PaletteGrid::frame(std::int32_t index, ClientPoint scroll) const
{
    const ClientPoint o = cellOrigin(index, scroll);
    return {o.x, o.y, o.x + m_cellSize + 1, o.y + m_cellSize + 1};
}

ViewRect PaletteGrid::rangeMark(std::int32_t index, ClientPoint scroll) const
{
    const ClientPoint o = cellOrigin(index, scroll);
    const std::int32_t side = m_cellSize - 3;
    return {o.x + 2, o.y + 2, o.x + 2 + side, o.y + 2 + side};
}

ClientPoint PaletteGrid::gridEnd(ClientPoint scroll) const
{
    return {m_cellSize * m_columns - scroll.x + 1, m_cellSize * m_rows - scroll.y + 1};
}

std::int32_t PaletteGrid::indexAt(ClientPoint point, ClientPoint scroll) const
{
    if (m_cellSize == 0)
        return -1;
    // A negative coordinate has one cell subtracted before the truncating
    // division, which puts it into the cell before the first.
    auto cell = [this](std::int64_t v) {
        if (v < 0)
            v -= m_cellSize;
        return v / m_cellSize;
    };
    const std::int64_t px = static_cast<std::int64_t>(point.x) + scroll.x;
    const std::int64_t py = static_cast<std::int64_t>(point.y) + scroll.y;
    const std::int64_t index = cell(py) * m_columns + cell(px);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(index, INT32_MIN, INT32_MAX));
}

bool PaletteGrid::hitTest(ClientPoint point, ClientPoint scroll) const
{
    const std::int64_t px = static_cast<std::int64_t>(point.x) + scroll.x;
    const std::int64_t py = static_cast<std::int64_t>(point.y) + scroll.y;
    return px > 0 && px < static_cast<std::int64_t>(m_columns) * m_cellSize && py > 0 &&
           py < static_cast<std::int64_t>(m_rows) * m_cellSize;
}

PaletteGrid::CellSpan PaletteGrid::cellsMeeting(const ViewRect& update, ClientPoint scroll) const
{
    if (!drawsAnything() || update.isEmpty())
        return {};
    // A missing cell reaches one pixel into the cell right of and below it,
    // so the cells one pixel before the update rectangle paint into it too.
    const auto column = [&](std::int64_t x) { return floorDiv(x + scroll.x, m_cellSize); };
    const auto row = [&](std::int64_t y) { return floorDiv(y + scroll.y, m_cellSize); };
    CellSpan span{std::max(column(static_cast<std::int64_t>(update.left) - 1), 0),
                  std::min(column(static_cast<std::int64_t>(update.right) - 1), m_columns - 1),
                  std::max(row(static_cast<std::int64_t>(update.top) - 1), 0),
                  std::min(row(static_cast<std::int64_t>(update.bottom) - 1), m_rows - 1)};
    return span;
}

} // namespace tessaly
