#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "editing/model/cell.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// A rows x columns block of cells, row 0 at the top: the image under edit,
// the saved pixels of undo steps, floating content and the image clipboard.
// Copies are explicit (copyFrom) because they can fail for lack of memory.
class CellGrid {
public:
    // No grid is larger than the largest icon image on either side.
    static constexpr std::int32_t kMaxSide = 16384;

    CellGrid() = default;
    CellGrid(const CellGrid&) = delete;
    CellGrid& operator=(const CellGrid&) = delete;
    CellGrid(CellGrid&& other) noexcept;
    CellGrid& operator=(CellGrid&& other) noexcept;
    ~CellGrid() = default;

    // Every cell becomes (0, 0). False, leaving the grid released, when a
    // side is below 1 or above kMaxSide or memory runs out.
    bool setSize(std::int32_t rows, std::int32_t columns);
    // Back to 0 x 0, returning the memory.
    void release();
    // An exact copy of other (size and cells); false, released, on failure.
    bool copyFrom(const CellGrid& other);
    // A copy of the cells of region (in other's rows and columns); false,
    // released, unless region is non-empty and inside other.
    bool copyFrom(const CellGrid& other, const PixelRect& region);

    std::int32_t rows() const { return m_rows; }
    std::int32_t columns() const { return m_columns; }
    bool isEmpty() const { return m_rows == 0; }

    // No bounds checks: callers keep 0 <= row < rows() and 0 <= column < columns().
    std::span<Cell> row(std::int32_t r) { return {m_cells.data() + offset(r, 0), static_cast<std::size_t>(m_columns)}; }
    std::span<const Cell> row(std::int32_t r) const
    {
        return {m_cells.data() + offset(r, 0), static_cast<std::size_t>(m_columns)};
    }
    Cell& at(std::int32_t r, std::int32_t c) { return m_cells[offset(r, c)]; }
    const Cell& at(std::int32_t r, std::int32_t c) const { return m_cells[offset(r, c)]; }

    // Same size and the same value and mask in every cell.
    friend bool operator==(const CellGrid& a, const CellGrid& b);

private:
    std::size_t offset(std::int32_t r, std::int32_t c) const
    {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(c);
    }

    std::vector<Cell> m_cells;
    std::int32_t m_rows = 0;
    std::int32_t m_columns = 0;
};

} // namespace tessaly
