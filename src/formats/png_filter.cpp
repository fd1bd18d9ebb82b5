#include "formats/png_filter.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "formats/png_unfilter.h"

namespace tessaly {

namespace {

// The cost of a filtered byte for MinimumSum: its distance from 0 as a signed byte.
inline std::uint32_t cost(std::uint8_t byte)
{
    return byte < 128 ? byte : 256u - byte;
}

// What filter Type predicts from the bytes left, above and upper left.
template <int Type> inline std::uint8_t predicted(std::uint8_t left, std::uint8_t above, std::uint8_t upperLeft)
{
    if constexpr (Type == 0)
        return 0;
    else if constexpr (Type == 1)
        return left;
    else if constexpr (Type == 2)
        return above;
    else if constexpr (Type == 3)
        return static_cast<std::uint8_t>((left + above) >> 1);
    else
        return paethPredictor(left, above, upperLeft);
}

// Bytes between two looks at the running sum: short enough to stop soon
// after a filter is known to lose, long enough for the loop to run in
// vector registers.
constexpr std::size_t kCostBlock = 256;

// The row's cost under filter Type, without writing it; the sum stops
// growing soon after it reaches limit, since that filter has lost already.
// The first pixel, which has nothing to its left, is done apart, so that the
// loop over the rest has no condition inside it.
template <int Type>
std::uint32_t rowCost(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step,
                      std::uint32_t limit)
{
    std::uint32_t sum = 0;
    const std::size_t lead = std::min(step, n);
    for (std::size_t i = 0; i < lead; ++i)
        sum += cost(static_cast<std::uint8_t>(row[i] - predicted<Type>(0, above[i], 0)));
    for (std::size_t i = lead; i < n && sum < limit;) {
        const std::size_t end = std::min(n, i + kCostBlock);
        std::uint32_t part = 0;
        for (; i < end; ++i)
            part += cost(static_cast<std::uint8_t>(row[i] - predicted<Type>(row[i - step], above[i], above[i - step])));
        sum += part;
    }
    return sum;
}

template <int Type>
void writeRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step, std::uint8_t* to)
{
    const std::size_t lead = std::min(step, n);
    for (std::size_t i = 0; i < lead; ++i)
        to[i] = static_cast<std::uint8_t>(row[i] - predicted<Type>(0, above[i], 0));
    for (std::size_t i = lead; i < n; ++i)
        to[i] = static_cast<std::uint8_t>(row[i] - predicted<Type>(row[i - step], above[i], above[i - step]));
}

// The cheapest filter type for the row; on a tie the lower type, as
// each type must be strictly cheaper than those before it.
int cheapestFilter(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step)
{
    int best = 0;
    std::uint32_t bestCost = rowCost<0>(row, above, n, step, UINT32_MAX);
    const auto consider = [&](int type, std::uint32_t c) {
        if (c < bestCost) {
            bestCost = c;
            best = type;
        }
    };
    consider(1, rowCost<1>(row, above, n, step, bestCost));
    consider(2, rowCost<2>(row, above, n, step, bestCost));
    consider(3, rowCost<3>(row, above, n, step, bestCost));
    consider(4, rowCost<4>(row, above, n, step, bestCost));
    return best;
}

void writeRowAs(int type, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t step,
                std::uint8_t* to)
{
    switch (type) {
    case 1:
        return writeRow<1>(row, above, n, step, to);
    case 2:
        return writeRow<2>(row, above, n, step, to);
    case 3:
        return writeRow<3>(row, above, n, step, to);
    case 4:
        return writeRow<4>(row, above, n, step, to);
    default:
        return writeRow<0>(row, above, n, step, to);
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
    const std::uint8_t* above = zeros.data();
    for (std::size_t r = 0; r < count; ++r) {
        const std::uint8_t* row = rows.data() + r * rowBytes;
        std::uint8_t* to = out.data() + r * (rowBytes + 1);
        const int type = choice == FilterChoice::None ? 0 : cheapestFilter(row, above, rowBytes, step);
        to[0] = static_cast<std::uint8_t>(type);
        writeRowAs(type, row, above, rowBytes, step, to + 1);
        above = row;
    }
}

} // namespace tessaly
