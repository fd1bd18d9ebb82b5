#include "editing/model/cell_grid.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tessaly {

CellGrid::CellGrid(CellGrid&& other) noexcept
{
    *this = std::move(other);
}

CellGrid& CellGrid::operator=(CellGrid&& other) noexcept
{
    if (this != &other) {
        m_cells = std::move(other.m_cells);
        m_rows = std::exchange(other.m_rows, 0);
        m_columns = std::exchange(other.m_columns, 0);
        other.release();
    }
    return *this;
}

bool CellGrid::setSize(std::int32_t rows, std::int32_t columns)
{
    release();
    if (rows < 1 || columns < 1 || rows > kMaxSide || columns > kMaxSide)
        return false;
    try {
        m_cells.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), Cell{});
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    m_rows = rows;
    m_columns = columns;
    return true;
}

void CellGrid::release()
{
    std::vector<Cell>().swap(m_cells);
    m_rows = 0;
    m_columns = 0;
}

bool CellGrid::copyFrom(const CellGrid& other)
{
    if (this == &other)
        return true;
    if (other.isEmpty()) {
        release();
        return true;
    }
    if (!setSize(other.m_rows, other.m_columns))
        return false;
    std::copy(other.m_cells.begin(), other.m_cells.end(), m_cells.begin());
    return true;
}

bool CellGrid::copyFrom(const CellGrid& other, const PixelRect& region)
{
    const PixelRect whole{0, 0, other.m_rows - 1, other.m_columns - 1};
    if (this == &other || region.isEmpty() || region.intersected(whole) != region) {
        if (this != &other)
            release();
        return false;
    }
    if (!setSize(region.rows(), region.columns()))
        return false;
    for (std::int32_t r = 0; r < m_rows; ++r) {
        std::span<const Cell> from =
            other.row(region.top + r)
                .subspan(static_cast<std::size_t>(region.left), static_cast<std::size_t>(m_columns));
        std::copy(from.begin(), from.end(), row(r).begin());
    }
    return true;
}

bool operator==(const CellGrid& a, const CellGrid& b)
{
    return a.m_rows == b.m_rows && a.m_columns == b.m_columns && a.m_cells == b.m_cells;
}

} // namespace tessaly
