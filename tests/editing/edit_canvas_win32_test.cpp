#include "editing/edit_canvas_win32.h"

#include <gtest/gtest.h>

#include <functional>

#include "editing_win32_fixture.h"
#include "support/edit_image_support.h"

namespace tessaly {
namespace {

constexpr ColorValue kRed = makeColor(255, 0, 0);
constexpr ColorValue kGreen = makeColor(0, 255, 0);
constexpr ColorValue kGrey = makeColor(128, 128, 128);

// 16 x 16 at 24 bits: red at (0, 0), green at (0, 1), every other pixel
// black and masked.
IconImage sampleIcon()
{
    IconImage icon;
    EXPECT_TRUE(icon.create(16, 16, 24));
    icon.setPixel(0, 0, kRed);
    icon.setMask(0, 0, false);
    icon.setPixel(0, 1, kGreen);
    icon.setMask(0, 1, false);
    return icon;
}

class EditCanvasTest : public test::CanvasWindowFixture {};

TEST_F(EditCanvasTest, AutoZoomPutsTheImageSixteenPixelsFromTheCornerAndMapsPointsBack)
{
    open(sampleIcon());
    const RECT rect = client();
    EXPECT_EQ(canvas.zoom(), std::min((rect.right - 32) / 16, (rect.bottom - 32) / 16));
    EXPECT_EQ(canvas.pixelToWindow({0, 0}), (ClientPoint{16, 16}));
    EXPECT_EQ(canvas.windowToPixel({16 + canvas.zoom(), 15}), (PixelPoint{-1, 1}));
    renderClient();
    EXPECT_EQ(at({0, 0}, 3, 3), kRed);
    EXPECT_EQ(at({0, 1}, 3, 3), kGreen);
    EXPECT_EQ(at({-1, -1}, 3, 3), kGrey); // outside the image: the grey of the erase
    EXPECT_EQ(at({15, 16}, 1, 1), kGrey);

    canvas.setZoom(4);
    EXPECT_EQ(canvas.currentZoomSetting(), 4);
    EXPECT_EQ(canvas.pixelToWindow({0, 0}), (ClientPoint{16, 16}));
    // The native bars offer a window's size of room on either side of a
    // small image, so they show even though the image fits.
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        ASSERT_TRUE(GetScrollInfo(canvas.handle(), bar, &info));
        const int window = bar == SB_HORZ ? rect.right : rect.bottom;
        const int drawn = 16 * 4;
        EXPECT_EQ(info.nMax - info.nMin + 1, 2 * window - drawn) << bar;
        EXPECT_EQ(static_cast<int>(info.nPage), window) << bar;
        EXPECT_EQ(info.nPos, window - drawn - 16) << bar;
    }
    renderClient();
    const ColorValue grid = canvas.appearance().gridColour;
    EXPECT_EQ(at({0, 0}, 1, 1), kRed);
    EXPECT_EQ(at({0, 0}, 3, 3), kRed);
    EXPECT_EQ(at({0, 1}, 0, 2), grid);
    EXPECT_EQ(at({1, 0}, 2, 0), grid);
    EXPECT_EQ(at({0, 16}, 0, 2), grid); // the closing line
    EXPECT_EQ(at({0, 1}, 1, 1), kGreen);

    canvas.setZoom(1); // no grid at zoom 1
    renderClient();
    EXPECT_EQ(at({0, 0}, 0, 0), kRed);
    EXPECT_EQ(at({0, 1}, 0, 0), kGreen);
    EXPECT_EQ(at({0, 16}, 0, 0), kGrey);
}

TEST_F(EditCanvasTest, EachBackgroundShowsThroughMaskedBlackWithItsGridColour)
{
    struct Expected {
        ColorValue first;
        ColorValue second;
        ColorValue grid;
    };
    const Expected table[EditCanvas::kBackgroundCount] = {
        {makeColor(255, 255, 255), makeColor(255, 255, 255), makeColor(175, 175, 175)},
        {makeColor(0, 0, 0), makeColor(0, 0, 0), makeColor(96, 96, 128)},
        {makeColor(192, 192, 192), makeColor(192, 192, 192), makeColor(48, 48, 96)},
        {makeColor(64, 128, 112), makeColor(64, 128, 112), makeColor(64, 64, 64)},
        {makeColor(64, 96, 128), makeColor(64, 96, 128), makeColor(64, 64, 64)},
        {makeColor(128, 96, 96), makeColor(128, 96, 96), makeColor(64, 64, 64)},
        {makeColor(255, 255, 255), makeColor(192, 192, 192), makeColor(0, 0, 0)},
        {makeColor(192, 192, 192), makeColor(127, 127, 127), makeColor(0, 0, 0)},
    };
    open(sampleIcon());
    canvas.setZoom(8);
    for (int index = 0; index < EditCanvas::kBackgroundCount; ++index) {
        canvas.setBackground(index);
        EXPECT_EQ(canvas.backgroundIndex(), index);
        renderClient();
        // Image screen (9, 9) lies in checker square (1, 1): even, the
        // second colour; (17, 9) in square (2, 1): odd, the first.
        EXPECT_EQ(at({1, 1}, 1, 1), table[index].second) << index;
        EXPECT_EQ(at({1, 2}, 1, 1), table[index].first) << index;
        EXPECT_EQ(at({1, 1}, 0, 3), table[index].grid) << index;
        EXPECT_EQ(at({2, 1}, 3, 0), table[index].grid) << index;
    }
}

TEST_F(EditCanvasTest, MaskOverlayInvertsEveryOtherPixelInsideTheGridOfMaskedSquares)
{
    open(sampleIcon());
    canvas.setZoom(8);
    canvas.setBackground(0);
    toolState.setTool(ToolId::MaskAdjust); // the tool turns the overlay on
    EXPECT_TRUE(canvas.appearance().maskOverlay);
    renderClient();
    // Masked black on a solid background with the overlay: black, with the
    // pixels whose image coordinates sum to an even number inverted; the
    // pattern keeps off the grid lines (inset 2).
    EXPECT_EQ(at({1, 1}, 2, 2), makeColor(255, 255, 255));
    EXPECT_EQ(at({1, 1}, 3, 2), makeColor(0, 0, 0));
    EXPECT_EQ(at({1, 1}, 6, 6), makeColor(255, 255, 255));
    EXPECT_EQ(at({1, 1}, 1, 1), makeColor(0, 0, 0));
    EXPECT_EQ(at({1, 1}, 7, 7), makeColor(0, 0, 0));
    EXPECT_EQ(at({0, 0}, 2, 2), kRed); // not masked
    toolState.setTool(ToolId::Pencil);
    EXPECT_FALSE(canvas.appearance().maskOverlay);
    renderClient();
    EXPECT_EQ(at({1, 1}, 2, 2), makeColor(255, 255, 255)); // NOT black AND white
    EXPECT_EQ(at({1, 1}, 3, 2), makeColor(255, 255, 255));
}

TEST_F(EditCanvasTest, SelectionFrameIsInvertedOnThePixelBoundaries)
{
    open(sampleIcon());
    canvas.setZoom(8);
    canvas.setBackground(0);
    renderClient();
    const ColorValue grid = canvas.appearance().gridColour;
    const ColorValue inverted = grid ^ 0xFFFFFF;
    selection.setRect({2, 2, 4, 5}); // rows 2..4, columns 2..5
    renderClient();
    EXPECT_EQ(at({2, 3}, 3, 0), inverted); // top line
    EXPECT_EQ(at({5, 3}, 3, 0), inverted); // bottom line, below row 4
    EXPECT_EQ(at({3, 2}, 0, 3), inverted); // left line
    EXPECT_EQ(at({3, 6}, 0, 3), inverted); // right line, after column 5
    EXPECT_EQ(at({3, 3}, 3, 3), makeColor(255, 255, 255));
    EXPECT_EQ(at({3, 3}, 0, 3), grid); // inner grid lines stay
    EXPECT_EQ(at({1, 3}, 3, 0), grid);
    EXPECT_EQ(at({3, 7}, 0, 3), grid);
}

// Every update rectangle is painted exactly as the whole picture shows it
// there, and nothing outside it is touched, wherever it cuts the squares.
TEST_F(EditCanvasTest, PartialRepaintsMatchTheWholePictureInsideTheirRectangleOnly)
{
    constexpr ColorValue kUntouched = makeColor(1, 2, 3);
    open(sampleIcon());
    canvas.setZoom(16); // large enough for the image to scroll past the left edge
    canvas.setBackground(6);
    toolState.setTool(ToolId::MaskAdjust);
    selection.setRect({2, 2, 4, 5});
    const RECT whole = client();
    const RECT updates[] = {
        {3, 5, 40, 29},      // grey corner and the first squares, cut inside a square
        {27, 19, 61, 91},    // inside the image and across the selection frame
        {263, 20, 290, 150}, // across the right edge and its closing line
        {150, 150, 200, 200}, {whole.right - 7, whole.bottom - 9, whole.right, whole.bottom}, whole,
    };
    const ClientPoint home = canvas.scrollPosition();
    for (const ClientPoint scroll : {home, ClientPoint{home.x + 21, home.y + 13}}) {
        canvas.scrollTo(scroll);
        renderClient();
        for (const RECT& update : updates) {
            DibSection part;
            ASSERT_TRUE(part.create32(whole.right, whole.bottom));
            part.fillRect32(whole, kUntouched);
            paintInto(part, update);
            int wrong = 0;
            for (int y = 0; y < whole.bottom; ++y) {
                for (int x = 0; x < whole.right; ++x) {
                    const POINT point{x, y};
                    const ColorValue expected = PtInRect(&update, point) ? shot.getPixel32(x, y) : kUntouched;
                    if (part.getPixel32(x, y) != expected && wrong++ == 0)
                        ADD_FAILURE() << "first difference at (" << x << ", " << y << ") for update (" << update.left
                                      << ", " << update.top << ")-(" << update.right << ", " << update.bottom
                                      << "), scroll x " << scroll.x;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
    // The second scroll position really cut the image's first squares.
    EXPECT_EQ(canvas.pixelToWindow({0, 0}), (ClientPoint{-5, 3}));
}

TEST_F(EditCanvasTest, InvalidationsCoverThePixelsAndThePaletteIndices)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(8, 8, 4));
    icon.setStandardPalette();
    icon.setPixel(2, 3, 5);
    icon.setPixel(6, 1, 5);
    icon.setPixel(4, 4, 7);
    open(icon);
    canvas.setZoom(4);
    const auto updateAfter = [&](auto invalidate) {
        ValidateRect(canvas.handle(), nullptr);
        invalidate();
        RECT update{};
        GetUpdateRect(canvas.handle(), &update, FALSE);
        return update;
    };
    const ClientPoint corner = canvas.pixelToWindow({2, 1});
    const RECT expected{corner.x, corner.y, corner.x + 3 * 4 + 1, corner.y + 5 * 4 + 1};
    const RECT byIndex = updateAfter([&] { canvas.invalidateIndex(5); });
    EXPECT_TRUE(EqualRect(&byIndex, &expected)) << byIndex.left << "," << byIndex.top << "," << byIndex.right << ","
                                                << byIndex.bottom << " vs " << expected.left << "," << expected.top;
    const RECT none = updateAfter([&] { canvas.invalidateIndex(9); });
    EXPECT_TRUE(IsRectEmpty(&none));
    const RECT range = updateAfter([&] { canvas.invalidateIndexRange(6, 7); });
    const ClientPoint seven = canvas.pixelToWindow({4, 4});
    const RECT one{seven.x, seven.y, seven.x + 5, seven.y + 5};
    EXPECT_TRUE(EqualRect(&range, &one));
}

TEST_F(EditCanvasTest, MouseMessagesDrawAPencilStrokeAndAFillAsOneUndoStepEach)
{
    open(sampleIcon());
    canvas.setZoom(8);
    const ColorValue blue = makeColor(0, 0, 255);
    toolState.setDrawingValue(blue);
    mouse(WM_LBUTTONDOWN, {3, 2});
    EXPECT_EQ(GetCapture(), canvas.handle());
    mouse(WM_MOUSEMOVE, {3, 5});
    mouse(WM_MOUSEMOVE, {3, 9});
    mouse(WM_LBUTTONUP, {3, 9});
    EXPECT_EQ(GetCapture(), nullptr);
    for (std::int32_t column = 2; column <= 9; ++column) {
        EXPECT_EQ(image.cellAt(3, column), (Cell{blue, 0})) << column;
    }
    EXPECT_EQ(image.cellAt(3, 1), (Cell{0, 1}));
    EXPECT_EQ(image.cellAt(3, 10), (Cell{0, 1}));
    EXPECT_EQ(history.count(), 1);

    toolState.setTool(ToolId::Fill);
    toolState.setDrawingValue(kGreen);
    mouse(WM_LBUTTONDOWN, {10, 10});
    mouse(WM_LBUTTONUP, {10, 10});
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(image.cellAt(15, 15), (Cell{kGreen, 0}));
    EXPECT_EQ(image.cellAt(1, 0), (Cell{kGreen, 0}));
    EXPECT_EQ(image.cellAt(3, 4), (Cell{blue, 0})); // the stroke bounds the fill
    EXPECT_EQ(image.cellAt(0, 0), (Cell{kRed, 0}));
    renderClient();
    EXPECT_EQ(at({15, 15}, 3, 3), kGreen); // the canvas shows it

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(image.cellAt(15, 15), (Cell{0, 1}));
    EXPECT_EQ(image.cellAt(3, 4), (Cell{blue, 0}));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(image.cellAt(3, 4), (Cell{0, 1}));
    EXPECT_FALSE(history.canUndo());
}

// A stroke whose capture goes, however it goes, is stored as its release
// would have stored it; what the mouse does afterwards draws nothing.
TEST_F(EditCanvasTest, EveryWayOfLosingTheCaptureEndsTheStrokeAsOneStep)
{
    open(sampleIcon());
    canvas.setZoom(8);
    const CellGrid start = test::copyOf(image.cells());
    const ColorValue blue = makeColor(0, 0, 255);
    toolState.setDrawingValue(blue);
    const auto sendAt = [&](UINT message, WPARAM keys, PixelPoint pixel) {
        const ClientPoint corner = canvas.pixelToWindow(pixel);
        canvas.send(message, keys, MAKELPARAM(corner.x + 4, corner.y + 4));
    };
    struct Way {
        const char* name;
        std::function<void(std::int32_t row)> lose;
        std::function<void()> restore;
    };
    const Way ways[] = {
        {"the other button's release",
         [&](std::int32_t row) {
             sendAt(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, {row, 5});
             sendAt(WM_RBUTTONUP, MK_LBUTTON, {row, 5});
         },
         [] {}},
        {"another window taking it", [&](std::int32_t) { SetCapture(bench.frame.handle()); }, [] { ReleaseCapture(); }},
        {"a cancelled mode", [&](std::int32_t) { canvas.send(WM_CANCELMODE, 0, 0); }, [] {}},
        {"the window disabled", [&](std::int32_t) { EnableWindow(canvas.handle(), FALSE); },
         [&] { EnableWindow(canvas.handle(), TRUE); }},
    };
    std::int32_t row = 2;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        mouse(WM_LBUTTONDOWN, {row, 2});
        ASSERT_EQ(GetCapture(), canvas.handle());
        mouse(WM_MOUSEMOVE, {row, 5});
        way.lose(row);
        EXPECT_FALSE(bench.controller.isLeftPressed());
        EXPECT_NE(GetCapture(), canvas.handle());
        way.restore();
        mouse(WM_MOUSEMOVE, {row, 9});
        mouse(WM_MOUSEMOVE, {row + 1, 9});
        mouse(WM_LBUTTONUP, {row + 1, 9});
        EXPECT_EQ(history.count(), (row - 2) / 2 + 1);
        for (std::int32_t column = 0; column < 12; ++column) {
            const bool drawn = column >= 2 && column <= 5;
            EXPECT_EQ(image.cellAt(row, column), (drawn ? Cell{blue, 0} : Cell{0, 1})) << column;
            EXPECT_EQ(image.cellAt(row + 1, column), (Cell{0, 1})) << column;
        }
        row += 2;
    }

    mouse(WM_LBUTTONDOWN, {row, 2});
    mouse(WM_MOUSEMOVE, {row, 5});
    canvas.destroy();
    EXPECT_FALSE(bench.controller.isLeftPressed());
    EXPECT_EQ(history.count(), 5);
    for (std::int32_t column = 0; column < 12; ++column) {
        EXPECT_EQ(image.cellAt(row, column), (column >= 2 && column <= 5 ? Cell{blue, 0} : Cell{0, 1})) << column;
    }
    EXPECT_EQ(GetCapture(), nullptr);
    // The five steps hold the five strokes and nothing else.
    while (history.undo()) {
    }
    EXPECT_EQ(image.cells(), start);
}

} // namespace
} // namespace tessaly
