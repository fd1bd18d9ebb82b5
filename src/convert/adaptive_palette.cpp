#include "convert/adaptive_palette.h"

#include <algorithm>
#include <cassert>

namespace tessaly {

namespace {

using Entry = ColorHistogram::Entry;

ColorValue weightedMean(const Entry* begin, const Entry* end, std::uint64_t weight)
{
    // 64-bit: count x channel summed over a large picture passes 32 bits.
    std::uint64_t red = 0, green = 0, blue = 0;
    for (const Entry* e = begin; e != end; ++e) {
        red += static_cast<std::uint64_t>(e->count) * redOf(e->color);
        green += static_cast<std::uint64_t>(e->count) * greenOf(e->color);
        blue += static_cast<std::uint64_t>(e->count) * blueOf(e->color);
    }
    return makeColor(static_cast<std::uint8_t>(red / weight), static_cast<std::uint8_t>(green / weight),
                     static_cast<std::uint8_t>(blue / weight));
}

int octantOf(ColorValue color, ColorValue mean)
{
    return (redOf(color) > redOf(mean) ? 1 : 0) + (greenOf(color) > greenOf(mean) ? 2 : 0) +
           (blueOf(color) > blueOf(mean) ? 4 : 0);
}

} // namespace

std::array<ColorValue, AdaptivePalette::kSize> AdaptivePalette::build(std::vector<Entry> colors)
{
    std::array<ColorValue, kSize> palette{};
    palette[0] = makeColor(0, 0, 0);
    palette[kSize - 1] = makeColor(255, 255, 255);
    if (colors.size() <= kFreeEntries) {
        for (std::size_t i = 0; i < colors.size(); ++i)
            palette[i + 1] = colors[i].color;
        return palette;
    }
    split(colors, palette);
    return palette;
}

// Each step takes the heaviest group (the first of equally heavy ones), makes
// its weighted mean an entry, drops the colour equal to the mean from further
// means, and replaces the group by its eight octants around the mean, in
// octant order, each keeping its colours in their previous order.
//
// With more than 254 distinct colours, each counted at least once, and at
// most one colour dropped per step, the heaviest group always weighs
// something: no mean divides by zero.
void AdaptivePalette::split(std::vector<Entry>& colors, std::array<ColorValue, kSize>& palette)
{
    std::uint64_t total = 0;
    for (const Entry& e : colors)
        total += e.count;
    std::vector<Group> groups{{colors.size(), total}};
    groups.reserve(1 + 7 * kFreeEntries);
    std::vector<Entry> sorted(colors.size());
    std::vector<std::uint8_t> octants(colors.size());

    for (std::size_t entry = 1; entry <= kFreeEntries; ++entry) {
        std::size_t heaviest = 0;
        for (std::size_t g = 1; g < groups.size(); ++g) {
            if (groups[g].weight > groups[heaviest].weight)
                heaviest = g;
        }
        const std::size_t begin = heaviest == 0 ? 0 : groups[heaviest - 1].end;
        const std::size_t end = groups[heaviest].end;
        assert(groups[heaviest].weight > 0);
        const ColorValue mean = weightedMean(colors.data() + begin, colors.data() + end, groups[heaviest].weight);
        palette[entry] = mean;

        std::array<std::size_t, 8> sizes{};
        std::array<std::uint64_t, 8> weights{};
        for (std::size_t i = begin; i < end; ++i) {
            Entry& e = colors[i];
            if (e.color == mean)
                e.count = 0;
            const int octant = octantOf(e.color, mean);
            octants[i] = static_cast<std::uint8_t>(octant);
            ++sizes[static_cast<std::size_t>(octant)];
            weights[static_cast<std::size_t>(octant)] += e.count;
        }
        // A stable counting sort by octant.
        std::array<std::size_t, 8> next{};
        std::array<Group, 8> parts{};
        std::size_t at = begin;
        for (std::size_t o = 0; o < 8; ++o) {
            next[o] = at;
            at += sizes[o];
            parts[o] = {at, weights[o]};
        }
        for (std::size_t i = begin; i < end; ++i)
            sorted[next[octants[i]]++] = colors[i];
        std::copy(sorted.begin() + static_cast<std::ptrdiff_t>(begin),
                  sorted.begin() + static_cast<std::ptrdiff_t>(end),
                  colors.begin() + static_cast<std::ptrdiff_t>(begin));

        groups[heaviest] = parts[0];
        groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(heaviest) + 1, parts.begin() + 1, parts.end());
    }
}

} // namespace tessaly
