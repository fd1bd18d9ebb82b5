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

// Distance along one channel from v to the range [low, high].
int gapTo(int v, int low, int high)
{
    return std::max(std::max(low - v, v - high), 0);
}

int farthestFrom(int v, int low, int high)
{
    return std::max(v - low, high - v);
}

constexpr int cellsPerSide(int bits)
{
    return 256 >> bits;
}

} // namespace

NearestColorFinder::NearestColorFinder(std::span<const ColorValue> palette)
    : m_paletteSize(palette.size())
    , m_coarse(
          static_cast<std::size_t>(cellsPerSide(kCoarseBits) * cellsPerSide(kCoarseBits) * cellsPerSide(kCoarseBits)))
    , m_fine(static_cast<std::size_t>(cellsPerSide(kFineBits) * cellsPerSide(kFineBits) * cellsPerSide(kFineBits)))
{
    std::unordered_set<ColorValue> seen;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const ColorValue color = palette[i] & 0x00FFFFFFu;
        if (seen.insert(color).second)
            m_distinct.push_back({color, static_cast<std::int32_t>(i)});
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
    if (m_paletteSize == 0)
        return -1;
    const Cell& cell = fineCell(color);
    const Candidate* candidate = m_fineCandidates.data() + cell.start;
    const Candidate* const last = candidate + cell.count;
    std::int32_t best = -1;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (; candidate != last; ++candidate) {
        const std::int32_t d = squaredDistance(candidate->color, color);
        if (d < bestDistance) {
            best = candidate->index;
            bestDistance = d;
            if (d == 0)
                break;
        }
    }
    return best;
}

std::size_t NearestColorFinder::cellOf(ColorValue color, int bits)
{
    const auto side = static_cast<std::size_t>(cellsPerSide(bits));
    return ((static_cast<std::size_t>(redOf(color) >> bits) * side) +
            static_cast<std::size_t>(greenOf(color) >> bits)) *
               side +
           static_cast<std::size_t>(blueOf(color) >> bits);
}

const NearestColorFinder::Cell& NearestColorFinder::fineCell(ColorValue color)
{
    Cell& fine = m_fine[cellOf(color, kFineBits)];
    if (fine.start == kUnfilled) {
        Cell& coarse = m_coarse[cellOf(color, kCoarseBits)];
        if (coarse.start == kUnfilled)
            coarse = fill(m_distinct, color, kCoarseBits, m_coarseCandidates);
        const std::span<const Candidate> around(m_coarseCandidates.data() + coarse.start, coarse.count);
        fine = fill(around, color, kFineBits, m_fineCandidates);
    }
    return fine;
}

// Every colour of the cell is at most `bound` away from some entry, so all
// its nearest entries (ties included) lie within `bound` of the cell; the
// entries beyond can be left out. `from` holds, in palette order, every entry
// that can be nearest anywhere in a region containing the cell.
NearestColorFinder::Cell NearestColorFinder::fill(std::span<const Candidate> from, ColorValue color, int bits,
                                                  std::vector<Candidate>& into)
{
    const int span = (1 << bits) - 1;
    const int r0 = redOf(color) >> bits << bits;
    const int g0 = greenOf(color) >> bits << bits;
    const int b0 = blueOf(color) >> bits << bits;
    std::int32_t bound = std::numeric_limits<std::int32_t>::max();
    for (const Candidate& c : from) {
        const int fr = farthestFrom(redOf(c.color), r0, r0 + span);
        const int fg = farthestFrom(greenOf(c.color), g0, g0 + span);
        const int fb = farthestFrom(blueOf(c.color), b0, b0 + span);
        bound = std::min(bound, fr * fr + fg * fg + fb * fb);
    }
    // Written without a branch per entry: which entries stay is as good as
    // random to the processor.
    const std::size_t start = into.size();
    into.resize(start + from.size());
    std::size_t kept = 0;
    for (const Candidate& c : from) {
        const int gr = gapTo(redOf(c.color), r0, r0 + span);
        const int gg = gapTo(greenOf(c.color), g0, g0 + span);
        const int gb = gapTo(blueOf(c.color), b0, b0 + span);
        into[start + kept] = c;
        kept += gr * gr + gg * gg + gb * gb <= bound ? 1 : 0;
    }
    into.resize(start + kept);
    return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(kept)};
}

} // namespace tessaly
