#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "convert/dib_section_win32.h"
#include "palette/color_window_colors.h"
#include "support/palette_workbench_win32.h"

namespace tessaly {
namespace {

constexpr ColorValue kGrid = PaletteWindowController::kGridColour;
constexpr ColorValue kWhite = makeColor(255, 255, 255);

ColorValue face()
{
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return makeColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

ColorValue inverted(ColorValue c)
{
    return ~c & 0x00FFFFFFu;
}

// Entry i is (i, 255 - i, 40 + i % 7): no two entries of 256 alike, none
// equal to the grid, the frame or the button face.
std::vector<ColorValue> numbered(std::int32_t n)
{
    std::vector<ColorValue> colours;
    for (std::int32_t i = 0; i < n; ++i)
        colours.push_back(makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                    static_cast<std::uint8_t>(40 + i % 7)));
    return colours;
}

// The palette window at (0, 0), the colour window right of it, a canvas below.
class PaletteWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(640, 480, RECT{0, 240, 300, 480}, RECT{0, 0, 193, 200}, RECT{210, 0, 410, 220}));
    }

    RECT clientOf(const Window& window) const
    {
        RECT rect{};
        window.clientRect(rect);
        return rect;
    }

    // The window's client area as WM_PRINTCLIENT draws it.
    void render(const Window& window)
    {
        const RECT rect = clientOf(window);
        shot.release();
        ASSERT_TRUE(shot.create32(rect.right, rect.bottom));
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, shot.handle());
        window.send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
    }

    void resizePalette(int width, int height)
    {
        bench.paletteWindow.setPosition(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    ColorValue at(int x, int y) const { return shot.getPixel32(x, y); }

    static LPARAM point(int x, int y) { return MAKELPARAM(x, y); }

    test::PaletteWorkbench bench;
    DibSection shot;
};

TEST_F(PaletteWindowsTest, AFullPaletteAtWidth193ShowsSixteenColumnsOfTwelvePixelCells)
{
    bench.palette.replace(numbered(256));
    const RECT client = clientOf(bench.paletteWindow);
    ASSERT_EQ(client.right, 193);
    EXPECT_EQ(bench.paletteWindow.contentHeight(), 193);
    render(bench.paletteWindow);
    const std::vector<ColorValue> colours = numbered(256);
    EXPECT_EQ(at(1, 1), colours[0]);
    for (const std::int32_t i : {1, 15, 16, 100, 255}) {
        const int x0 = (i % 16) * 12, y0 = (i / 16) * 12;
        EXPECT_EQ(at(x0 + 1, y0 + 1), colours[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(at(x0 + 11, y0 + 11), colours[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(at(x0 + 12, y0 + 6), kGrid) << i; // the line to the right
        EXPECT_EQ(at(x0 + 6, y0 + 12), kGrid) << i; // the line below
    }
    // Entry 0 is framed in white, on the grid lines around it.
    EXPECT_EQ(at(0, 0), kWhite);
    EXPECT_EQ(at(6, 12), kWhite);
    EXPECT_EQ(at(12, 6), kWhite);
    EXPECT_EQ(at(24, 6), kGrid);
    EXPECT_EQ(at(192, 192), kGrid);
    EXPECT_EQ(at(100, 193), face()); // below the closing line
}

TEST_F(PaletteWindowsTest, GridLinesVanishWithThePlacesPastTheLastEntry)
{
    bench.palette.replace(numbered(20));
    render(bench.paletteWindow);
    const std::vector<ColorValue> colours = numbered(20);
    EXPECT_EQ(at(3 * 12 + 6, 18), colours[19]);
    for (const int column : {4, 9, 15})
        EXPECT_EQ(at(column * 12 + 6, 18), face()) << column;
    EXPECT_EQ(at(60, 18), face());  // between two missing places
    EXPECT_EQ(at(54, 24), face());  // below a missing place
    EXPECT_EQ(at(192, 18), face()); // the closing line beside them
    EXPECT_EQ(at(48, 18), kGrid);   // bordering entry 19
    EXPECT_EQ(at(54, 12), kGrid);   // bordering entry 4 above
    EXPECT_EQ(at(42, 24), kGrid);   // below entry 19
    EXPECT_EQ(at(192, 6), kGrid);
    EXPECT_EQ(at(6, 30), face());
}

TEST_F(PaletteWindowsTest, ShowWholeFitsSixteenEntriesInto24PixelCellsOrDrawsNothing)
{
    resizePalette(100, 100);
    bench.paletteController.setShowWhole(true);
    bench.palette.replace(numbered(16));
    ASSERT_EQ(clientOf(bench.paletteWindow).right, 100);
    EXPECT_EQ(bench.paletteController.grid().cellSize(), 24);
    render(bench.paletteWindow);
    const std::vector<ColorValue> colours = numbered(16);
    EXPECT_EQ(at(3 * 24 + 1, 3 * 24 + 1), colours[15]);
    EXPECT_EQ(at(3 * 24 + 23, 3 * 24 + 23), colours[15]);
    EXPECT_EQ(at(96, 50), kGrid);
    EXPECT_EQ(at(97, 50), face());
    EXPECT_EQ(at(50, 98), face());

    resizePalette(4, 4); // three pixels inside the grid lines for sixteen entries
    EXPECT_EQ(bench.paletteController.grid().cellSize(), 0);
    render(bench.paletteWindow);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(at(x, y), face()) << x << "," << y;
}

TEST_F(PaletteWindowsTest, ARightDragMarksTheRangeWithAHalfInvertedSquare)
{
    bench.palette.replace(numbered(20));
    HWND window = bench.paletteWindow.handle();
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, point(12 + 6, 6));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, point(3 * 12 + 6, 6));
    ASSERT_TRUE(bench.paletteController.rangeShown());
    render(bench.paletteWindow);
    const std::vector<ColorValue> colours = numbered(20);
    for (const std::int32_t i : {1, 2, 3}) {
        const int x0 = i * 12;
        const ColorValue c = colours[static_cast<std::size_t>(i)];
        EXPECT_EQ(at(x0 + 1, 5), c) << i; // the ring inside the grid lines stays
        EXPECT_EQ(at(x0 + 11, 5), c) << i;
        EXPECT_EQ(at(x0 + 5, 1), c) << i;
        int flipped = 0;
        for (int y = 2; y < 11; ++y) {
            for (int x = x0 + 2; x < x0 + 11; ++x) {
                const ColorValue p = at(x, y);
                ASSERT_TRUE(p == c || p == inverted(c)) << i << ": " << x << "," << y;
                flipped += p == inverted(c) ? 1 : 0;
                // A checkerboard: every neighbour of a pixel is the other kind.
                if (x + 1 < x0 + 11) {
                    EXPECT_NE(p, at(x + 1, y)) << x << "," << y;
                }
                if (y + 1 < 11) {
                    EXPECT_NE(p, at(x, y + 1)) << x << "," << y;
                }
            }
        }
        EXPECT_TRUE(flipped == 40 || flipped == 41) << flipped;
    }
    EXPECT_EQ(at(4 * 12 + 6, 6), colours[4]);
    EXPECT_EQ(at(6, 6), colours[0]);

    // Losing the mouse ends the press: no menu, and the mark goes.
    ReleaseCapture();
    EXPECT_FALSE(bench.paletteController.isPressed());
    EXPECT_FALSE(bench.paletteController.rangeShown());
}

TEST_F(PaletteWindowsTest, TheRangePatternMovesWithTheContentWhenScrolled)
{
    bench.palette.replace(numbered(256));
    resizePalette(193 + GetSystemMetrics(SM_CXVSCROLL), 100);
    // The bar came with the content: the grid is laid out for the client it left.
    ASSERT_EQ(clientOf(bench.paletteWindow).right, 193);
    ASSERT_EQ(bench.paletteController.grid().columns(), 16);
    HWND window = bench.paletteWindow.handle();
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, point(12 + 6, 12 + 6));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, point(3 * 12 + 6, 12 + 6));
    const auto flippedAt = [&](int scrollY) {
        render(bench.paletteWindow);
        std::vector<bool> flipped; // over the mark of entry 18, in content coordinates
        for (int y = 14; y < 23; ++y)
            for (int x = 26; x < 35; ++x)
                flipped.push_back(at(x, y - scrollY) != numbered(256)[18]);
        return flipped;
    };
    const std::vector<bool> before = flippedAt(0);
    bench.paletteWindow.scrollTo(0, 3);
    ASSERT_EQ(bench.paletteWindow.scrollPosition().y, 3);
    EXPECT_EQ(flippedAt(3), before);
    ReleaseCapture();
}

// While the menu is open, reads its items' states and closes it.
struct MenuProbe {
    static inline HMENU menu = nullptr;
    static inline std::array<UINT, 3> states{};
    static inline bool seen = false;
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        const UINT ids[3] = {5001, 5003, 5002};
        for (std::size_t k = 0; k < 3; ++k)
            states[k] = GetMenuState(menu, ids[k], MF_BYCOMMAND);
        seen = true;
        EndMenu();
    }
};

TEST_F(PaletteWindowsTest, ARightClickOnOneCellOpensThePopupWithOnlyCopyEnabled)
{
    bench.palette.replace(numbered(20));
    HMENU menu = bench.paletteWindow.contextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const std::wstring texts[3] = {L"コピー", L"グラデーション（始点→終点）", L"この位置に貼り付け（上書き）"};
    const UINT ids[3] = {5001, 5003, 5002};
    for (int k = 0; k < 3; ++k) {
        wchar_t text[64]{};
        GetMenuStringW(menu, static_cast<UINT>(k), text, 64, MF_BYPOSITION);
        EXPECT_EQ(text, texts[k]);
        EXPECT_EQ(GetMenuItemID(menu, k), ids[k]);
    }
    MenuProbe::menu = menu;
    MenuProbe::seen = false;
    SetTimer(nullptr, 0, 200, &MenuProbe::tick);
    HWND window = bench.paletteWindow.handle();
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, point(7 * 12 + 6, 6));
    SendMessageW(window, WM_RBUTTONUP, 0, point(7 * 12 + 6, 6)); // returns when the menu has closed
    ASSERT_TRUE(MenuProbe::seen);
    EXPECT_EQ(MenuProbe::states[0] & MF_GRAYED, 0u);
    EXPECT_NE(MenuProbe::states[1] & MF_GRAYED, 0u);
    EXPECT_NE(MenuProbe::states[2] & MF_GRAYED, 0u);
    EXPECT_EQ(bench.paletteMenu.start(), 7);
    EXPECT_EQ(bench.paletteMenu.end(), 7);
}

TEST_F(PaletteWindowsTest, TheSwatchAndTheBarsShowTheDrawingColour)
{
    const ColorValue colour = makeColor(200, 100, 50);
    bench.toolState.setDrawingValue(colour);
    render(bench.colourWindow);
    const ColorWindowLayout& layout = bench.colorController.layout();
    ASSERT_TRUE(layout.channel(0).boxShown);
    EXPECT_EQ(at(11, 11), colour);
    EXPECT_EQ(at(40, 40), colour);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(at(10, 20), makeColor(GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)));
    EXPECT_EQ(at(41, 20), makeColor(GetRValue(light), GetGValue(light), GetBValue(light)));
    const ViewRect red = layout.channel(0).bar;
    EXPECT_EQ(at(red.left, red.top), makeColor(0, 100, 50));
    EXPECT_EQ(at(red.right - 1, red.bottom - 1), makeColor(255, 100, 50));
    const ViewRect blue = layout.channel(2).bar;
    EXPECT_EQ(at(blue.left + blue.width() / 2, blue.top + 2),
              ColorWindowColors::barColumns(2, blue.width(), colour, 0)[static_cast<std::size_t>(blue.width() / 2)]);
    // The green thumb at 100: its tip and the corners of its base are black.
    const ViewRect thumb = layout.thumb(1, 100);
    EXPECT_EQ(at(thumb.left + 6, thumb.top), 0u);
    EXPECT_EQ(at(thumb.left, thumb.bottom), 0u);
    EXPECT_EQ(at(thumb.right, thumb.bottom), 0u);
    EXPECT_EQ(at(thumb.left + 6, thumb.top + 3), face());
    const ViewRect hue = layout.hueField();
    EXPECT_EQ(at(hue.left + 40, hue.top + 9), ColorWindowColors::hueAt(40, 9, hue.width(), hue.height()));
    const ViewRect lightness = layout.lightnessField();
    EXPECT_EQ(at(lightness.left + lightness.width() / 2, lightness.top), ColorWindowColors::midColor(colour));
    EXPECT_EQ(at(lightness.right - 1, lightness.bottom - 1), kWhite);

    // A 32-bit colour over the two-tone background: a checker of the colour
    // blended over each grey, and a transparency bar fading in over grey 1.
    bench.toolState.setColourMode(32);
    bench.colorController.setTwoToneBackground(0xFF, 0xC0);
    const ColorValue translucent = makeColor(200, 100, 50, 0x80);
    bench.toolState.setDrawingValue(translucent);
    render(bench.colourWindow);
    const ColorValue over1 =
        ColorWindowColors::swatchColour(translucent, makeColor(255, 255, 255), false, true, false, 0);
    const ColorValue over2 =
        ColorWindowColors::swatchColour(translucent, makeColor(192, 192, 192), false, true, false, 0);
    EXPECT_NE(over1, over2);
    EXPECT_EQ(at(11, 11), over2);
    EXPECT_EQ(at(11 + 8, 11), over1);
    EXPECT_EQ(at(11 + 8, 11 + 8), over2);
    const ViewRect alpha = layout.channel(3).bar;
    EXPECT_EQ(at(alpha.left, alpha.top), kWhite);
    EXPECT_EQ(at(alpha.right - 1, alpha.top), makeColor(200, 100, 50));
}

TEST_F(PaletteWindowsTest, TheValueBoxesRewriteWhatIsTypedAndStepWithTheArrowKeys)
{
    HWND red = bench.colourWindow.valueBox(0);
    const auto text = [&] {
        wchar_t buffer[8]{};
        GetWindowTextW(red, buffer, 8);
        return std::wstring(buffer);
    };
    SetWindowTextW(red, L"300");
    EXPECT_EQ(text(), L"255");
    EXPECT_EQ(redOf(bench.toolState.drawingValue()), 255);
    SetWindowTextW(red, L"");
    EXPECT_EQ(text(), L"0");
    SendMessageW(red, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(text(), L"1");
    EXPECT_EQ(bench.toolState.drawingValue(), makeColor(1, 0, 0));
    const LONG_PTR style = GetWindowLongPtrW(red, GWL_STYLE);
    EXPECT_NE(style & ES_NUMBER, 0);
    EXPECT_EQ(SendMessageW(red, EM_GETLIMITTEXT, 0, 0), 3);
}

// A 4 x 4 image of 4 bits: the left half index 2, the right half index 3.
IconImage halves()
{
    IconImage icon;
    EXPECT_TRUE(icon.create(4, 4, 4));
    const std::vector<ColorValue> colours = numbered(16);
    for (std::int32_t i = 0; i < 16; ++i)
        icon.setPaletteColor(i, colours[static_cast<std::size_t>(i)]);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) {
            icon.setPixel(y, x, x < 2 ? 2 : 3);
            icon.setMask(y, x, false);
        }
    }
    return icon;
}

TEST_F(PaletteWindowsTest, AThumbDragOnALinkedPaletteRecoloursTheCanvasAndIsUndoneInOneStep)
{
    ASSERT_TRUE(bench.openForEditing(halves()));
    bench.canvas.setZoom(8);
    const std::vector<ColorValue> colours = numbered(16);
    const auto canvasPixel = [&](PixelPoint pixel) {
        const RECT rect{0, 0, 300, 240};
        DibSection target;
        EXPECT_TRUE(target.create32(300, 240));
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, target.handle());
        bench.canvas.paintInto(memory, rect);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
        const ClientPoint corner = bench.canvas.pixelToWindow(pixel);
        return target.getPixel32(corner.x + 4, corner.y + 4);
    };
    ASSERT_EQ(canvasPixel({1, 0}), colours[2]);

    // Pick entry 2 in the palette window, then drag the red thumb to the end.
    SendMessageW(bench.paletteWindow.handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(2 * 12 + 6, 6));
    SendMessageW(bench.paletteWindow.handle(), WM_LBUTTONUP, 0, point(2 * 12 + 6, 6));
    ASSERT_EQ(bench.toolState.drawingValue(), 2u);
    const ColorWindowLayout& layout = bench.colorController.layout();
    const ViewRect thumb = layout.thumb(0, redOf(colours[2]));
    HWND window = bench.colourWindow.handle();
    const int y = thumb.top + 3;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point(thumb.left + 6, y));
    EXPECT_EQ(GetCapture(), window);
    for (int x = thumb.left + 6; x <= layout.channel(0).bar.right + 20; x += 7)
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, point(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, point(layout.channel(0).bar.right + 20, y));
    EXPECT_NE(GetCapture(), window);

    const ColorValue changed = (colours[2] & 0xFFFF00u) | 0xFFu;
    EXPECT_EQ(bench.palette.entry(2), changed);
    EXPECT_EQ(bench.palette.entry(3), colours[3]);
    EXPECT_EQ(canvasPixel({1, 0}), changed);
    EXPECT_EQ(canvasPixel({1, 3}), colours[3]);
    wchar_t box[8]{};
    GetWindowTextW(bench.colourWindow.valueBox(0), box, 8);
    EXPECT_EQ(std::wstring(box), L"255");

    ASSERT_EQ(bench.history.count(), 1);
    bench.colorController.commitPaletteEdit(); // what Undo does first
    ASSERT_TRUE(bench.history.undo());
    EXPECT_EQ(bench.palette.entry(2), colours[2]);
    EXPECT_EQ(canvasPixel({1, 0}), colours[2]);
    EXPECT_EQ(bench.colorController.shownColor(), colours[2]);
}

TEST_F(PaletteWindowsTest, TypingIntoALinkedEntryBecomesOneStepWhenTheFocusLeaves)
{
    ASSERT_TRUE(bench.openForEditing(halves()));
    bench.paletteController.selectIndex(3);
    HWND green = bench.colourWindow.valueBox(1);
    SetFocus(green);
    SetWindowTextW(green, L"1");
    SetWindowTextW(green, L"12");
    SetFocus(bench.colourWindow.valueBox(2)); // still this window
    SetWindowTextW(bench.colourWindow.valueBox(2), L"9");
    EXPECT_EQ(bench.history.count(), 0);
    SetFocus(bench.frame.handle());
    ASSERT_EQ(bench.history.count(), 1);
    EXPECT_EQ(bench.palette.entry(3), makeColor(3, 12, 9));
    ASSERT_TRUE(bench.history.undo());
    EXPECT_EQ(bench.palette.entry(3), numbered(16)[3]);
}

} // namespace
} // namespace tessaly
