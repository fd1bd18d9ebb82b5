#include "formats/png_unfilter.h"

#include <algorithm>

namespace tessaly {

namespace {

template <std::size_t Step> void unfilterSubPixels(std::uint8_t* row, std::size_t n)
{
    for (std::size_t i = Step; i + Step <= n; i += Step) {
        for (std::size_t k = 0; k < Step; ++k)
            row[i + k] = static_cast<std::uint8_t>(row[i + k] + row[i + k - Step]);
    }
}

void unfilterSub(std::uint8_t* row, std::size_t n, std::size_t step)
{
    // Whole pixels of 3 or 4 bytes, the pixel size known to the compiler.
    if (step == 3 && n % 3 == 0) {
        unfilterSubPixels<3>(row, n);
        return;
    }
    if (step == 4 && n % 4 == 0) {
        unfilterSubPixels<4>(row, n);
        return;
    }
    for (std::size_t i = step; i < n; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + row[i - step]);
}

void unfilterUp(std::uint8_t* row, const std::uint8_t* above, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
}

void unfilterAverage(std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step)
{
    if (above == nullptr) {
        for (std::size_t i = step; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - step] / 2);
        return;
    }
    const std::size_t lead = std::min(step, n);
    for (std::size_t i = 0; i < lead; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + above[i] / 2);
    for (std::size_t i = step; i < n; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + (row[i - step] + above[i]) / 2);
}

// Paeth one whole pixel at a time, the pixel size known to the compiler:
// the bytes of a pixel are independent chains it can interleave.
template <std::size_t Step> void unfilterPaethPixels(std::uint8_t* row, const std::uint8_t* above, std::size_t n)
{
    for (std::size_t i = Step; i + Step <= n; i += Step) {
        for (std::size_t k = 0; k < Step; ++k)
            row[i + k] = static_cast<std::uint8_t>(
                row[i + k] + paethPredictor(row[i + k - Step], above[i + k], above[i + k - Step]));
    }
}

void unfilterPaeth(std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step)
{
    // Without a row above, Paeth always picks the left byte: it is Sub.
    if (above == nullptr) {
        unfilterSub(row, n, step);
        return;
    }
    // Left of the first pixel, left and upper left are 0: Paeth picks above.
    const std::size_t lead = std::min(step, n);
    for (std::size_t i = 0; i < lead; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
    // Rows hold whole pixels whenever a pixel is whole bytes.
    if (step == 3 && n % 3 == 0) {
        unfilterPaethPixels<3>(row, above, n);
        return;
    }
    if (step == 4 && n % 4 == 0) {
        unfilterPaethPixels<4>(row, above, n);
        return;
    }
    for (std::size_t i = step; i < n; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + paethPredictor(row[i - step], above[i], above[i - step]));
}

// row and above point at the first byte after the filter byte; above is null
// for the first row.
bool unfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step)
{
    switch (type) {
    case 0:
        return true;
    case 1:
        unfilterSub(row, n, step);
        return true;
    case 2:
        if (above != nullptr)
            unfilterUp(row, above, n);
        return true;
    case 3:
        unfilterAverage(row, above, n, step);
        return true;
    case 4:
        unfilterPaeth(row, above, n, step);
        return true;
    default:
        return false;
    }
}

} // namespace

bool unfilterScanlines(std::span<std::uint8_t> rows, std::size_t rowBytes, std::size_t step, UnknownFilter unknown)
{
    if (rowBytes == 0)
        return true;
    const std::uint8_t* above = nullptr;
    for (std::size_t at = 0; at + rowBytes <= rows.size(); at += rowBytes) {
        std::uint8_t* row = rows.data() + at + 1;
        if (!unfilterRow(rows[at], row, above, rowBytes - 1, step) && unknown == UnknownFilter::Fail)
            return false;
        above = row;
    }
    return true;
}

} // namespace tessaly
