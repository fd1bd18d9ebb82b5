#include "editing/canvas_backgrounds.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(CanvasBackgrounds, EachChoiceSetsItsColoursAndGridAndLeavesTheRest)
{
    struct Expected {
        bool twoTone;
        ColorValue first;
        ColorValue grid;
    };
    const Expected expected[CanvasBackgrounds::kCount] = {
        {false, makeColor(255, 255, 255), makeColor(175, 175, 175)},
        {false, makeColor(0, 0, 0), makeColor(96, 96, 128)},
        {false, makeColor(192, 192, 192), makeColor(48, 48, 96)},
        {false, makeColor(64, 128, 112), makeColor(64, 64, 64)},
        {false, makeColor(64, 96, 128), makeColor(64, 64, 64)},
        {false, makeColor(128, 96, 96), makeColor(64, 64, 64)},
        {true, makeColor(255, 255, 255), makeColor(0, 0, 0)},
        {true, makeColor(192, 192, 192), makeColor(0, 0, 0)},
    };
    for (std::int32_t index = 0; index < CanvasBackgrounds::kCount; ++index) {
        CanvasAppearance look;
        look.gridShown = false;
        look.maskOverlay = true;
        ASSERT_TRUE(CanvasBackgrounds::apply(index, look)) << index;
        EXPECT_EQ(look.twoTone, expected[index].twoTone) << index;
        EXPECT_EQ(look.background1, expected[index].first) << index;
        EXPECT_EQ(look.gridColour, expected[index].grid) << index;
        EXPECT_FALSE(look.gridShown) << index;
        EXPECT_TRUE(look.maskOverlay) << index;
    }
    CanvasAppearance light;
    CanvasBackgrounds::apply(CanvasBackgrounds::kDefault, light);
    EXPECT_EQ(light.background2, makeColor(192, 192, 192)); // the light checkerboard
    CanvasAppearance dark;
    CanvasBackgrounds::apply(7, dark);
    EXPECT_EQ(dark.background2, makeColor(127, 127, 127));
}

TEST(CanvasBackgrounds, IndicesThatAreNoChoiceChangeNothing)
{
    CanvasAppearance look;
    ASSERT_TRUE(CanvasBackgrounds::apply(3, look));
    const CanvasAppearance before = look;
    for (const std::int32_t index : {-1, 8, 9, 1 << 30}) {
        EXPECT_FALSE(CanvasBackgrounds::isChoice(index)) << index;
        EXPECT_FALSE(CanvasBackgrounds::apply(index, look)) << index;
        EXPECT_EQ(look, before) << index;
    }
    EXPECT_TRUE(CanvasBackgrounds::isChoice(0));
    EXPECT_TRUE(CanvasBackgrounds::isChoice(7));
}

} // namespace
} // namespace tessaly
