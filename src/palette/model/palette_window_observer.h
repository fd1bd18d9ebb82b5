#pragma once

#include <cstdint>

namespace tessaly {

// The palette window as the Palette sees it: a grid of entry cells.
class PaletteWindowObserver {
public:
    virtual ~PaletteWindowObserver() = default;

    // The entries were replaced or the length changed: lay the grid out again,
    // select entry 0 (or none) and drop the range mark.
    virtual void relayoutAndReset() = 0;
    // Entries first..last changed colour.
    virtual void repaintCells(std::int32_t first, std::int32_t last) = 0;
    // Frame entry index as the selected one (-1: none).
    virtual void selectIndex(std::int32_t index) = 0;
};

} // namespace tessaly
