#include "cli/icon_set_maker.h"

#include <algorithm>
#include <new>
#include <vector>

#include "convert/area_resampler.h"
#include "formats/png_entry.h"

namespace tessaly {

namespace {

std::vector<ColorValue> colorsWithAlphaOf(const IconImage& picture)
{
    const std::vector<std::uint8_t> rgba = PngEntry::rgbaOf(picture);
    std::vector<ColorValue> colors(rgba.size() / 4);
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = makeColor(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]);
    return colors;
}

} // namespace

IconSetMaker::Fit IconSetMaker::fitInSquare(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t side)
{
    // The longer side fills the square; the shorter one is rounded to the
    // nearest pixel and never vanishes.
    const auto shorter = [side](std::int64_t shortSide, std::int64_t longSide) {
        return static_cast<std::int32_t>(std::max<std::int64_t>(1, (2 * side * shortSide + longSide) / (2 * longSide)));
    };
    if (pictureWidth >= pictureHeight)
        return {side, shorter(pictureHeight, pictureWidth)};
    return {shorter(pictureWidth, pictureHeight), side};
}

std::optional<IconImage> IconSetMaker::makeImage(const IconImage& picture, std::int32_t side)
{
    if (side <= 0 || picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    try {
        IconImage image;
        if (!image.create(side, side, 32))
            return std::nullopt;
        const Fit fit = fitInSquare(picture.width(), picture.height(), side);
        const std::int32_t left = (side - fit.width) / 2;
        const std::int32_t top = (side - fit.height) / 2;
        const std::vector<ColorValue> colors = colorsWithAlphaOf(picture);
        const AreaResampler resampler(picture.width(), picture.height(), fit.width, fit.height);
        std::vector<ColorValue> row(static_cast<std::size_t>(fit.width));
        // create left every pixel transparent black: only the picture's own area is filled.
        for (std::int32_t y = 0; y < fit.height; ++y) {
            resampler.resampleRowWeighted(y, colors, row);
            for (std::int32_t x = 0; x < fit.width; ++x) {
                const ColorValue color = row[static_cast<std::size_t>(x)];
                image.setPixel(top + y, left + x, color);
                image.setMask(top + y, left + x, alphaOf(color) == 0);
            }
        }
        return image;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace tessaly
