#include "convert/halftone_brush_win32.h"

#include <gtest/gtest.h>

#include "convert/dib_section_win32.h"

namespace tessaly {
namespace {

TEST(HalftoneBrush, PaintsAOnePixelCheckerboard)
{
    HalftoneBrush brush;
    ASSERT_TRUE(brush.create());
    DibSection section;
    ASSERT_TRUE(section.create32(12, 10));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section.handle());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    const RECT all{0, 0, 12, 10};
    EXPECT_TRUE(FillRect(dc, &all, brush.handle()));
    SelectObject(dc, old);
    DeleteDC(dc);

    const ColorValue white = makeColor(255, 255, 255);
    const ColorValue black = makeColor(0, 0, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(section.getPixel32(x, y), (x + y) % 2 == 0 ? white : black) << x << "," << y;
}

TEST(HalftoneBrush, HoldsOneBrushAtATime)
{
    HalftoneBrush brush;
    EXPECT_EQ(brush.handle(), nullptr);
    EXPECT_TRUE(brush.release());
    ASSERT_TRUE(brush.create());
    const HBRUSH first = brush.handle();
    EXPECT_FALSE(brush.create());
    EXPECT_EQ(brush.handle(), first);
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(brush.release());
    EXPECT_EQ(brush.handle(), nullptr);
    EXPECT_EQ(GetObjectType(first), 0u);
}

} // namespace
} // namespace tessaly
