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
// the cell than the farthest point of the cell is from one well-placed entry.
// A lookup then compares a handful of entries instead of the whole palette.
// Cells are filled on first use, so a picture pays only for the cells it
// hits, and a small cell is filled from the entries of the large cell around
// it rather than from the whole palette.
class NearestColorFinder {
public:
    explicit NearestColorFinder(std::span<const ColorValue> palette);

    // -1 for an empty palette.
    std::int32_t find(ColorValue color);

    // The search the finder must agree with, entry by entry.
    static std::int32_t linearSearch(std::span<const ColorValue> palette, ColorValue color);

private:
    struct Candidate {
        ColorValue color;
        std::int32_t index;
    };
    struct Cell {
        std::uint32_t start = kUnfilled;
        std::uint32_t count = 0;
    };
    // Cells of 32 and of 8 colour steps along each channel.
    static constexpr int kCoarseBits = 5;
    static constexpr int kFineBits = 3;
    static constexpr std::uint32_t kUnfilled = UINT32_MAX;

    static std::size_t cellOf(ColorValue color, int bits);
    static Cell fill(std::span<const Candidate> from, ColorValue color, int bits, std::vector<Candidate>& into);
    const Cell& fineCell(ColorValue color);

    std::size_t m_paletteSize;
    // Each colour's first entry only: a later equal entry can never win.
    std::vector<Candidate> m_distinct;
    std::vector<Cell> m_coarse;
    std::vector<Cell> m_fine;
    std::vector<Candidate> m_coarseCandidates;
    std::vector<Candidate> m_fineCandidates;
};

} // namespace tessaly
