#include <gtest/gtest.h>

#include "palette/color_window_colors.h"
#include "palette/color_window_layout.h"
#include "palette/value_box_rules.h"

namespace tessaly {
namespace {

TEST(ColorWindowLayout, BoxesAppearAbove150PixelsAndButtonsAbove174)
{
    ColorWindowLayout layout;
    layout.layout(150, 200, false);
    EXPECT_FALSE(layout.channel(0).boxShown);
    EXPECT_TRUE(layout.channel(0).minus.isEmpty());
    EXPECT_EQ(layout.channel(0).bar, (ViewRect{72, 11, 139, 17}));

    layout.layout(151, 200, false);
    EXPECT_TRUE(layout.channel(2).boxShown);
    EXPECT_EQ(layout.channel(2).box, (ViewRect{120, 57, 140, 69}));
    EXPECT_EQ(layout.channel(2).bar, (ViewRect{72, 59, 107, 65}));
    EXPECT_TRUE(layout.channel(2).plus.isEmpty());

    layout.layout(175, 200, false);
    const ColorWindowLayout::Channel& green = layout.channel(1);
    EXPECT_EQ(green.bar, (ViewRect{81, 35, 122, 41}));
    EXPECT_EQ(green.minus, (ViewRect{72, 35, 77, 40}));
    EXPECT_EQ(green.plus, (ViewRect{126, 35, 131, 40}));
    EXPECT_FALSE(layout.channel(3).boxShown); // no transparency row without alpha
}

TEST(ColorWindowLayout, TheTransparencyRowMovesTheFieldsDown)
{
    ColorWindowLayout layout;
    layout.layout(200, 250, false);
    EXPECT_EQ(layout.channelCount(), 3);
    EXPECT_EQ(layout.hueField(), (ViewRect{11, 86, 189, 218}));
    EXPECT_EQ(layout.lightnessField(), (ViewRect{11, 229, 189, 239}));
    layout.layout(200, 250, true);
    EXPECT_EQ(layout.channelCount(), 4);
    EXPECT_TRUE(layout.channel(3).boxShown);
    EXPECT_EQ(layout.hueField().top, 110);
    // Too low for the lightness field: it is empty and the hue field takes
    // the height down to 11 pixels above the bottom.
    layout.layout(200, 120, false);
    EXPECT_TRUE(layout.lightnessField().isEmpty());
    EXPECT_EQ(layout.lightnessField().top, 111);
    EXPECT_EQ(layout.hueField(), (ViewRect{11, 86, 189, 109}));
}

TEST(ColorWindowLayout, ThumbsFollowTheValueAndANarrowBarHasNoThumbToDrag)
{
    ColorWindowLayout layout;
    layout.layout(175, 200, false);
    EXPECT_EQ(layout.thumb(0, 0), (ViewRect{75, 19, 87, 25}));
    EXPECT_EQ(layout.thumb(0, 255), (ViewRect{116, 19, 128, 25}));
    EXPECT_EQ(layout.thumb(2, 0).bottom, 73);
    EXPECT_EQ(layout.valueAt(0, 60), 0);
    EXPECT_EQ(layout.valueAt(0, 121), 255);
    EXPECT_EQ(layout.valueAt(0, 101), 127);
    layout.layout(84, 200, false); // a bar one pixel wide
    EXPECT_FALSE(layout.barUsable(0));
    EXPECT_EQ(layout.valueAt(0, 90), 0);
    layout.layout(30, 200, false); // no bar at all
    EXPECT_FALSE(layout.barUsable(1));
}

TEST(ColorWindowColors, HueFieldRunsRoundTheColoursFromWhiteToBlack)
{
    // 60 columns: segments of 10.
    EXPECT_EQ(ColorWindowColors::hueColumn(0, 60), makeColor(255, 0, 0));
    EXPECT_EQ(ColorWindowColors::hueColumn(5, 60), makeColor(255, 127, 0));
    EXPECT_EQ(ColorWindowColors::hueColumn(10, 60), makeColor(255, 255, 0)); // segment 1: red falls from 255
    EXPECT_EQ(ColorWindowColors::hueColumn(20, 60), makeColor(0, 255, 0));
    EXPECT_EQ(ColorWindowColors::hueColumn(35, 60), makeColor(0, 128, 255));
    EXPECT_EQ(ColorWindowColors::hueColumn(40, 60), makeColor(0, 0, 255));
    EXPECT_EQ(ColorWindowColors::hueColumn(59, 60), makeColor(255, 0, 26));
    // Uneven segments of a 7-column field: 0, 1, 2, 3, 4, 5, 7.
    EXPECT_EQ(ColorWindowColors::hueColumn(6, 7), makeColor(255, 0, 128));
    EXPECT_EQ(ColorWindowColors::hueColumn(5, 7), makeColor(255, 0, 255));

    // 21 rows: white at the top, the pure hue at row 10, black at the bottom.
    EXPECT_EQ(ColorWindowColors::hueAt(20, 0, 60, 21), makeColor(255, 255, 255));
    EXPECT_EQ(ColorWindowColors::hueAt(20, 5, 60, 21), makeColor(128, 255, 128));
    EXPECT_EQ(ColorWindowColors::hueAt(20, 10, 60, 21), makeColor(0, 255, 0));
    EXPECT_EQ(ColorWindowColors::hueAt(20, 15, 60, 21), makeColor(0, 127, 0));
    EXPECT_EQ(ColorWindowColors::hueAt(20, 20, 60, 21), makeColor(0, 0, 0));
    EXPECT_EQ(ColorWindowColors::hueAt(3, 0, 6, 1), makeColor(255, 255, 255)); // one row: all white
    EXPECT_EQ(ColorWindowColors::hueField(60, 21)[static_cast<std::size_t>(15 * 60 + 20)], makeColor(0, 127, 0));
}

TEST(ColorWindowColors, MidColourBringsTheLightnessToTheMiddle)
{
    EXPECT_EQ(ColorWindowColors::midColor(0), makeColor(127, 127, 127));
    EXPECT_EQ(ColorWindowColors::midColor(makeColor(255, 255, 255)), makeColor(127, 127, 127));
    EXPECT_EQ(ColorWindowColors::midColor(makeColor(64, 32, 0)), makeColor(254, 127, 0));
    EXPECT_EQ(ColorWindowColors::midColor(makeColor(101, 20, 0)), makeColor(255, 50, 0)); // clamped
    EXPECT_EQ(ColorWindowColors::midColor(makeColor(255, 200, 0x40, 0x99)), makeColor(255, 183, 3));
    // The lightness field: black, the mid colour from the centre, white.
    const ColorValue mid = makeColor(200, 100, 0);
    EXPECT_EQ(ColorWindowColors::lightnessAt(0, 11, mid), makeColor(0, 0, 0));
    EXPECT_EQ(ColorWindowColors::lightnessAt(2, 11, mid), makeColor(80, 40, 0));
    EXPECT_EQ(ColorWindowColors::lightnessAt(5, 11, mid), mid);
    EXPECT_EQ(ColorWindowColors::lightnessAt(10, 11, mid), makeColor(255, 255, 255));
}

TEST(ColorWindowColors, SwatchBarsAndLampShowTheColourAsDrawn)
{
    const ColorValue shown = makeColor(200, 100, 50, 128);
    const ColorValue grey = makeColor(192, 192, 192);
    using C = ColorWindowColors;
    EXPECT_EQ(C::swatchColour(shown, grey, false, false, false, 0), makeColor(200, 100, 50));
    EXPECT_EQ(C::swatchColour(shown, grey, false, true, false, 0), makeColor(196, 145, 120)); // blended
    EXPECT_EQ(C::swatchColour(makeColor(0xF0, 0x0F, 0x55), grey, false, false, true, 0), makeColor(0x00, 0xC0, 0x80));
    EXPECT_EQ(C::swatchColour(shown, grey, true, true, true, makeColor(0x40, 0, 0xFF)), makeColor(0x80, 0xC0, 0));
    const auto checker = C::swatchPixels(30, 30, true, 1, 2);
    EXPECT_EQ(checker[0], 2u);
    EXPECT_EQ(checker[8], 1u);
    EXPECT_EQ(checker[8 * 30 + 8], 2u);
    EXPECT_EQ(checker[29 * 30 + 2], 1u);
    EXPECT_EQ(C::swatchPixels(30, 30, false, 1, 2)[8], 1u);

    const auto red = C::barColumns(0, 52, shown, grey);
    ASSERT_EQ(red.size(), 52u);
    EXPECT_EQ(red.front(), makeColor(0, 100, 50));
    EXPECT_EQ(red[17], makeColor(85, 100, 50));
    EXPECT_EQ(red.back(), makeColor(255, 100, 50));
    const auto alpha = C::barColumns(3, 52, shown, grey);
    EXPECT_EQ(alpha.front(), grey);
    EXPECT_EQ(alpha[17], makeColor(194, 161, 144));
    EXPECT_EQ(alpha.back(), makeColor(200, 100, 50));
    EXPECT_TRUE(C::barColumns(1, 1, shown, grey).empty());

    const C::LampTones tones{1, 2, 3};
    const auto dark = C::lampPixels(tones, false);
    EXPECT_EQ(dark[0], 1u);
    EXPECT_EQ(dark[2], 2u);
    EXPECT_EQ(dark[3 * 8 + 0], 2u);
    EXPECT_EQ(dark[3 * 8 + 7], 3u);
    EXPECT_EQ(dark[7 * 8 + 3], 3u);
    EXPECT_EQ(dark[3 * 8 + 3], C::kLampDark);
    EXPECT_EQ(C::lampPixels(tones, true)[1 * 8 + 2], makeColor(0xFF, 0x40, 0x7F));
}

// The rules as typed are in the controller's tests; these are the inputs
// typing cannot give.
TEST(ValueBoxRules, PastedTextBecomesItsDigitsAndLongNumbersDoNotOverflow)
{
    EXPECT_EQ(ValueBoxRules::rewrite("1a2"), "12");
    EXPECT_EQ(ValueBoxRules::rewrite("99999999999"), "255");
    EXPECT_EQ(ValueBoxRules::valueOf("99999999999"), 255);
    EXPECT_FALSE(ValueBoxRules::rewrite("0"));
    EXPECT_FALSE(ValueBoxRules::rewrite("255"));
}

} // namespace
} // namespace tessaly
