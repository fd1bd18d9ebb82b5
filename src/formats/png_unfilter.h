#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaly {

// What to do with a scanline whose filter type is not 0-4.
enum class UnknownFilter {
    LeaveRow, // the import's rule: the row stays as it is, the read goes on
    Fail,     // the icon entries' rule: the file is damaged
};

// Undoes the PNG scanline filters in place, top to bottom. rows holds whole
// scanlines of rowBytes bytes, each starting with its filter type byte; step
// is the filters' look-back distance in bytes. The row above the first and
// the bytes left of the first pixel count as zeros. False only for an unknown
// filter type under UnknownFilter::Fail.
bool unfilterScanlines(std::span<std::uint8_t> rows, std::size_t rowBytes, std::size_t step, UnknownFilter unknown);

} // namespace tessaly
