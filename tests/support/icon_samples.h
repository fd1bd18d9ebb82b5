#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/pam_encoder.h"
#include "image/icon_image.h"

namespace tessaly::test {

// An image of the given size and bit count in which every palette entry,
// pixel and mask bit follows a pattern that depends on seed, with some
// pixels transparent: two such images are equal only if every byte is.
inline IconImage patternedImage(std::int32_t width, std::int32_t height, std::int32_t bitCount, std::uint32_t seed = 0)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, height, bitCount));
    for (std::int32_t i = 0; i < image.colorCount(); ++i)
        image.setPaletteColor(i, makeColor(static_cast<std::uint8_t>(i * 37 + seed), static_cast<std::uint8_t>(i * 11),
                                           static_cast<std::uint8_t>(255 - i)));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t v = static_cast<std::uint32_t>(x * 7 + y * 13) + seed;
            image.setPixel(y, x, v * 2654435761u);
            image.setMask(y, x, (x + y + seed) % 5 == 0);
        }
    }
    return image;
}

inline ::testing::AssertionResult sameImage(const IconImage& a, const IconImage& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitCount() != b.bitCount())
        return ::testing::AssertionFailure() << a.width() << 'x' << a.height() << 'x' << a.bitCount() << " vs "
                                             << b.width() << 'x' << b.height() << 'x' << b.bitCount();
    auto same = [](auto x, auto y) { return std::equal(x.begin(), x.end(), y.begin(), y.end()); };
    if (!same(a.paletteData(), b.paletteData()))
        return ::testing::AssertionFailure() << "palettes differ";
    if (!same(a.pixelData(), b.pixelData()))
        return ::testing::AssertionFailure() << "pixels differ";
    if (!same(a.maskData(), b.maskData()))
        return ::testing::AssertionFailure() << "masks differ";
    return ::testing::AssertionSuccess();
}

// The picture as 8-bit red, green, blue, alpha, top row first (the PAM samples).
inline std::vector<std::uint8_t> rgbaOf(const IconImage& image)
{
    std::vector<std::uint8_t> rgba;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const auto sample = PamEncoder::rgba(image, y, x);
            rgba.insert(rgba.end(), sample.begin(), sample.end());
        }
    }
    return rgba;
}

// Equal alpha everywhere and equal colours wherever a pixel shows: programs
// differ in what colour they report under a transparent pixel.
inline ::testing::AssertionResult sameVisiblePixels(const std::vector<std::uint8_t>& actual,
                                                    const std::vector<std::uint8_t>& expected, std::int32_t width)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " bytes vs " << expected.size();
    for (std::size_t i = 0; i + 3 < actual.size(); i += 4) {
        const bool visible = expected[i + 3] != 0;
        const bool differ =
            actual[i + 3] != expected[i + 3] || (visible && !std::equal(&actual[i], &actual[i + 3], &expected[i]));
        if (differ) {
            const auto pixel = static_cast<std::int32_t>(i / 4);
            return ::testing::AssertionFailure()
                   << "pixel (x " << pixel % width << ", y " << pixel / width << "): ours " << int(actual[i]) << ','
                   << int(actual[i + 1]) << ',' << int(actual[i + 2]) << ',' << int(actual[i + 3]) << " expected "
                   << int(expected[i]) << ',' << int(expected[i + 1]) << ',' << int(expected[i + 2]) << ','
                   << int(expected[i + 3]);
        }
    }
    return ::testing::AssertionSuccess();
}

inline std::vector<std::uint8_t> fileContents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tessaly::test
