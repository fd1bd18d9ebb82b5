#include "convert/nearest_color_finder.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace tessaly {

namespace {

std::int32_t squaredDistance(ColorValue a, ColorValue b)
{
    const int dr = redOf(a) - redOf(b);
    const int dg = greenOf(a) - greenOf(b);
    const int db = blueOf(a) - blueOf(b);
    return dr * dr + dg * dg + db * db;
}

// Distance along one channel from value v to the range [low, high].
int gapTo(int v, int low, int high)
{
    return v < low ? low - v : v > high ? v - high : 0;
}

int farthestFrom(int v, int low, int high) { return std::max(v - low, high - v); }

} // namespace

NearestColorFinder::NearestColorFinder(std::span<const ColorValue> palette)
    : m_palette(palette.begin(), palette.end())
    , m_cellStart(static_cast<std::size_t>(kCellsPerSide * kCellsPerSide * kCellsPerSide), kUnfilled)
    , m_cellCount(m_cellStart.size(), 0)
{
    std::unordered_set<ColorValue> seen;
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        if (seen.insert(m_palette[i] & 0xFFFFFF).second)
            m_distinct.push_back(static_cast<std::int32_t>(i));
    }
}

std::int32_t NearestColorFinder::linearSearch(std::span<const ColorValue> palette, ColorValue color)
{
    std::int32_t best = -1;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::int32_t d = squaredDistance(palette[i], color);
        if (d < bestDistance) {
            best = static_cast<std::int32_t>(i);
            bestDistance = d;
            if (d == 0)
                break;
        }
    }
    return best;
}

std::int32_t NearestColorFinder::find(ColorValue color)
{
    if (m_palette.empty())
        return -1;
    const int red = redOf(color) >> kCellBits;
    const int green = greenOf(color) >> kCellBits;
    const int blue = blueOf(color) >> kCellBits;
    const auto cell = static_cast<std::size_t>((red * kCellsPerSide + green) * kCellsPerSide + blue);
    if (m_cellStart[cell] == kUnfilled)
        fillCell(cell, red, green, blue);
    const std::int32_t* candidate = m_candidates.data() + m_cellStart[cell];
    const std::int32_t* const last = candidate + m_cellCount[cell];
    std::int32_t best = -1;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (; candidate != last; ++candidate) {
        const std::int32_t d = squaredDistance(m_palette[static_cast<std::size_t>(*candidate)], color);
        if (d < bestDistance) {
            best = *candidate;
            bestDistance = d;
            if (d == 0)
                break;
        }
    }
    return best;
}

// Any colour in the cell is at most `bound` away from some entry, so its
// nearest entries (all of them, ties included) lie no farther than `bound`
// from the cell; the entries beyond can be skipped.
void NearestColorFinder::fillCell(std::size_t cell, int red, int green, int blue)
{
    constexpr int kSpan = (1 << kCellBits) - 1;
    const int r0 = red << kCellBits, g0 = green << kCellBits, b0 = blue << kCellBits;
    std::int32_t bound = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t i : m_distinct) {
        const ColorValue c = m_palette[static_cast<std::size_t>(i)];
        const int fr = farthestFrom(redOf(c), r0, r0 + kSpan);
        const int fg = farthestFrom(greenOf(c), g0, g0 + kSpan);
        const int fb = farthestFrom(blueOf(c), b0, b0 + kSpan);
        bound = std::min(bound, fr * fr + fg * fg + fb * fb);
    }
    m_cellStart[cell] = static_cast<std::uint32_t>(m_candidates.size());
    for (std::int32_t i : m_distinct) {
        const ColorValue c = m_palette[static_cast<std::size_t>(i)];
        const int gr = gapTo(redOf(c), r0, r0 + kSpan);
        const int gg = gapTo(greenOf(c), g0, g0 + kSpan);
        const int gb = gapTo(blueOf(c), b0, b0 + kSpan);
        if (gr * gr + gg * gg + gb * gb <= bound)
            m_candidates.push_back(i);
    }
    m_cellCount[cell] = static_cast<std::uint32_t>(m_candidates.size() - m_cellStart[cell]);
}

} // namespace tessaly
