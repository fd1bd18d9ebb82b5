#include "formats/png_unfilter.h"

#include <cstdlib>

namespace tessaly {

namespace {

// Ties go to the left byte, then to the one above, as PNG prescribes.
std::uint8_t paeth(int left, int above, int upperLeft)
{
    const int estimate = left + above - upperLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toUpperLeft = std::abs(estimate - upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft)
        return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toAbove <= toUpperLeft ? above : upperLeft);
}

// row and above point at the first byte after the filter byte; above is null
// for the first row.
bool unfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step)
{
    switch (type) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = step; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - step]);
        return true;
    case 2:
        if (above != nullptr) {
            for (std::size_t i = 0; i < n; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
        }
        return true;
    case 3:
        for (std::size_t i = 0; i < n; ++i) {
            const int left = i >= step ? row[i - step] : 0;
            const int up = above != nullptr ? above[i] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + (left + up) / 2);
        }
        return true;
    case 4:
        for (std::size_t i = 0; i < n; ++i) {
            const int left = i >= step ? row[i - step] : 0;
            const int up = above != nullptr ? above[i] : 0;
            const int upperLeft = above != nullptr && i >= step ? above[i - step] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + paeth(left, up, upperLeft));
        }
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
