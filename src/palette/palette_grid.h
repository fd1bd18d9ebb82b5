#pragma once

#include <cstdint>

#include "editing/client_point.h"
#include "editing/view_rect.h"

namespace tessaly {

// The geometry of the palette window: square cells of one pitch in rows of
// `columns`, each cell's colour square inside the one-pixel grid lines left
// and above it. Every position takes the window's scroll position, because
// the grid is content of a vertically scrolling view.
class PaletteGrid {
public:
    static constexpr std::int32_t kDefaultCellSize = 12;

    // Which cells a repaint touches: columns and rows, both inclusive.
    struct CellSpan {
        std::int32_t firstColumn = 0;
        std::int32_t lastColumn = -1;
        std::int32_t firstRow = 0;
        std::int32_t lastRow = -1;

        bool isEmpty() const { return lastColumn < firstColumn || lastRow < firstRow; }
    };

    // Lays out `count` entries in a client area of width x height. Fixed
    // 12-pixel cells, or with `showWhole` the largest cells that let every
    // entry fit (none when not even one pixel per entry fits).
    void layout(std::int32_t width, std::int32_t height, std::int32_t count, bool showWhole);

    std::int32_t cellSize() const { return m_cellSize; }
    std::int32_t columns() const { return m_columns; }
    std::int32_t rows() const { return m_rows; }
    // The scrolled height: every row and the closing grid line.
    std::int32_t contentHeight() const { return m_cellSize * m_rows + 1; }
    bool drawsAnything() const { return m_cellSize != 0 && m_columns != 0 && m_rows != 0; }

    // The top-left corner of cell index (on the grid lines).
    ClientPoint cellOrigin(std::int32_t index, ClientPoint scroll) const;
    // The colour square, (cellSize - 1)^2 pixels inside the grid lines.
    ViewRect colourSquare(std::int32_t index, ClientPoint scroll) const;
    // A place past the last entry, drawn over its grid lines right and below
    // (and above, in the first row) so that they vanish with it.
    ViewRect missingCell(std::int32_t index, ClientPoint scroll) const;
    // The rectangle whose one-pixel outline is the selection frame, on the
    // grid lines around the cell.
    ViewRect frame(std::int32_t index, ClientPoint scroll) const;
    // The square that a range highlight inverts.
    ViewRect rangeMark(std::int32_t index, ClientPoint scroll) const;
    // Where the grid ends: the first column and row right of and below the
    // closing grid lines.
    ClientPoint gridEnd(ClientPoint scroll) const;

    // The cell under a client point; -1 without cells. The result may lie
    // outside the palette, which callers check.
    std::int32_t indexAt(ClientPoint point, ClientPoint scroll) const;
    // Strictly inside the grid: the outer lines themselves are not hits.
    bool hitTest(ClientPoint point, ClientPoint scroll) const;
    // The cells that paint into update, clamped to the grid.
    CellSpan cellsMeeting(const ViewRect& update, ClientPoint scroll) const;

private:
    std::int32_t m_cellSize = 0;
    std::int32_t m_columns = 0;
    std::int32_t m_rows = 0;
};

} // namespace tessaly
