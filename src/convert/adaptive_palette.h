#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "convert/color_histogram.h"
#include "image/color_value.h"

namespace tessaly {

// The 256-colour palette made for one picture: black first, white last, and
// between them either the picture's own colours in order of first appearance
// (when there are at most 254 of them) or 254 colours found by splitting,
// again and again, the heaviest group of colours into the eight octants
// around its weighted mean, each mean becoming an entry.
class AdaptivePalette {
public:
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kFreeEntries = kSize - 2;

    // colors: the picture's colours other than black and white (alpha 0), in
    // order of first appearance, with their counts; consumed by the split.
    static std::array<ColorValue, kSize> build(std::vector<ColorHistogram::Entry> colors);

private:
    // A group of colours: the range of the colour list that ends before `end`
    // and begins where the previous group ends, and the sum of its counts.
    struct Group {
        std::size_t end;
        std::uint64_t weight;
    };

    static void split(std::vector<ColorHistogram::Entry>& colors, std::array<ColorValue, kSize>& palette);
};

} // namespace tessaly
