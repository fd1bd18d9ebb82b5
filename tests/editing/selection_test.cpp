#include "editing/selection.h"

#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "editing/selection_commands.h"

namespace tessaly {
namespace {

using test::CanvasTest;

constexpr MouseButton kLeft = MouseButton::Left;
constexpr MouseButton kRight = MouseButton::Right;

class SelectionTest : public CanvasTest {
protected:
    // Marks rows top..bottom, columns left..right with a select-tool drag.
    void mark(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right)
    {
        toolState.setTool(ToolId::Select);
        drag(kLeft, {{top, left}, {bottom, right}});
        ASSERT_EQ(selection.rect(), (PixelRect{top, left, bottom, right}));
    }
    // Drags with the left button from a client point by a client distance.
    void dragBy(ClientPoint from, std::int32_t dx, std::int32_t dy)
    {
        controller.buttonDown(kLeft, from);
        controller.mouseMove(ClientPoint{from.x + dx / 2, from.y + dy / 2});
        controller.mouseMove(ClientPoint{from.x + dx, from.y + dy});
        controller.buttonUp(kLeft, ClientPoint{from.x + dx, from.y + dy});
    }
    // The client point of the frame line above row `row`, in column `column`'s middle.
    ClientPoint frameAbove(std::int32_t row, std::int32_t column) const
    {
        return ClientPoint{at(row, column).x, canvas->pixelToWindow(PixelPoint{row, column}).y};
    }
    CellGrid block(const PixelRect& r) const
    {
        CellGrid grid;
        EXPECT_TRUE(image.saveBlock(r, grid));
        return grid;
    }
};

TEST_P(SelectionTest, DraggingAMarkedRectangleLiftsMovesAndCommitsAsOneStep)
{
    loadRandom(12, 10, 8, {1, 2, 3, 4}, 0.2);
    toolState.setDrawingValue(9);
    mark(2, 2, 4, 5);
    const CellGrid lifted = block(PixelRect{2, 2, 4, 5});
    const std::int32_t z = canvas->zoom();
    dragBy(at(3, 3), 3 * z, 3 * z);
    ASSERT_TRUE(selection.isLifted());
    EXPECT_EQ(selection.rect(), (PixelRect{5, 5, 7, 8}));
    EXPECT_EQ(selection.display(), lifted);
    for (std::int32_t r = 2; r <= 4; ++r)
        for (std::int32_t c = 2; c <= 5; ++c)
            ASSERT_EQ(image.cellAt(r, c), (Cell{toolState.backgroundValue(), 1}));
    EXPECT_EQ(history.count(), 0) << "the lift is no step of its own";

    controller.doubleClick(kLeft, at(6, 6));
    EXPECT_FALSE(selection.hasRect());
    ASSERT_EQ(history.count(), 1);
    for (std::int32_t r = 0; r < 3; ++r) {
        for (std::int32_t c = 0; c < 4; ++c) {
            const Cell& content = lifted.at(r, c);
            const Cell expected = content.mask == 0 ? content : Cell{toolState.backgroundValue(), 1};
            if (!PixelRect{2, 2, 4, 5}.contains(r + 5, c + 5))
                ASSERT_EQ(image.cellAt(r + 5, c + 5), content.mask == 0 ? content : before.at(r + 5, c + 5));
            else
                ASSERT_EQ(image.cellAt(r + 5, c + 5), expected);
        }
    }
    expectExactUndoRedo(before);
}

TEST_P(SelectionTest, PressingInsideWithoutMovingAZoomStepLiftsNothingButAnEdgeLiftsAtOwnSize)
{
    loadRandom(10, 10, 24, {0x111111, 0x222222, 0x333333});
    mark(2, 2, 5, 5);
    dragBy(at(3, 3), canvas->zoom() - 1, 0);
    EXPECT_FALSE(selection.hasContent());
    EXPECT_EQ(image.cells(), before);

    // The right edge: inside the grab zone, 2 screen pixels right of the line.
    const ClientPoint edge = canvas->pixelToWindow(PixelPoint{3, 6});
    EXPECT_EQ(selection.hitTest(ClientPoint{edge.x + 2, edge.y + 1}), SelectionHit::Right);
    dragBy(ClientPoint{edge.x + 2, edge.y + 1}, canvas->zoom() - 1, 0);
    ASSERT_TRUE(selection.isLifted());
    EXPECT_EQ(selection.rect(), (PixelRect{2, 2, 5, 5}));
    // Resampled 1:1 from the source: the lifted cells again (24-bit values keep no alpha).
    EXPECT_EQ(selection.display(), selection.under());
    commands.cancel();
    EXPECT_EQ(image.cells(), before);
    EXPECT_EQ(history.count(), 0);
}

TEST_P(SelectionTest, ResizingUpAndBackDownRestoresTheLiftedCellsExactly)
{
    loadRandom(12, 12, 32, test::randomValues(16, rng), 0.25);
    mark(0, 0, 3, 3);
    const CellGrid lifted = block(PixelRect{0, 0, 3, 3});
    const ClientPoint corner = canvas->pixelToWindow(PixelPoint{4, 4});
    const std::int32_t z = canvas->zoom();
    ASSERT_EQ(selection.hitTest(corner), SelectionHit::BottomRight);
    dragBy(corner, 4 * z, 4 * z);
    EXPECT_EQ(selection.rect(), (PixelRect{0, 0, 7, 7}));
    EXPECT_EQ(selection.display().rows(), 8);
    // Each source cell becomes a 2 x 2 block.
    EXPECT_EQ(selection.display().at(5, 3), lifted.at(2, 1));
    dragBy(canvas->pixelToWindow(PixelPoint{8, 8}), -4 * z, -4 * z);
    EXPECT_EQ(selection.rect(), (PixelRect{0, 0, 3, 3}));
    EXPECT_EQ(selection.display(), lifted);
    // A top-left drag can pass the opposite edge no further than to a one-pixel rectangle.
    dragBy(canvas->pixelToWindow(PixelPoint{0, 0}), 20 * z, 20 * z);
    EXPECT_EQ(selection.rect(), (PixelRect{3, 3, 3, 3}));
}

TEST_P(SelectionTest, ShrunkCellsAreMaskedOnlyWhenMoreThanThreeQuartersOfTheirAreaIs)
{
    IconImage icon = blankIcon(4, 2, 32);
    for (std::int32_t x = 0; x < 4; ++x)
        icon.setPixel(0, x, 0xFF000000u | static_cast<std::uint32_t>(x * 40));
    for (const auto& [y, x] : {std::pair{0, 0}, {0, 1}, {1, 0}, {0, 2}, {0, 3}, {1, 2}, {1, 3}})
        icon.setMask(y, x, true);
    load(icon);
    mark(0, 0, 1, 1);
    selection.scaleTo(PixelRect{0, 0, 0, 0});
    EXPECT_EQ(selection.display().at(0, 0).mask, 0) << "three of four masked is not more than 3/4";
    EXPECT_EQ(selection.display().at(0, 0).value, (0xFFu * 2 / 4) << 24 | 40 / 4);
    commands.cancel();
    mark(0, 2, 1, 3);
    selection.scaleTo(PixelRect{0, 2, 0, 2});
    EXPECT_EQ(selection.display().at(0, 0).mask, 1);
}

TEST_P(SelectionTest, PasteFloatsAtTheVisibleTopLeftOrScaledIntoTheMarkedRectangle)
{
    loadRandom(40, 40, 24, {0x0000FF});
    CellGrid colours;
    ASSERT_TRUE(colours.setSize(2, 3));
    for (std::int32_t c = 0; c < 3; ++c) {
        colours.at(0, c) = Cell{0xFF00FF00u, 0};
        colours.at(1, c) = Cell{0xFFFF0000u, c == 2 ? std::uint8_t{1} : std::uint8_t{0}};
    }
    clipboard.mirror(std::move(colours));
    commands.paste();
    EXPECT_EQ(toolState.tool(), ToolId::Select);
    const PixelRect visible = canvas->visiblePixels();
    ASSERT_EQ(selection.rect(), (PixelRect{visible.top, visible.left, visible.top + 1, visible.left + 2}));
    EXPECT_FALSE(selection.isLifted());
    EXPECT_EQ(selection.display().at(1, 0), (Cell{0xFF0000, 0})) << "24-bit cells without alpha";
    commands.commit();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(image.cellAt(visible.top, visible.left + 1), (Cell{0x00FF00, 0}));
    EXPECT_EQ(image.cellAt(visible.top + 1, visible.left + 2), before.at(visible.top + 1, visible.left + 2));
    expectExactUndoRedo(before);

    before = test::copyOf(image.cells());
    mark(10, 10, 13, 15);
    commands.paste();
    EXPECT_EQ(selection.rect(), (PixelRect{10, 10, 13, 15}));
    EXPECT_EQ(selection.display().at(3, 0), (Cell{0xFF0000, 0}));
    EXPECT_EQ(selection.display().at(3, 5), (Cell{0xFF0000, 1}));
    EXPECT_EQ(image.cells(), before) << "a plain marked rectangle is not lifted by a paste";
}

TEST_P(SelectionTest, DeleteRecordsAFillForMarkedOrLiftedContentAndNothingForPasted)
{
    loadRandom(10, 10, 4, {1, 2, 3});
    mark(1, 1, 2, 2);
    commands.deleteSelection();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(image.cellAt(2, 2), (Cell{toolState.backgroundValue(), 1}));
    EXPECT_FALSE(selection.hasRect());
    expectExactUndoRedo(before);

    before = test::copyOf(image.cells());
    mark(5, 5, 7, 7);
    dragBy(at(6, 6), 2 * canvas->zoom(), 0);
    ASSERT_EQ(selection.rect(), (PixelRect{5, 7, 7, 9}));
    commands.deleteSelection();
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(image.cellAt(5, 9), before.at(5, 9)) << "the moved content is gone";
    EXPECT_EQ(image.cellAt(6, 5), (Cell{toolState.backgroundValue(), 1}));
    expectExactUndoRedo(before);

    before = test::copyOf(image.cells());
    CellGrid one;
    ASSERT_TRUE(one.setSize(1, 1));
    clipboard.mirror(std::move(one));
    commands.paste();
    commands.deleteSelection();
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(image.cells(), before);
    EXPECT_FALSE(selection.hasRect());
}

TEST_P(SelectionTest, SelectAllWhileMovedContentFloatsPutsItBackAndMarksTheWholeImage)
{
    loadRandom(8, 6, 24, {0x10, 0x20, 0x30}, 0.2);
    mark(1, 1, 3, 3);
    dragBy(at(2, 2), 2 * canvas->zoom(), canvas->zoom());
    ASSERT_TRUE(selection.isLifted());
    commands.selectAll();
    EXPECT_EQ(image.cells(), before);
    EXPECT_FALSE(selection.hasContent());
    EXPECT_EQ(selection.rect(), (PixelRect{0, 0, 5, 7}));
    EXPECT_EQ(history.count(), 0);
}

TEST_P(SelectionTest, CutAndPasteCarryColoursAndUndoInTwoSteps)
{
    loadRandom(8, 8, 4, {3, 9, 12});
    mark(0, 0, 1, 2);
    const CellGrid cells = block(PixelRect{0, 0, 1, 2});
    commands.cut();
    ASSERT_EQ(history.count(), 1);
    ASSERT_FALSE(clipboard.isEmpty());
    ASSERT_EQ(clipboard.content().columns(), 3);
    EXPECT_EQ(clipboard.content().at(1, 2).value,
              palette.entry(static_cast<std::int32_t>(cells.at(1, 2).value)) | 0xFF000000u);
    const CellGrid afterCut = test::copyOf(image.cells());

    mark(5, 5, 6, 7);
    commands.paste();
    EXPECT_EQ(selection.display(), cells) << "standard palette colours map back to their own indices";
    toolState.setTool(ToolId::Pencil); // leaving the select tool commits
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(block(PixelRect{5, 5, 6, 7}), cells);
    expectExactUndoRedo(afterCut);
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(image.cells(), before);
}

TEST_P(SelectionTest, PressOutsideFloatingContentOnlyCommitsIt)
{
    loadRandom(10, 10, 32, test::randomValues(4, rng));
    mark(1, 1, 3, 3);
    dragBy(at(2, 2), canvas->zoom(), canvas->zoom());
    ASSERT_TRUE(selection.hasContent());
    const int captures = canvas->captures;
    press(kLeft, 9, 9); // beyond the 3-pixel grab zone also at zoom 1
    EXPECT_EQ(canvas->captures, captures);
    EXPECT_FALSE(controller.isLeftPressed());
    EXPECT_FALSE(selection.hasRect());
    EXPECT_EQ(history.count(), 1);
    expectExactUndoRedo(before);
}

TEST_P(SelectionTest, ContentMovedOffTheImageStillRecordsTheClearedOriginAndCancelRestores)
{
    loadRandom(6, 6, 8, {4, 5});
    mark(0, 0, 2, 2);
    dragBy(at(1, 1), 20 * canvas->zoom(), 0);
    EXPECT_EQ(selection.rect(), (PixelRect{0, 20, 2, 22}));
    commands.commit();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(image.cellAt(0, 0), (Cell{toolState.backgroundValue(), 1}));
    expectExactUndoRedo(before);

    before = test::copyOf(image.cells());
    mark(3, 3, 5, 5);
    dragBy(at(4, 4), -canvas->zoom(), 0);
    ASSERT_TRUE(selection.isLifted());
    EXPECT_TRUE(commands.run(static_cast<std::int32_t>(SelectionCommand::Cancel)));
    EXPECT_EQ(image.cells(), before);
    EXPECT_EQ(history.count(), 1);
    EXPECT_FALSE(commands.run(4242));
}

TEST_P(SelectionTest, HitTestGrabZonesAndCursors)
{
    loadRandom(16, 16, 24, {0});
    mark(4, 4, 7, 9);
    const ClientPoint tl = canvas->pixelToWindow(PixelPoint{4, 4});
    const ClientPoint br = canvas->pixelToWindow(PixelPoint{8, 10});
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x - 3, tl.y - 3}), SelectionHit::TopLeft);
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x - 4, tl.y}), SelectionHit::None);
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x + 1, tl.y}), SelectionHit::Top);
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x, tl.y + 1}), SelectionHit::Left);
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x + 1, tl.y + 1}), SelectionHit::Inside);
    EXPECT_EQ(selection.hitTest(ClientPoint{br.x - 1, br.y - 1}), SelectionHit::Inside);
    EXPECT_EQ(selection.hitTest(ClientPoint{br.x, br.y - 1}), SelectionHit::Right);
    EXPECT_EQ(selection.hitTest(ClientPoint{br.x + 3, br.y + 3}), SelectionHit::BottomRight);
    EXPECT_EQ(selection.hitTest(ClientPoint{br.x + 4, br.y}), SelectionHit::None);
    EXPECT_EQ(selection.hitTest(ClientPoint{tl.x, br.y}), SelectionHit::BottomLeft);
    EXPECT_EQ(selection.hitTest(ClientPoint{br.x, tl.y}), SelectionHit::TopRight);

    controller.mouseMove(ClientPoint{br.x, tl.y});
    EXPECT_EQ(canvas->cursor, CanvasCursor::SizeNESW);
    controller.mouseMove(ClientPoint{tl.x + 1, br.y + 2});
    EXPECT_EQ(canvas->cursor, CanvasCursor::SizeNS);
    controller.buttonDown(kLeft, at(5, 5));
    EXPECT_EQ(canvas->cursor, CanvasCursor::SizeAll);
    controller.mouseMove(at(12, 12));
    EXPECT_EQ(canvas->cursor, CanvasCursor::SizeAll) << "while moving, whatever is under the pointer";
    controller.buttonUp(kLeft, at(12, 12));
    toolState.setTool(ToolId::Pencil);
    controller.mouseMove(at(12, 12));
    EXPECT_EQ(canvas->cursor, CanvasCursor::Arrow);
}

TEST_P(SelectionTest, RightReleaseShowsThePopupWithItemsForWhereItWasReleased)
{
    loadRandom(8, 8, 24, {0});
    toolState.setTool(ToolId::Select);
    click(kRight, 3, 3);
    ASSERT_EQ(canvas->menus.size(), 1u);
    EXPECT_FALSE(canvas->menus[0].inside);
    EXPECT_EQ(canvas->menus[0].point, at(3, 3));
    SelectionMenuState outside;
    outside.selectAll = true;
    EXPECT_EQ(commands.menuState(false), outside);

    mark(2, 2, 4, 4);
    CellGrid one;
    ASSERT_TRUE(one.setSize(1, 1));
    clipboard.mirror(std::move(one));
    click(kRight, 3, 3);
    ASSERT_EQ(canvas->menus.size(), 2u);
    EXPECT_TRUE(canvas->menus[1].inside);
    const SelectionMenuState inside{true, true, true, true, false, true, true};
    EXPECT_EQ(commands.menuState(true), inside);
    click(kRight, 6, 6);
    ASSERT_EQ(canvas->menus.size(), 3u);
    EXPECT_FALSE(canvas->menus[2].inside);
    EXPECT_EQ(history.count(), 0);
}

TEST_P(SelectionTest, StoringTheEditedImageCommitsFloatingContentFirst)
{
    loadRandom(6, 6, 24, {0x40, 0x80});
    mark(0, 0, 2, 2);
    dragBy(at(1, 1), 0, 3 * canvas->zoom());
    const CellGrid content = test::copyOf(selection.display());
    IconImage stored;
    ASSERT_TRUE(stored.create(6, 6, 24));
    ASSERT_TRUE(commands.storeEditedImage(stored));
    EXPECT_FALSE(selection.hasContent());
    EXPECT_EQ(history.count(), 1);
    for (std::int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(stored.getPixel(3, x), content.at(0, x).value);
        EXPECT_TRUE(stored.getMask(0, x)) << "the origin was cleared";
    }
}

TEST_P(SelectionTest, AResizedTwentyFourBitSelectionFillsLikeTheColoursItShows)
{
    // Resampled 24-bit content carries no alpha, so after its commit a fill
    // spreads over the committed cells like over any other of that colour.
    IconImage icon = blankIcon(6, 6, 24);
    for (std::int32_t y = 0; y < 6; ++y)
        for (std::int32_t x = 0; x < 6; ++x)
            icon.setPixel(y, x, 0x00AA00);
    load(icon);
    mark(0, 0, 1, 1);
    selection.scaleTo(PixelRect{0, 0, 2, 2});
    commands.commit();
    toolState.setTool(ToolId::Fill);
    toolState.setDrawingValue(0x0000BB);
    click(kLeft, 5, 5);
    for (std::int32_t r = 0; r < 6; ++r)
        for (std::int32_t c = 0; c < 6; ++c)
            ASSERT_EQ(image.cellAt(r, c), (Cell{0x0000BB, 0})) << r << ", " << c;
}

INSTANTIATE_TEST_SUITE_P(Layouts, SelectionTest, ::testing::Values(test::kPlainLayout, test::kZoomedLayout));

} // namespace
} // namespace tessaly
