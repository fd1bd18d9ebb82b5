#include "image/selected_tint.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

TEST(SelectedTint, BlendFollowsTheAlphaWeights)
{
    const ColorValue bg = makeColor(0xDF, 0xDF, 0xDF);
    EXPECT_EQ(blendOverBackground(makeColor(10, 20, 30), 0, bg), makeColor(0xDE, 0xDE, 0xDE));
    EXPECT_EQ(blendOverBackground(makeColor(10, 20, 30), 255, bg), makeColor(10, 20, 30));
    // (223 * 127 + 0 * 129) >> 8 = 110 for a half-covering black pixel.
    EXPECT_EQ(blendOverBackground(makeColor(0, 0, 0), 128, bg), makeColor(110, 110, 110));
}

TEST(SelectedTint, OnlyOpaqueEnoughSelectedPixelsAreTintedAndLightStaysLight)
{
    const ColorValue white = makeColor(255, 255, 255);
    const ColorValue highlight = makeColor(0x33, 0x99, 0xFF);
    EXPECT_EQ(showPixel32(white, 128, white, true, highlight), white);
    EXPECT_EQ(showPixel32(white, 255, white, false, highlight), white);
    const ColorValue tinted = showPixel32(white, 255, white, true, highlight);
    EXPECT_EQ(tinted, makeColor(0x99, 0xCC, 0xFF));
    // Every channel of a tint lies between the composited pixel and the highlight.
    for (unsigned v = 0; v < 256; v += 5) {
        const ColorValue c = makeColor(v, 255 - v, v / 2);
        const ColorValue t = showPixel32(c, 200, white, true, highlight);
        const ColorValue composited = blendOverBackground(c, 200, white);
        for (int shift : {0, 8, 16}) {
            const unsigned lo = std::min((composited >> shift) & 0xFF, (highlight >> shift) & 0xFF);
            const unsigned hi = std::max((composited >> shift) & 0xFF, (highlight >> shift) & 0xFF);
            EXPECT_GE((t >> shift) & 0xFF, lo);
            EXPECT_LE((t >> shift) & 0xFF, hi);
        }
    }
}

} // namespace
} // namespace tessaly
