#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace tessaly {

// What to do with a scanline whose filter type is not 0-4.
enum class UnknownFilter {
    LeaveRow, // the import's rule: the row stays as it is, the read goes on
    Fail,     // the icon entries' rule: the file is damaged
};

// The Paeth filter's guess from the bytes left, above and upper left. Ties
// go to the left byte, then to the one above, as PNG prescribes. The
// distances are taken from left, above and upper left directly
// (|estimate - left| = |above - upperLeft| and so on), so that compilers can
// choose without branches.
inline std::uint8_t paethPredictor(int left, int above, int upperLeft)
{
    const int toLeft = std::abs(above - upperLeft);
    const int toAbove = std::abs(left - upperLeft);
    const int toUpperLeft = std::abs(left + above - 2 * upperLeft);
    const int nearer = toAbove <= toUpperLeft ? above : upperLeft;
    return static_cast<std::uint8_t>(toLeft <= toAbove && toLeft <= toUpperLeft ? left : nearer);
}

// Undoes the PNG scanline filters in place, top to bottom. rows holds whole
// scanlines of rowBytes bytes, each starting with its filter type byte; step
// is the filters' look-back distance in bytes. The row above the first and
// the bytes left of the first pixel count as zeros. False only for an unknown
// filter type under UnknownFilter::Fail.
bool unfilterScanlines(std::span<std::uint8_t> rows, std::size_t rowBytes, std::size_t step, UnknownFilter unknown);

} // namespace tessaly
