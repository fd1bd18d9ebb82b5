#pragma once

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <random>
#include <span>
#include <vector>

#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/edit_image_observer.h"
#include "editing/model/pixel_rect.h"
#include "image/icon_image.h"

namespace tessaly {

// Short failure messages for whole-grid comparisons: the size and the
// top-left corner of a grid say more than a dump of its bytes.
inline void PrintTo(const CellGrid& grid, std::ostream* os)
{
    *os << grid.rows() << "x" << grid.columns() << " grid";
    for (std::int32_t r = 0; r < grid.rows() && r < 4; ++r) {
        *os << "\n ";
        for (std::int32_t c = 0; c < grid.columns() && c < 8; ++c)
            *os << " " << std::hex << grid.at(r, c).value << "/" << int{grid.at(r, c).mask} << std::dec;
    }
}

inline void PrintTo(const PixelRect& rect, std::ostream* os)
{
    *os << "(top " << rect.top << ", left " << rect.left << ", bottom " << rect.bottom << ", right " << rect.right
        << ")";
}

namespace test {

// Stands in for the canvas or the preview and keeps every report.
class RecordingImageObserver : public EditImageObserver {
public:
    void pixelsChanged(const PixelRect& rect) override { rects.push_back(rect); }
    void imageReplaced() override { ++replaced; }
    void clear()
    {
        rects.clear();
        replaced = 0;
    }

    std::vector<PixelRect> rects;
    int replaced = 0;
};

// An icon image whose pixels are drawn at random from values and whose mask
// bits are set with the given chance.
inline IconImage randomIcon(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                            std::span<const std::uint32_t> values, double maskChance, std::mt19937& rng)
{
    IconImage icon;
    if (!icon.create(width, height, bitCount))
        return icon;
    icon.setStandardPalette();
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    std::bernoulli_distribution masked(maskChance);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            icon.setPixel(y, x, values[pick(rng)]);
            icon.setMask(y, x, masked(rng));
        }
    }
    return icon;
}

// One pixel of a drawn icon: its value and whether it is masked.
struct IconPixel {
    std::uint32_t value;
    bool masked;
};

// A width x height icon with pixel(y, x) everywhere; a palette icon's
// colours begin with the given ones.
template <typename PixelAt>
IconImage drawnIcon(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                    std::initializer_list<ColorValue> colours, PixelAt pixel)
{
    IconImage icon;
    if (!icon.create(width, height, bitCount))
        return icon;
    std::int32_t index = 0;
    for (const ColorValue colour : colours)
        if (index < icon.colorCount())
            icon.setPaletteColor(index++, colour);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const IconPixel p = pixel(y, x);
            icon.setPixel(y, x, p.value);
            icon.setMask(y, x, p.masked);
        }
    }
    return icon;
}

// Random 32-bit colours with alpha, for images of any value.
inline std::vector<std::uint32_t> randomValues(std::size_t n, std::mt19937& rng)
{
    std::vector<std::uint32_t> values(n);
    for (auto& v : values)
        v = static_cast<std::uint32_t>(rng());
    return values;
}

inline CellGrid copyOf(const CellGrid& grid)
{
    CellGrid copy;
    copy.copyFrom(grid);
    return copy;
}

// The bounding rectangle of the cells in which two grids of one size differ.
inline PixelRect differingCells(const CellGrid& a, const CellGrid& b)
{
    PixelRect bounds;
    for (std::int32_t r = 0; r < a.rows(); ++r) {
        for (std::int32_t c = 0; c < a.columns(); ++c) {
            if (a.at(r, c) != b.at(r, c))
                bounds.include(r, c);
        }
    }
    return bounds;
}

// Every cell that differs between the grids lies in one of the rectangles.
inline bool reportsCoverChanges(const std::vector<PixelRect>& rects, const CellGrid& a, const CellGrid& b)
{
    for (std::int32_t r = 0; r < a.rows(); ++r) {
        for (std::int32_t c = 0; c < a.columns(); ++c) {
            if (a.at(r, c) == b.at(r, c))
                continue;
            bool covered = false;
            for (const PixelRect& rect : rects)
                covered = covered || rect.contains(r, c);
            if (!covered)
                return false;
        }
    }
    return true;
}

} // namespace test
} // namespace tessaly
