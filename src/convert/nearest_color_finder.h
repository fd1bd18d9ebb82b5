#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color_value.h"

namespace tessaly {

// Finds the palette entry nearest to a colour by squared RGB distance, and
// among equally near entries the first, exactly as a search through the
// whole palette from entry 0 would; the alpha byte is ignored.
//
// The colour cube is cut into cells. A cell keeps, in palette order, only the
// entries that can be nearest to some colour inside it: those no farther from
// the cell than the farthest point of the cell is from its best-placed entry.
// A lookup then compares a handful of entries instead of the whole palette.
// Cells are filled on first use, so a picture pays only for the cells it hits.
class NearestColorFinder {
public:
    explicit NearestColorFinder(std::span<const ColorValue> palette);

    // -1 for an empty palette.
    std::int32_t find(ColorValue color);

    // The search the finder must agree with, entry by entry.
    static std::int32_t linearSearch(std::span<const ColorValue> palette, ColorValue color);

private:
    static constexpr int kCellBits = 3; // cells of 8 x 8 x 8 colours
    static constexpr int kCellsPerSide = 256 >> kCellBits;
    static constexpr std::uint32_t kUnfilled = UINT32_MAX;

    void fillCell(std::size_t cell, int red, int green, int blue);

    std::vector<ColorValue> m_palette;
    // The palette indices worth a look: each colour's first entry only, as a
    // later equal entry can never win against it.
    std::vector<std::int32_t> m_distinct;
    // Cell c's candidates are m_candidates[m_cellStart[c]] up to
    // m_candidates[m_cellStart[c] + m_cellCount[c]].
    std::vector<std::uint32_t> m_cellStart;
    std::vector<std::uint32_t> m_cellCount;
    std::vector<std::int32_t> m_candidates;
};

} // namespace tessaly
