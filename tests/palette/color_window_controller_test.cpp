#include "palette/color_window_controller.h"

#include <gtest/gtest.h>

#include <vector>

#include "numbered_palette.h"
#include "palette/color_window_colors.h"
#include "palette_view_fakes.h"
#include "support/palette_model.h"

namespace tessaly {
namespace {

IconImage paletteIcon(std::int32_t bitCount)
{
    IconImage icon;
    EXPECT_TRUE(icon.create(4, 4, bitCount));
    const std::vector<ColorValue> colours = test::numberedPalette(icon.colorCount());
    for (std::int32_t i = 0; i < icon.colorCount(); ++i)
        icon.setPaletteColor(i, colours[static_cast<std::size_t>(i)]);
    return icon;
}

std::uint8_t channelOf(ColorValue c, std::int32_t i)
{
    return static_cast<std::uint8_t>(c >> (8 * i));
}

class ColorWindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Like an edit control, a box reports what the controller writes.
        view.onChange = [this](std::int32_t box) { colour.boxChanged(box); };
        colour.setView(&view);
        colour.resize(200, 200);
        model.paletteController.resize(193, 100);
        model.palette.replace(test::numberedPalette(20));
    }

    // Drags the thumb of channel i from where it is to x.
    void dragThumb(std::int32_t i, std::int32_t x)
    {
        const ViewRect thumb = colour.layout().thumb(i, channelOf(colour.shownColor(), i));
        const ClientPoint grab{(thumb.left + thumb.right) / 2, thumb.top + 2};
        colour.buttonDown(grab);
        ASSERT_TRUE(colour.isDragging());
        colour.mouseMove({(grab.x + x) / 2, grab.y});
        colour.mouseMove({x, grab.y + 30}); // off the bar vertically: only x counts
        colour.buttonUp({x, grab.y + 30});
    }

    void type(std::int32_t box, const std::string& text)
    {
        view.boxes[static_cast<std::size_t>(box)] = text;
        colour.boxChanged(box);
    }

    test::PaletteModel model;
    ColorWindowController& colour = model.colorController;
    test::FakeColorView view;
};

TEST_F(ColorWindowControllerTest, OnAFreePaletteADragChangesTheFramedEntryOnlyWhenColourChangesApply)
{
    model.paletteController.selectIndex(5);
    const ColorValue start = model.toolState.drawingValue();
    dragThumb(1, colour.layout().channel(1).bar.right); // green to 255
    const ColorValue expected = (start & 0xFF00FFu) | 0xFF00u;
    EXPECT_EQ(model.toolState.drawingValue(), expected);
    EXPECT_EQ(model.palette.entry(5), expected);
    EXPECT_EQ(model.history.count(), 0);
    EXPECT_FALSE(colour.hasOpenPaletteEdit());
    EXPECT_EQ(view.boxes[1], "255");

    model.palette.setApplyColorChanges(false);
    dragThumb(1, colour.layout().channel(1).bar.left);
    EXPECT_EQ(model.toolState.drawingValue(), start & 0xFF00FFu);
    EXPECT_EQ(model.palette.entry(5), expected);
}

TEST_F(ColorWindowControllerTest, LinkedEachDragIsOneStepThatUndoRestores)
{
    ASSERT_TRUE(model.openForEditing(paletteIcon(4)));
    model.paletteController.selectIndex(3);
    const ColorValue before = model.palette.entry(3);
    EXPECT_EQ(colour.currentColor(), before);
    dragThumb(0, colour.layout().channel(0).bar.right); // red: 30 -> 255
    EXPECT_EQ(model.palette.entry(3), makeColor(255, 20, 30));
    EXPECT_EQ(model.toolState.drawingValue(), 3u); // the index stays
    EXPECT_EQ(colour.shownColor(), makeColor(255, 20, 30));
    dragThumb(2, colour.layout().channel(2).bar.left); // blue: 30 -> 0
    EXPECT_EQ(model.history.count(), 2);

    ASSERT_TRUE(model.history.undo());
    EXPECT_EQ(model.palette.entry(3), makeColor(255, 20, 30));
    ASSERT_TRUE(model.history.undo());
    EXPECT_EQ(model.palette.entry(3), before);
    EXPECT_EQ(colour.shownColor(), before);
    EXPECT_EQ(view.boxes[0], "30");
}

TEST_F(ColorWindowControllerTest, ARunOfTypingIsOneStepClosedWhenTheFocusLeavesTheWindow)
{
    ASSERT_TRUE(model.openForEditing(paletteIcon(8)));
    model.paletteController.selectIndex(2);
    const ColorValue before = model.palette.entry(2); // (20, 20, 30)
    type(1, "");
    EXPECT_EQ(view.boxes[1], "0");
    EXPECT_EQ(model.palette.entry(2), makeColor(20, 0, 30));
    type(1, "07");
    EXPECT_EQ(view.boxes[1], "7");
    type(1, "300");
    EXPECT_EQ(view.boxes[1], "255");
    EXPECT_EQ(model.palette.entry(2), makeColor(20, 255, 30));
    EXPECT_TRUE(colour.boxKey(1, ColorWindowController::BoxKey::Up)); // 255: nothing
    EXPECT_EQ(view.boxes[1], "255");
    type(2, "0");
    EXPECT_TRUE(colour.boxKey(2, ColorWindowController::BoxKey::Down)); // 0: nothing
    EXPECT_TRUE(colour.boxKey(0, ColorWindowController::BoxKey::Up));
    EXPECT_EQ(view.boxes[0], "21");
    EXPECT_EQ(model.palette.entry(2), makeColor(21, 255, 0));

    colour.focusLeft(true); // to another box: still the same run
    EXPECT_TRUE(colour.hasOpenPaletteEdit());
    EXPECT_EQ(model.history.count(), 0);
    colour.focusLeft(false);
    EXPECT_FALSE(colour.hasOpenPaletteEdit());
    ASSERT_EQ(model.history.count(), 1);
    ASSERT_TRUE(model.history.undo());
    EXPECT_EQ(model.palette.entry(2), before);
    EXPECT_EQ(view.boxes[1], "20");
}

TEST_F(ColorWindowControllerTest, ATypedColourStillOpenIsAskedAboutAndSavedWhenTheEditEnds)
{
    // Closing from the menu leaves the focus in the box: the step is still
    // open, and the history alone would call the edit unchanged.
    ASSERT_TRUE(model.openForEditing(paletteIcon(4)));
    model.paletteController.selectIndex(7);
    type(2, "200");
    ASSERT_TRUE(colour.hasOpenPaletteEdit());
    ASSERT_FALSE(model.closeEditing(PromptAnswer::Cancel));
    EXPECT_EQ(model.host.saveAsked, 1);
    EXPECT_TRUE(model.palette.isLinked());
    ASSERT_TRUE(model.closeEditing(PromptAnswer::Yes));
    EXPECT_EQ(model.editIcons.get(0)->getPaletteColor(7), makeColor(70, 20, 200));
    EXPECT_EQ(model.palette.entry(7), test::numberedPalette(20)[7]); // the free palette is back
}

TEST_F(ColorWindowControllerTest, TabMovesAmongTheShownBoxesAndWraps)
{
    EXPECT_TRUE(colour.boxKey(1, ColorWindowController::BoxKey::Tab));
    EXPECT_EQ(view.focusedBox, 2);
    EXPECT_TRUE(colour.boxKey(2, ColorWindowController::BoxKey::Tab));
    EXPECT_EQ(view.focusedBox, 0);
    model.toolState.setColourMode(32);
    EXPECT_TRUE(view.boxShown[3]);
    EXPECT_TRUE(colour.boxKey(2, ColorWindowController::BoxKey::Tab));
    EXPECT_EQ(view.focusedBox, 3);
    colour.resize(150, 200); // no boxes shown: Tab goes nowhere
    view.focusedBox = -1;
    EXPECT_TRUE(colour.boxKey(0, ColorWindowController::BoxKey::Tab));
    EXPECT_EQ(view.focusedBox, -1);
}

TEST_F(ColorWindowControllerTest, AnEditOpenWhenThePaletteIsReplacedGoesNowhere)
{
    // Typing into a linked entry, then closing the image without moving the
    // focus (an accelerator does that): the open step belongs to a palette
    // that is gone. Typing on must not write into the free palette, which
    // here does not even take colour changes.
    model.palette.setApplyColorChanges(false);
    ASSERT_TRUE(model.openForEditing(paletteIcon(4)));
    model.paletteController.selectIndex(4);
    type(0, "99");
    ASSERT_TRUE(colour.hasOpenPaletteEdit());
    // What ending the edit does, without closing the step first.
    model.palette.replace(model.userPalette());
    model.toolState.setColourMode(24);
    model.history.clear();
    EXPECT_FALSE(colour.hasOpenPaletteEdit());
    model.paletteController.selectIndex(4);
    type(0, "98");
    EXPECT_EQ(model.palette.entry(4), test::numberedPalette(20)[4]);
    EXPECT_EQ(model.toolState.drawingValue(), makeColor(98, 0, 0));

    // The next image starts a step of its own, which undo takes back to its colour.
    ASSERT_TRUE(model.openForEditing(paletteIcon(4)));
    model.paletteController.selectIndex(4);
    type(2, "1");
    colour.commitPaletteEdit(); // as Undo does first
    ASSERT_EQ(model.history.count(), 1);
    ASSERT_TRUE(model.history.undo());
    EXPECT_EQ(model.palette.entry(4), test::numberedPalette(16)[4]);
}

TEST_F(ColorWindowControllerTest, FramingAnotherEntryEndsTheStepOfThePreviousOne)
{
    ASSERT_TRUE(model.openForEditing(paletteIcon(4)));
    model.paletteController.selectIndex(1);
    type(0, "200");
    // The eyedropper picks index 6 while the focus stays in the box.
    model.toolState.setDrawingValue(6);
    EXPECT_EQ(model.paletteController.selectedIndex(), 6);
    EXPECT_EQ(view.boxes[0], "60");
    type(0, "201");
    EXPECT_EQ(model.palette.entry(1), makeColor(200, 20, 30));
    EXPECT_EQ(model.palette.entry(6), makeColor(201, 20, 30));
    colour.commitPaletteEdit();
    EXPECT_EQ(model.history.count(), 2);
}

TEST_F(ColorWindowControllerTest, FieldsGiveTheirComputedColourKeepingTheDrawingAlpha)
{
    model.toolState.setColourMode(32);
    model.toolState.setDrawingValue(0x40808080u);
    const ViewRect hue = colour.layout().hueField();
    colour.buttonDown({hue.left, hue.top + hue.height() / 2});
    EXPECT_EQ(model.toolState.drawingValue(),
              0x40000000u | ColorWindowColors::hueAt(0, hue.height() / 2, hue.width(), hue.height()));
    colour.mouseMove({hue.right + 50, hue.bottom + 50}); // clamped to the last pixel: black
    EXPECT_EQ(model.toolState.drawingValue(), 0x40000000u);
    colour.buttonUp({0, 0});

    model.toolState.setDrawingValue(makeColor(200, 100, 0, 0x80));
    const ColorValue mid = colour.midColor();
    EXPECT_EQ(mid, ColorWindowColors::midColor(makeColor(200, 100, 0)));
    const ViewRect light = colour.layout().lightnessField();
    colour.buttonDown({light.left + light.width() / 4, light.top});
    EXPECT_FALSE(colour.lightnessFollows());
    colour.mouseMove({light.left, light.top}); // the field keeps its colours while dragged
    EXPECT_EQ(colour.midColor(), mid);
    EXPECT_EQ(model.toolState.drawingValue(), 0x80000000u);
    colour.buttonUp({light.left, light.top});
    EXPECT_TRUE(colour.lightnessFollows());
}

TEST_F(ColorWindowControllerTest, ButtonsStepAChannelAndANarrowBarCannotBeDragged)
{
    colour.resize(175, 200);
    model.toolState.setDrawingValue(makeColor(0, 255, 9));
    const ViewRect minus = colour.layout().channel(0).minus;
    colour.buttonDown({minus.right, minus.bottom}); // edges included; at 0 nothing
    EXPECT_EQ(model.toolState.drawingValue(), makeColor(0, 255, 9));
    const ViewRect plus = colour.layout().channel(1).plus;
    colour.buttonDown({plus.left, plus.top}); // at 255 nothing
    const ViewRect bluePlus = colour.layout().channel(2).plus;
    colour.buttonDown({bluePlus.left + 2, bluePlus.top + 2});
    EXPECT_EQ(model.toolState.drawingValue(), makeColor(0, 255, 10));
    EXPECT_FALSE(colour.isDragging());

    colour.resize(84, 200); // bars one pixel wide: no thumb to grab
    const ViewRect thumb = colour.layout().thumb(0, 0);
    colour.buttonDown({thumb.left + 6, thumb.top + 1});
    EXPECT_FALSE(colour.isDragging());
    colour.mouseMove({thumb.left + 30, thumb.top + 1});
    EXPECT_EQ(model.toolState.drawingValue(), makeColor(0, 255, 10));
}

TEST_F(ColorWindowControllerTest, TheTransparencyBoxShowsTheAlphaAgainWhenItReturns)
{
    model.toolState.setColourMode(32);
    model.toolState.setDrawingValue(0xFF000000u);
    EXPECT_EQ(view.boxes[3], "255");
    model.toolState.setColourMode(24);
    model.toolState.setColourMode(32); // the drawing value is 0 again
    EXPECT_EQ(view.boxes[3], "0");
    type(0, "5");
    EXPECT_EQ(model.toolState.drawingValue(), makeColor(5, 0, 0));
}

} // namespace
} // namespace tessaly
