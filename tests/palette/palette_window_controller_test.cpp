#include "palette/palette_window_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "numbered_palette.h"
#include "palette_view_fakes.h"
#include "support/palette_model.h"

namespace tessaly {
namespace {

constexpr ColorValue kRed = makeColor(255, 0, 0);
constexpr ColorValue kBlue = makeColor(0, 0, 255);

// A 4-bit image whose masked pixels all hold `background`, palette numbered.
IconImage fourBitIcon(std::uint32_t background)
{
    IconImage icon;
    EXPECT_TRUE(icon.create(4, 4, 4));
    const std::vector<ColorValue> colours = test::numberedPalette(16);
    for (std::int32_t i = 0; i < 16; ++i)
        icon.setPaletteColor(i, colours[static_cast<std::size_t>(i)]);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            icon.setPixel(y, x, background);
    return icon;
}

class PaletteWindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setView(&view);
        window.setStatusSink(&status);
        window.resize(193, 100);
        model.palette.replace(test::numberedPalette(20));
    }

    // The centre of cell i, moved by (dx, dy).
    ClientPoint cell(std::int32_t i, std::int32_t dx = 0, std::int32_t dy = 0) const
    {
        const ClientPoint o = window.grid().cellOrigin(i, view.scroll);
        return {o.x + 6 + dx, o.y + 6 + dy};
    }

    void rightClick(ClientPoint press, ClientPoint release)
    {
        window.rightButtonDown(press);
        window.mouseMove(release);
        window.rightButtonUp(release);
    }

    test::PaletteModel model;
    PaletteWindowController& window = model.paletteController;
    test::FakePaletteView view;
    test::RecordingPaletteStatus status;
};

TEST_F(PaletteWindowControllerTest, ARightClickOnOneEntryOffersCopyAndCopiesJustThatEntry)
{
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kCopy); };
    rightClick(cell(7), cell(7));
    ASSERT_EQ(view.menus.size(), 1u);
    EXPECT_EQ(view.menus[0].enabled, (std::array<bool, 3>{true, false, false})); // nothing copied yet
    EXPECT_EQ(model.paletteClipboard, std::vector<ColorValue>{test::numberedPalette(20)[7]});

    // Three pixels keep it one entry, which can now be pasted over.
    view.onMenu = nullptr;
    rightClick(cell(9), cell(9, 3, -3));
    EXPECT_FALSE(window.rangeShown());
    EXPECT_EQ(view.menus.back().enabled, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(status.readouts.back(), (test::RecordingPaletteStatus::Readout{9, 0, -1}));

    // Four pixels mark a range, even within one cell; a range of one entry
    // cannot be a gradient and is no paste position.
    window.rightButtonDown(cell(9));
    window.mouseMove(cell(9, 4, 0));
    EXPECT_TRUE(window.rangeShown());
    EXPECT_EQ(status.readouts.back(), (test::RecordingPaletteStatus::Readout{9, 9, 9}));
    window.rightButtonUp(cell(9, 4, 0));
    EXPECT_EQ(view.menus.back().enabled, (std::array<bool, 3>{true, false, false}));
    EXPECT_FALSE(window.rangeShown()); // gone once the menu has closed
    EXPECT_FALSE(window.inRangeMode());
}

TEST_F(PaletteWindowControllerTest, APressOutsideTheEntriesOpensNoMenuAndReadoutsStayRaw)
{
    rightClick(cell(25), cell(25)); // a place past the last of 20 entries
    window.rightButtonDown({-3, 5});
    window.rightButtonUp({-3, 5});
    EXPECT_TRUE(view.menus.empty());
    EXPECT_EQ(status.readouts.front().index, 25);

    // A drag past the end clamps the range but reports the raw cell.
    window.rightButtonDown(cell(17));
    window.mouseMove(cell(40));
    EXPECT_EQ(window.rangeStart(), 17);
    EXPECT_EQ(window.rangeEnd(), 19);
    EXPECT_EQ(status.readouts.back(), (test::RecordingPaletteStatus::Readout{40, 17, 19}));
    // Losing the mouse ends the press without a menu.
    window.captureLost();
    EXPECT_FALSE(window.isPressed());
    EXPECT_FALSE(window.rangeShown());
    window.rightButtonUp(cell(40));
    EXPECT_TRUE(view.menus.empty());
}

TEST_F(PaletteWindowControllerTest, ChangingTheRangeRepaintsOnlyTheCellsThatLeaveOrJoinIt)
{
    window.setRange(2, 5);
    view.invalidated.clear();
    window.setRange(4, 7);
    const auto square = [&](std::int32_t i) { return window.grid().colourSquare(i, view.scroll); };
    EXPECT_EQ(view.invalidated, (std::vector<ViewRect>{square(2).united(square(3)), square(6).united(square(7))}));
    view.invalidated.clear();
    window.setRange(14, 17); // across a row end: the rows concerned
    ASSERT_EQ(view.invalidated.size(), 2u);
    EXPECT_EQ(view.invalidated[0], square(4).united(square(13)));
    EXPECT_EQ(view.invalidated[1], square(0).united(square(31)));
    view.invalidated.clear();
    window.setRange(0, -1);
    EXPECT_EQ(view.invalidated.size(), 1u);
    EXPECT_FALSE(window.rangeShown());
}

TEST_F(PaletteWindowControllerTest, ALeftClickOnAFreeEntryTakesItsColourKeepingTheAlpha)
{
    model.toolState.setColourMode(32);
    model.toolState.setDrawingValue(0x80FFFFFFu);
    window.leftButtonDown({0, 0}); // the grid line at the corner
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_TRUE(view.outlines.empty());

    window.leftButtonDown(cell(5));
    EXPECT_EQ(window.selectedIndex(), 5);
    EXPECT_EQ(model.toolState.drawingValue(), 0x80000000u | test::numberedPalette(20)[5]);
    ASSERT_EQ(view.outlines.size(), 2u);
    EXPECT_EQ(view.outlines[0].rect, window.grid().frame(0, {}));
    EXPECT_EQ(view.outlines[0].colour, PaletteWindowController::kGridColour);
    EXPECT_EQ(view.outlines[1].rect, window.grid().frame(5, {}));
    EXPECT_EQ(view.outlines[1].colour, PaletteWindowController::kFrameColour);
}

TEST_F(PaletteWindowControllerTest, LinkedTheFramedEntryIsTheDrawingIndexFromTheStart)
{
    // The background value 5 becomes the drawing index when the image
    // opens; the frame must not fall back to entry 0, or colour edits would
    // go to another entry than the one shown.
    ASSERT_TRUE(model.openForEditing(fourBitIcon(5)));
    EXPECT_TRUE(model.palette.isLinked());
    EXPECT_EQ(model.toolState.drawingValue(), 5u);
    EXPECT_EQ(window.selectedIndex(), 5);
    EXPECT_EQ(model.colorController.currentColor(), test::numberedPalette(16)[5]);

    window.leftButtonDown(cell(9));
    EXPECT_EQ(model.toolState.drawingValue(), 9u);
    // A palette file read while linked frames entry 0, and the drawing
    // index goes with it.
    ASSERT_TRUE(model.palette.loadBytes(std::vector<std::uint8_t>(16, 0x40)));
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_EQ(model.toolState.drawingValue(), 0u);
}

TEST_F(PaletteWindowControllerTest, GradientAndPasteAreUndoStepsOnlyWhileLinked)
{
    // Free: the edit happens, nothing to undo.
    model.palette.replace(std::vector<ColorValue>{kRed, 0, 0, kBlue, 7});
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kGradient); };
    rightClick(cell(0), cell(3));
    EXPECT_EQ(view.menus.back().enabled, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(model.palette.entry(1), makeColor(170, 0, 85));
    EXPECT_EQ(model.palette.entry(2), makeColor(85, 0, 170));
    EXPECT_EQ(model.history.count(), 0);

    // Linked: the same menu commands are undone in one step each.
    ASSERT_TRUE(model.openForEditing(fourBitIcon(0)));
    const std::vector<ColorValue> before = test::numberedPalette(16);
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kCopy); };
    rightClick(cell(1), cell(3));
    EXPECT_EQ(model.paletteClipboard, (std::vector<ColorValue>{before[1], before[2], before[3]}));
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kPaste); };
    rightClick(cell(14), cell(14));
    EXPECT_EQ(model.palette.entry(14), before[1]);
    EXPECT_EQ(model.palette.entry(15), before[2]);
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kGradient); };
    rightClick(cell(4), cell(8));
    EXPECT_EQ(model.history.count(), 2);
    ASSERT_TRUE(model.history.undo());
    ASSERT_TRUE(model.history.undo());
    std::vector<ColorValue> after;
    ASSERT_TRUE(model.palette.copyTo(after));
    EXPECT_EQ(after, before);
}

TEST_F(PaletteWindowControllerTest, TheFreePaletteIsKeptAsideWhileAnIndexedImageIsEditedAndComesBackUnchanged)
{
    IconImage full;
    ASSERT_TRUE(full.create(4, 4, 24));
    ASSERT_TRUE(model.openForEditing(full)); // no colour table: the free palette stays
    EXPECT_FALSE(model.palette.isLinked());
    EXPECT_EQ(model.palette.length(), 20);

    ASSERT_TRUE(model.openForEditing(fourBitIcon(0)));
    EXPECT_EQ(model.palette.length(), 16);
    EXPECT_EQ(view.contentHeight, 13);
    // Edits of every kind on the linked entries.
    view.onMenu = [&] { window.menuCommand(PaletteMenu::kGradient); };
    rightClick(cell(0), cell(15));
    test::FakeColorView colourView;
    model.colorController.setView(&colourView);
    model.colorController.resize(200, 200);
    window.leftButtonDown(cell(3));
    colourView.boxes[0] = "1";
    model.colorController.boxChanged(0);
    EXPECT_TRUE(model.colorController.hasOpenPaletteEdit());

    ASSERT_TRUE(model.closeEditing(PromptAnswer::No));
    EXPECT_EQ(model.host.saveAsked, 1);
    std::vector<ColorValue> back;
    ASSERT_TRUE(model.palette.copyTo(back));
    EXPECT_EQ(back, test::numberedPalette(20));
    EXPECT_FALSE(model.palette.isLinked());
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_EQ(view.contentHeight, 25);
    EXPECT_EQ(model.history.count(), 0);
    EXPECT_FALSE(model.colorController.hasOpenPaletteEdit());
    EXPECT_EQ(model.colorController.currentColor(), model.toolState.drawingValue());
    model.colorController.setView(nullptr);
}

} // namespace
} // namespace tessaly
