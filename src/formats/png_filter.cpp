#include "formats/png_filter.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <vector>

#include "formats/png_unfilter.h"

namespace tessaly {

namespace {

constexpr int kFilterTypes = 5;

// The cost of a filtered byte for MinimumSum: its distance from 0 as a signed byte.
std::uint32_t cost(std::uint8_t byte)
{
    return byte < 128 ? byte : 256u - byte;
}

// The filtered byte at i of a row, with left and upperLeft given (0 left of
// the first pixel).
template <int Type> std::uint8_t filtered(int value, int left, int above, int upperLeft)
{
    int predicted = 0;
    if constexpr (Type == 1)
        predicted = left;
    else if constexpr (Type == 2)
        predicted = above;
    else if constexpr (Type == 3)
        predicted = (left + above) / 2;
    else if constexpr (Type == 4)
        predicted = paethPredictor(left, above, upperLeft);
    return static_cast<std::uint8_t>(value - predicted);
}

// Filters one row with filter Type into to[0 .. n); above is all zeros for
// the first row. Returns the row's cost. The type is a template argument so
// that each filter's loop is compiled without the choice inside it, and the
// first pixel, which has nothing to its left, is done apart.
template <int Type>
std::uint32_t filterRowAs(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step,
                          std::uint8_t* to)
{
    std::uint32_t sum = 0;
    const std::size_t lead = std::min(step, n);
    for (std::size_t i = 0; i < lead; ++i) {
        to[i] = filtered<Type>(row[i], 0, above[i], 0);
        sum += cost(to[i]);
    }
    for (std::size_t i = lead; i < n; ++i) {
        to[i] = filtered<Type>(row[i], row[i - step], above[i], above[i - step]);
        sum += cost(to[i]);
    }
    return sum;
}

std::uint32_t filterRow(int type, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step,
                        std::uint8_t* to)
{
    switch (type) {
    case 1:
        return filterRowAs<1>(row, above, n, step, to);
    case 2:
        return filterRowAs<2>(row, above, n, step, to);
    case 3:
        return filterRowAs<3>(row, above, n, step, to);
    case 4:
        return filterRowAs<4>(row, above, n, step, to);
    default:
        return filterRowAs<0>(row, above, n, step, to);
    }
}

} // namespace

void filterScanlines(std::span<const std::uint8_t> rows, std::size_t rowBytes, std::size_t step, FilterChoice choice,
                     std::span<std::uint8_t> out)
{
    if (rowBytes == 0)
        return;
    const std::size_t count = rows.size() / rowBytes;
    assert(out.size() == count * (rowBytes + 1));
    const std::vector<std::uint8_t> zeros(rowBytes, 0);
    // One scratch row per filter type; the cheapest is copied out.
    std::array<std::vector<std::uint8_t>, kFilterTypes> trial;
    if (choice == FilterChoice::MinimumSum)
        trial.fill(std::vector<std::uint8_t>(rowBytes));
    const std::uint8_t* above = zeros.data();
    for (std::size_t r = 0; r < count; ++r) {
        const std::uint8_t* row = rows.data() + r * rowBytes;
        std::uint8_t* to = out.data() + r * (rowBytes + 1);
        if (choice == FilterChoice::None) {
            to[0] = 0;
            std::copy(row, row + rowBytes, to + 1);
        } else {
            int best = 0;
            std::uint32_t bestCost = UINT32_MAX;
            for (int type = 0; type < kFilterTypes; ++type) {
                const std::uint32_t c = filterRow(type, row, above, rowBytes, step, trial[type].data());
                if (c < bestCost) {
                    bestCost = c;
                    best = type;
                }
            }
            to[0] = static_cast<std::uint8_t>(best);
            std::copy(trial[best].begin(), trial[best].end(), to + 1);
        }
        above = row;
    }
}

} // namespace tessaly
