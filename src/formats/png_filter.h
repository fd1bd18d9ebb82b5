#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaly {

// How the encoder picks each scanline's filter.
enum class FilterChoice {
    // Filter type 0 on every row: the better choice for palette pictures and
    // samples below 8 bits, where neighbouring bytes are no numbers to predict.
    None,
    // Per row the filter whose output bytes, taken as signed numbers, have
    // the smallest sum of absolute values: small numbers repeat, and repeats
    // are what deflate compresses.
    MinimumSum,
};

// Filters scanlines for a PNG file: rows holds the rows' packed bytes one
// after another (rowBytes each, no filter byte), out receives each row led by
// its filter type byte (rows.size() / rowBytes * (rowBytes + 1) bytes). step
// is the filters' look-back distance in bytes. The row above the first and
// the bytes left of the first pixel count as zeros, as on decoding.
void filterScanlines(std::span<const std::uint8_t> rows, std::size_t rowBytes, std::size_t step, FilterChoice choice,
                     std::span<std::uint8_t> out);

} // namespace tessaly
