#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "editing/model/cell_grid.h"

namespace tessaly {

// The pictures that cross the system clipboard, as bytes: what we put there
// from a grid of colour cells, and what another program's bitmap there
// becomes. Kept apart from the clipboard calls so that the parsing of
// foreign bytes can be tested and fuzzed on any platform.
class ClipboardDib {
public:
    // A 32-bit bottom-up bitmap (40-byte header, no colour table) of the
    // grid's ColorValues: per pixel blue, green, red and a 0 fourth byte, the
    // bottom row first. Empty for an empty grid.
    static std::vector<std::uint8_t> fromGrid(const CellGrid& grid);
    // The grid's ColorValues with their alpha as a PNG file. Empty for an empty grid.
    static std::vector<std::uint8_t> pngFromGrid(const CellGrid& grid);
    // Fills grid from a bitmap block of 1, 4, 8, 16, 24 or 32 bits, bottom-up
    // or top-down: every cell the pixel's colour, opaque, mask 0 (the fourth
    // byte of a bitmap is no alpha that can be relied on). False, the grid
    // released, when the block is damaged or of a kind not read.
    static bool toGrid(std::span<const std::uint8_t> block, CellGrid& grid);
};

} // namespace tessaly
