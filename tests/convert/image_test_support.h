#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>

#include "image/icon_image.h"

namespace tessaly::test {

inline IconImage createdImage(std::int32_t width, std::int32_t height, std::int32_t bitCount)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, height, bitCount)) << width << "x" << height << " at " << bitCount << " bits";
    return image;
}

// Every pixel from `value` (index or colour), every pixel opaque.
inline IconImage paintedImage(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                              const std::function<std::uint32_t(std::int32_t y, std::int32_t x)>& value)
{
    IconImage image = createdImage(width, height, bitCount);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.setPixel(y, x, value(y, x));
            image.setMask(y, x, false);
        }
    }
    return image;
}

inline ColorValue randomColor(std::mt19937& rng, std::uint8_t alpha = 0)
{
    std::uniform_int_distribution<int> channel(0, 255);
    return makeColor(static_cast<std::uint8_t>(channel(rng)), static_cast<std::uint8_t>(channel(rng)),
                     static_cast<std::uint8_t>(channel(rng)), alpha);
}

// Compares what the pixels mean (padding bits and bytes carry nothing).
inline void expectSameImage(const IconImage& actual, const IconImage& expected)
{
    ASSERT_EQ(actual.width(), expected.width());
    ASSERT_EQ(actual.height(), expected.height());
    ASSERT_EQ(actual.bitCount(), expected.bitCount());
    ASSERT_EQ(actual.colorCount(), expected.colorCount());
    for (std::int32_t i = 0; i < expected.colorCount(); ++i)
        ASSERT_EQ(actual.getPaletteColor(i), expected.getPaletteColor(i)) << "palette entry " << i;
    for (std::int32_t y = 0; y < expected.height(); ++y) {
        for (std::int32_t x = 0; x < expected.width(); ++x) {
            ASSERT_EQ(actual.getPixel(y, x), expected.getPixel(y, x)) << "pixel y " << y << " x " << x;
            ASSERT_EQ(actual.getMask(y, x), expected.getMask(y, x)) << "mask y " << y << " x " << x;
        }
    }
}

} // namespace tessaly::test
