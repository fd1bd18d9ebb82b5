#include "editing/canvas_controller.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "canvas_fixture.h"

namespace tessaly {
namespace {

using test::CanvasTest;
using Points = std::set<std::pair<std::int32_t, std::int32_t>>;

constexpr MouseButton kLeft = MouseButton::Left;
constexpr MouseButton kRight = MouseButton::Right;

class PaintToolTest : public CanvasTest {
protected:
    // Every cell in `changed` holds `cell`; every other cell is as before.
    void expectOnly(const Points& changed, Cell cell)
    {
        for (std::int32_t r = 0; r < image.height(); ++r) {
            for (std::int32_t c = 0; c < image.width(); ++c) {
                const Cell expected = changed.count({r, c}) != 0 ? cell : before.at(r, c);
                ASSERT_EQ(image.cellAt(r, c), expected) << "row " << r << ", column " << c;
            }
        }
    }
};

TEST_P(PaintToolTest, PencilStrokeJoinsPointerPositionsAndIsOneUndoStep)
{
    loadRandom(12, 10, 4, {1, 2, 3});
    toolState.setDrawingValue(9);
    drag(kLeft, {{1, 1}, {1, 5}, {4, 5}, {4, 5}, {6, 7}});
    // Straight runs between the positions; the last segment walks the diagonal.
    expectOnly({{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 6}, {6, 7}}, Cell{9, 0});
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(canvas->captures, 1);
    EXPECT_EQ(canvas->releases, 1);
    EXPECT_FALSE(controller.isLeftPressed());
    expectExactUndoRedo(before);
}

TEST_P(PaintToolTest, StrokeEnteringFromOutsideDrawsOnlyTheInsideAndOutsideStrokesRecordNothing)
{
    loadRandom(8, 8, 24, {0x102030, 0x405060}, 0.2);
    toolState.setDrawingValue(0xABCDEF);
    drag(kLeft, {{-3, 2}, {-1, 2}, {2, 2}});
    expectOnly({{0, 2}, {1, 2}, {2, 2}}, Cell{0xABCDEF, 0});
    EXPECT_EQ(history.count(), 1);
    expectExactUndoRedo(before);

    const CellGrid drawn = test::copyOf(image.cells());
    drag(kLeft, {{-2, -2}, {-2, 12}, {11, 12}});
    EXPECT_EQ(image.cells(), drawn);
    EXPECT_EQ(history.count(), 1);
}

TEST_P(PaintToolTest, RightPressDuringALeftDragIsIgnoredAndTheStrokeGoesOn)
{
    loadRandom(8, 8, 8, {1});
    toolState.setDrawingValue(4);
    press(kLeft, 2, 0);
    moveTo(2, 2);
    press(kRight, 2, 2);
    moveTo(2, 4);
    release(kRight, 2, 4);
    moveTo(2, 6);
    release(kLeft, 2, 6);
    expectOnly({{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}}, Cell{4, 0});
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(canvas->captures, 1);
    EXPECT_FALSE(controller.isRightPressed());
}

TEST_P(PaintToolTest, ErasersWriteTheBackgroundValueWithMaskOne)
{
    // In a palette image the background is the most frequent masked value.
    IconImage icon = blankIcon(6, 6, 4);
    for (std::int32_t x = 0; x < 3; ++x) {
        icon.setPixel(5, x, 5);
        icon.setMask(5, x, true);
    }
    icon.setMask(4, 0, true); // value 0 once: 5 wins
    load(icon);
    ASSERT_EQ(toolState.backgroundValue(), 5u);
    toolState.setTool(ToolId::Eraser);
    drag(kLeft, {{0, 0}, {0, 3}});
    expectOnly({{0, 0}, {0, 1}, {0, 2}, {0, 3}}, Cell{5, 1});

    toolState.setTool(ToolId::PencilEraser);
    toolState.setDrawingValue(2);
    before = test::copyOf(image.cells());
    drag(kRight, {{2, 1}, {3, 1}});
    drag(kLeft, {{2, 4}, {3, 4}});
    EXPECT_EQ(image.cellAt(3, 1), (Cell{5, 1}));
    EXPECT_EQ(image.cellAt(3, 4), (Cell{2, 0}));
    EXPECT_EQ(history.count(), 3);
}

TEST_P(PaintToolTest, EraserInAThirtyTwoBitImageWritesTransparentBlack)
{
    loadRandom(5, 5, 32, {0xFF112233, 0x80445566});
    toolState.setTool(ToolId::Eraser);
    click(kLeft, 2, 3);
    expectOnly({{2, 3}}, Cell{0, 1});
}

TEST_P(PaintToolTest, FillTakesTheFourConnectedRegionOfEqualValueAndMaskOnly)
{
    // 0 0 1 0      (1, 2) and (3, 2) touch the clicked region only
    // 0 1 0 1      diagonally; (3, 3) has the same value as (3, 2) but mask 1.
    // 0 0 1 0
    // 1 1 0 0
    IconImage icon = blankIcon(4, 4, 8);
    const int cells[4][4] = {{0, 0, 1, 0}, {0, 1, 0, 1}, {0, 0, 1, 0}, {1, 1, 0, 0}};
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            icon.setPixel(y, x, static_cast<std::uint32_t>(cells[y][x]));
    icon.setMask(3, 3, true);
    load(icon);
    toolState.setTool(ToolId::Fill);
    toolState.setDrawingValue(7);
    click(kLeft, 0, 0);
    expectOnly({{0, 0}, {0, 1}, {1, 0}, {2, 0}, {2, 1}}, Cell{7, 0});
    EXPECT_EQ(history.count(), 1);
    expectExactUndoRedo(before);
    before = test::copyOf(image.cells());
    click(kLeft, 3, 2);
    expectOnly({{3, 2}}, Cell{7, 0});

    // Filling a cell that already holds the drawing value and mask 0 records nothing.
    click(kLeft, 0, 0);
    EXPECT_EQ(history.count(), 2);
    // Presses outside fill nothing.
    click(kLeft, -1, 0);
    click(kLeft, 0, 4);
    EXPECT_EQ(history.count(), 2);
}

TEST_P(PaintToolTest, CombinedFillToolsUseBackgroundOnTheRightAndTheMaskFlagOnTheLeft)
{
    loadRandom(6, 4, 24, {0x123456});
    toolState.setTool(ToolId::FillStrip);
    click(kRight, 1, 1);
    for (std::int32_t r = 0; r < 4; ++r)
        for (std::int32_t c = 0; c < 6; ++c)
            ASSERT_EQ(image.cellAt(r, c), (Cell{0, 1}));
    toolState.setTool(ToolId::FillEyedropper);
    toolState.setDrawingValue(0x0000FF);
    toolState.setDrawingMaskFlag(1);
    click(kLeft, 0, 0);
    EXPECT_EQ(image.cellAt(3, 5), (Cell{0x0000FF, 1}));
    EXPECT_EQ(history.count(), 2);
}

TEST_P(PaintToolTest, EyedroppersPickValueAndMaskAndThePencilPaintsWithThePickedMask)
{
    IconImage icon = blankIcon(6, 6, 8);
    icon.setPixel(4, 4, 12);
    icon.setMask(4, 4, true);
    icon.setPixel(1, 1, 6);
    load(icon);
    toolState.setTool(ToolId::Eyedropper);
    drag(kLeft, {{0, 0}, {1, 1}});
    EXPECT_EQ(toolState.drawingValue(), 6u);
    EXPECT_EQ(toolState.drawingMaskFlag(), 0);

    toolState.setTool(ToolId::PencilEyedropper);
    click(kRight, 4, 4);
    EXPECT_EQ(toolState.drawingValue(), 12u);
    EXPECT_EQ(toolState.drawingMaskFlag(), 1);
    drag(kLeft, {{2, 0}, {2, 2}});
    expectOnly({{2, 0}, {2, 1}, {2, 2}}, Cell{12, 1});
    EXPECT_EQ(history.count(), 1);
    // A pick outside the image changes nothing.
    click(kRight, 9, 9);
    EXPECT_EQ(toolState.drawingValue(), 12u);
}

TEST_P(PaintToolTest, AlphaSetPaintsOnlyAlphaAndItsRightButtonPicksAlpha)
{
    IconImage icon = blankIcon(4, 4, 32);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            icon.setPixel(y, x, 0xFF000000u | static_cast<std::uint32_t>(y * 16 + x));
    icon.setPixel(3, 3, 0x40ABCDEF);
    icon.setMask(0, 1, true);
    load(icon);
    toolState.setTool(ToolId::AlphaSet);
    toolState.setDrawingValue(0x20123456);
    click(kRight, 3, 3);
    EXPECT_EQ(toolState.drawingValue(), 0x40123456u);
    drag(kLeft, {{0, 0}, {0, 2}});
    EXPECT_EQ(image.cellAt(0, 0), (Cell{0x40000000, 0}));
    EXPECT_EQ(image.cellAt(0, 1), (Cell{0x40000001, 1}));
    EXPECT_EQ(image.cellAt(0, 2), (Cell{0x40000002, 0}));
    EXPECT_EQ(image.cellAt(1, 0), before.at(1, 0));
    EXPECT_EQ(history.count(), 1);
    expectExactUndoRedo(before);
}

TEST_P(PaintToolTest, AlphaNudgeLowersOneStepPerTickUntilZeroAsOneStep)
{
    IconImage icon = blankIcon(4, 4, 32);
    icon.setPixel(2, 1, 0x03102030);
    load(icon);
    toolState.setTool(ToolId::AlphaNudge);
    canvas->pointer = at(2, 1);
    controller.buttonDown(kLeft, canvas->pointer);
    EXPECT_EQ(image.cellAt(2, 1).value, 0x03102030u) << "nothing changes at the press itself";
    ASSERT_EQ(canvas->timersStarted, (std::vector<std::uint32_t>{16543}));
    EXPECT_EQ(canvas->timerPeriod, 50u);
    std::vector<std::uint32_t> alphas;
    for (int tick = 0; tick < 6; ++tick) {
        controller.timerTick(16543);
        controller.timerTick(1000); // the scroll view's timer is not ours
        alphas.push_back(image.cellAt(2, 1).value >> 24);
    }
    EXPECT_EQ(alphas, (std::vector<std::uint32_t>{2, 1, 0, 0, 0, 0}));
    controller.buttonUp(kLeft, canvas->pointer);
    EXPECT_EQ(canvas->timersKilled, (std::vector<std::uint32_t>{16543}));
    ASSERT_EQ(history.count(), 1);
    expectExactUndoRedo(before);

    // Raising with the pointer outside the image records nothing.
    canvas->pointer = at(-1, 1);
    controller.buttonDown(kRight, canvas->pointer);
    controller.timerTick(16543);
    controller.buttonUp(kRight, canvas->pointer);
    EXPECT_EQ(history.count(), 1);
}

TEST_P(PaintToolTest, LineFollowsThePointerAndDrawsOnceAtRelease)
{
    loadRandom(10, 10, 4, {0, 1});
    toolState.setTool(ToolId::Line);
    toolState.setDrawingValue(14);
    press(kLeft, 0, 0);
    moveTo(2, 5);
    ASSERT_TRUE(controller.lineDrag().isActive());
    EXPECT_EQ(controller.lineDrag().bounds(), (PixelRect{0, 0, 2, 5}));
    EXPECT_EQ(image.cells(), before) << "the rubber band is only previewed";
    canvas->invalidated.clear();
    moveTo(1, 3);
    EXPECT_EQ(canvas->invalidated, (std::vector<PixelRect>{{0, 0, 2, 5}, {0, 0, 1, 3}}));
    release(kLeft, 1, 3);
    EXPECT_FALSE(controller.lineDrag().isActive());
    expectOnly({{0, 0}, {0, 1}, {1, 2}, {1, 3}}, Cell{14, 0});
    EXPECT_EQ(history.count(), 1);

    // Right button: background value with mask 1; released at the press point: one pixel.
    before = test::copyOf(image.cells());
    click(kRight, 7, 7);
    expectOnly({{7, 7}}, Cell{toolState.backgroundValue(), 1});
    // Wholly outside: nothing.
    drag(kLeft, {{-1, -1}, {-1, 20}});
    EXPECT_EQ(history.count(), 2);
}

TEST_P(PaintToolTest, RectangleIsClippedToTheImageAndFilledAtRelease)
{
    loadRandom(8, 8, 24, {0x111111, 0x222222}, 0.3);
    toolState.setTool(ToolId::RectFill);
    toolState.setDrawingValue(0x00FF00);
    press(kLeft, -3, -2);
    EXPECT_TRUE(controller.rectDrag().rect().isEmpty());
    moveTo(3, 3);
    EXPECT_EQ(controller.rectDrag().rect(), (PixelRect{0, 0, 3, 3}));
    release(kLeft, 3, 3);
    Points inside;
    for (std::int32_t r = 0; r <= 3; ++r)
        for (std::int32_t c = 0; c <= 3; ++c)
            inside.insert({r, c});
    expectOnly(inside, Cell{0x00FF00, 0});
    EXPECT_EQ(canvas->autoScroll, (std::vector<bool>{true, false}));
    EXPECT_EQ(history.count(), 1);
    expectExactUndoRedo(before);

    before = test::copyOf(image.cells());
    drag(kRight, {{6, 9}, {7, 6}});
    expectOnly({{6, 6}, {6, 7}, {7, 6}, {7, 7}}, Cell{0, 1});
    drag(kLeft, {{-4, -4}, {-1, 20}});
    EXPECT_EQ(history.count(), 2);
}

TEST_P(PaintToolTest, MaskToolChangesOnlyMaskBits)
{
    loadRandom(6, 6, 8, {1, 2, 3}, 0.5);
    toolState.setTool(ToolId::MaskAdjust);
    EXPECT_EQ(toolState.drawingMaskFlag(), 1);
    drag(kLeft, {{0, 0}, {0, 5}});
    drag(kRight, {{5, 0}, {5, 5}});
    for (std::int32_t c = 0; c < 6; ++c) {
        EXPECT_EQ(image.cellAt(0, c), (Cell{before.at(0, c).value, 1}));
        EXPECT_EQ(image.cellAt(5, c), (Cell{before.at(5, c).value, 0}));
    }
    EXPECT_EQ(history.count(), 2);
}

TEST_P(PaintToolTest, MoveToolScrollsTheViewWithThePointer)
{
    loadRandom(16, 16, 24, {0});
    toolState.setTool(ToolId::Move);
    const ClientPoint start = canvas->scrollPosition();
    const ClientPoint p = at(4, 4);
    controller.buttonDown(kLeft, p);
    controller.mouseMove(ClientPoint{p.x + 40, p.y});
    EXPECT_EQ(canvas->scrollPosition(), (ClientPoint{std::max(0, start.x - 40), start.y}));
    controller.mouseMove(ClientPoint{p.x - 30, p.y - 20});
    EXPECT_EQ(canvas->scrollPosition(), (ClientPoint{start.x + 30, start.y + 20}));
    controller.buttonUp(kLeft, p);
    EXPECT_EQ(history.count(), 0);
    // A press outside the image does nothing at all, not even capture.
    const int captures = canvas->captures;
    press(kLeft, -2, 3);
    EXPECT_EQ(canvas->captures, captures);
    EXPECT_FALSE(controller.isLeftPressed());
}

TEST_P(PaintToolTest, ChangingToolInMidStrokeClosesItAsOneStep)
{
    loadRandom(8, 8, 24, {0x10});
    toolState.setDrawingValue(0x20);
    press(kLeft, 1, 0);
    moveTo(1, 4);
    toolState.setTool(ToolId::Select);
    EXPECT_EQ(history.count(), 1);
    EXPECT_FALSE(controller.isLeftPressed());
    EXPECT_EQ(canvas->releases, 1);
    moveTo(5, 4); // no longer a drag: nothing is drawn or marked
    release(kLeft, 5, 4);
    expectOnly({{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}}, Cell{0x20, 0});
    EXPECT_FALSE(selection.hasRect());
    expectExactUndoRedo(before);
}

TEST_P(PaintToolTest, ADragWhoseReleaseIsLostStillEndsAsOneStep)
{
    loadRandom(8, 8, 24, {0x10});
    toolState.setDrawingValue(0x20);
    drag(kLeft, {{0, 0}, {0, 2}});
    press(kLeft, 2, 0); // the release of this stroke never arrives ...
    moveTo(2, 2);
    press(kLeft, 4, 0); // ... so the next press closes it first
    release(kLeft, 4, 1);
    press(kLeft, 6, 0);
    controller.captureLost();
    EXPECT_FALSE(controller.isLeftPressed());
    EXPECT_EQ(history.count(), 4);
    EXPECT_EQ(canvas->captures, canvas->releases);
    expectOnly({{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {2, 2}, {4, 0}, {6, 0}}, Cell{0x20, 0});
}

// However the capture goes, the open drag is stored as its release would
// have stored it, and the moves and the release that follow touch nothing.
TEST_P(PaintToolTest, LosingTheCaptureEndsTheDragAsOneStepAndLaterMovesDrawNothing)
{
    loadRandom(8, 8, 24, {0x10});
    toolState.setDrawingValue(0x20);
    const auto loseThenWander = [&](std::int32_t row, std::int32_t column) {
        controller.captureLost();
        EXPECT_FALSE(controller.isLeftPressed());
        EXPECT_EQ(canvas->captures, canvas->releases);
        moveTo(7, 7);
        moveTo(row, column);
        release(kLeft, row, column);
    };

    press(kLeft, 1, 1);
    moveTo(1, 3);
    loseThenWander(4, 3);
    EXPECT_EQ(history.count(), 1);
    expectOnly({{1, 1}, {1, 2}, {1, 3}}, Cell{0x20, 0});
    expectExactUndoRedo(before);

    toolState.setTool(ToolId::Line);
    before = test::copyOf(image.cells());
    press(kLeft, 3, 0);
    moveTo(3, 4);
    loseThenWander(6, 6);
    EXPECT_FALSE(controller.lineDrag().isActive());
    EXPECT_EQ(history.count(), 2);
    expectOnly({{3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}}, Cell{0x20, 0});
    expectExactUndoRedo(before);

    toolState.setTool(ToolId::RectFill);
    before = test::copyOf(image.cells());
    press(kLeft, 5, 1);
    moveTo(6, 3);
    loseThenWander(2, 6);
    EXPECT_FALSE(controller.rectDrag().isActive());
    EXPECT_FALSE(canvas->autoScroll.back());
    EXPECT_EQ(history.count(), 3);
    expectOnly({{5, 1}, {5, 2}, {5, 3}, {6, 1}, {6, 2}, {6, 3}}, Cell{0x20, 0});
    expectExactUndoRedo(before);

    // Without an open drag the report changes nothing and releases nothing.
    const int releases = canvas->releases;
    controller.captureLost();
    EXPECT_EQ(canvas->releases, releases);
    EXPECT_EQ(history.count(), 3);
}

TEST_P(PaintToolTest, PressesWithoutAnImageOnlySetTheCursor)
{
    canvas = std::make_unique<test::FakeCanvas>(GetParam(), 0, 0);
    controller.setView(canvas.get(), canvas.get());
    controller.buttonDown(kLeft, ClientPoint{5, 5});
    controller.buttonUp(kLeft, ClientPoint{5, 5});
    EXPECT_EQ(canvas->captures, 0);
    EXPECT_TRUE(canvas->readouts.empty());
    EXPECT_EQ(history.count(), 0);
}

// A long run of random actions with every tool that edits: each action adds
// exactly one step or none, and undoing them all and redoing them all passes
// through every intermediate image exactly.
TEST_P(PaintToolTest, RandomActionsUndoAndRedoThroughEveryIntermediateImage)
{
    loadRandom(20, 14, 32, test::randomValues(3, rng), 0.2);
    const ToolId tools[] = {ToolId::Pencil,     ToolId::Eraser,       ToolId::Fill,     ToolId::Strip,
                            ToolId::AlphaSet,   ToolId::AlphaNudge,   ToolId::Line,     ToolId::RectFill,
                            ToolId::MaskAdjust, ToolId::PencilEraser, ToolId::FillStrip};
    std::uniform_int_distribution<std::size_t> pickTool(0, std::size(tools) - 1);
    std::uniform_int_distribution<std::int32_t> row(-3, 16), column(-3, 22);
    std::bernoulli_distribution rightButton(0.3);
    // states[k]: the image after k recorded steps.
    std::vector<CellGrid> states;
    states.push_back(test::copyOf(image.cells()));
    for (int action = 0; action < 120; ++action) {
        toolState.setTool(tools[pickTool(rng)]);
        toolState.setDrawingValue(static_cast<std::uint32_t>(rng()));
        const MouseButton b = rightButton(rng) ? kRight : kLeft;
        canvas->pointer = at(row(rng), column(rng));
        controller.buttonDown(b, canvas->pointer);
        for (int step = 0; step < 4; ++step) {
            canvas->pointer = at(row(rng), column(rng));
            controller.mouseMove(canvas->pointer);
            controller.timerTick(16543);
        }
        controller.buttonUp(b, canvas->pointer);
        const auto recorded = static_cast<std::size_t>(history.count());
        if (recorded + 1 == states.size()) {
            ASSERT_EQ(image.cells(), states.back()) << "action " << action << " changed the image unrecorded, tool "
                                                    << int(toolState.tool()) << (b == kLeft ? " left" : " right");
            continue;
        }
        ASSERT_EQ(recorded, states.size()) << "action " << action << " recorded more than one step";
        states.push_back(test::copyOf(image.cells()));
    }
    ASSERT_GT(states.size(), 60u);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo());
        ASSERT_EQ(image.cells(), states[i - 1]) << "undo to state " << i - 1;
    }
    EXPECT_FALSE(history.canUndo());
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo());
        ASSERT_EQ(image.cells(), states[i]) << "redo to state " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PaintToolTest, ::testing::Values(test::kPlainLayout, test::kZoomedLayout));

} // namespace
} // namespace tessaly
