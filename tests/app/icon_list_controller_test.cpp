#include "app/icon_list_controller.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/thumbnail_pixels.h"
#include "support/document_model.h"

namespace tessaly {
namespace {

// The list window as the controller and the state see it: a width, a
// scroll position, and every request recorded.
class FakeListWindow final : public IconListSurface, public IconListHost {
public:
    std::int32_t clientWidth() const override { return width; }
    ClientPoint scrollPosition() const override { return scroll; }
    void listRelaidOut(std::int32_t height) override
    {
        ++relayouts;
        contentHeight = height;
    }
    void thumbnailChanged(std::int32_t index) override { repainted.push_back(index); }
    void editingFrameMoved(std::int32_t oldIndex, std::int32_t newIndex) override
    {
        frames.push_back({oldIndex, newIndex});
    }
    void appearanceChanged() override { ++appearance; }

    void captureMouse() override { captured = true; }
    void releaseMouse() override { captured = false; }
    void showDragImage(std::int32_t index, ClientPoint corner) override { dragImage = {index, corner}; }
    void hideDragImage() override { dragImage.reset(); }
    void showMenu(const ListMenuChoice& menu, ClientPoint point) override
    {
        menus.push_back(menu);
        menuPoints.push_back(point);
    }

    struct DragImage {
        std::int32_t index;
        ClientPoint corner;
    };
    std::int32_t width = 230; // three columns
    ClientPoint scroll;
    int relayouts = 0;
    std::int32_t contentHeight = 0;
    int appearance = 0;
    std::vector<std::int32_t> repainted;
    std::vector<std::pair<std::int32_t, std::int32_t>> frames;
    bool captured = false;
    std::optional<DragImage> dragImage;
    std::vector<ListMenuChoice> menus;
    std::vector<ClientPoint> menuPoints;
};

class RecordingStatus final : public IconListStatusSink {
public:
    void listReadout(const ListReadout& readout) override { readouts.push_back(readout); }
    void listPopupHint(std::int32_t id) override { hints.push_back(id); }
    std::vector<ListReadout> readouts;
    std::vector<std::int32_t> hints;
};

IconImage tagged(std::int32_t width)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, 4, 24));
    return image;
}

class IconListControllerTest : public ::testing::Test, protected test::DocumentModel {
protected:
    void SetUp() override
    {
        editList.setSurface(&window);
        imports.setSurface(&importWindow);
        edits.setHost(&window);
        importing.setHost(&importWindow);
        edits.setStatusSink(&status);
        editIcons.newFile();
        for (std::int32_t i = 0; i < 6; ++i)
            ASSERT_TRUE(editIcons.addCopy(tagged(10 + i)));
    }
    std::vector<std::int32_t> order() const
    {
        std::vector<std::int32_t> widths;
        for (std::int32_t i = 0; i < editIcons.count(); ++i)
            widths.push_back(editIcons.get(i)->width() - 10);
        return widths;
    }
    // The middle of item i's thumbnail, in client coordinates.
    ClientPoint on(std::int32_t i) const
    {
        const ClientRect r = editList.layout().thumbnailRect(i);
        return {r.left + 16 - window.scroll.x, r.top + 16 - window.scroll.y};
    }
    // Drags item `from` with `button` so that its thumbnail's corner ends
    // where item `to`'s thumbnail is, with the moves a mouse makes.
    void drag(MouseButton button, std::int32_t from, ClientPoint end)
    {
        const ClientPoint start = on(from);
        edits.buttonDown(button, start);
        edits.mouseMove({start.x + 2, start.y});
        edits.mouseMove({start.x + 5, start.y + 1});
        edits.mouseMove(end);
        edits.buttonUp(button, end);
    }

    FakeListWindow window;
    FakeListWindow importWindow;
    RecordingStatus status;
    IconListController edits{editList, editMenu, ListDoubleClick::OpensForEditing, ListDragging::On};
    IconListController importing{imports, importMenu, ListDoubleClick::Selects, ListDragging::Off};
};

TEST_F(IconListControllerTest, APressSelectsTheItemAndAPressBesideTheItemsClearsIt)
{
    edits.buttonDown(MouseButton::Left, on(4));
    EXPECT_EQ(editList.selectedIndex(), 4);
    EXPECT_TRUE(window.captured);
    EXPECT_EQ(window.repainted, std::vector<std::int32_t>{4});
    edits.buttonUp(MouseButton::Left, on(4));
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5})) << "a click moves nothing";

    edits.buttonDown(MouseButton::Left, {on(4).x, on(4).y + 50});
    EXPECT_EQ(editList.selectedIndex(), -1) << "between the rows";
    EXPECT_FALSE(window.captured) << "nothing to drag";
    EXPECT_EQ(window.repainted, (std::vector<std::int32_t>{4, 4}));
}

TEST_F(IconListControllerTest, ALeftDragMovesTheEditedIconAndKeepsItEdited)
{
    editList.setEditedIndex(0);
    const ClientPoint start = on(0);
    edits.buttonDown(MouseButton::Left, start);
    edits.mouseMove({start.x + 3, start.y - 3});
    EXPECT_FALSE(edits.isDragging()) << "3 pixels are not yet a drag";
    edits.mouseMove({start.x + 4, start.y});
    EXPECT_TRUE(edits.isDragging());
    EXPECT_FALSE(window.dragImage) << "the image shows from the next move on";
    // Past the end of the second row: the drop goes to the end.
    const ClientPoint end{on(5).x + 40, on(5).y};
    edits.mouseMove(end);
    ASSERT_TRUE(window.dragImage);
    EXPECT_EQ(window.dragImage->index, 0);
    EXPECT_EQ(window.dragImage->corner.x, end.x - 16);
    edits.buttonUp(MouseButton::Left, end);
    EXPECT_EQ(order(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(editList.editedIndex(), 5);
    EXPECT_EQ(editList.selectedIndex(), 5);
    EXPECT_FALSE(window.dragImage);
    EXPECT_FALSE(window.captured);
    EXPECT_FALSE(edits.isPressed());
}

TEST_F(IconListControllerTest, MovingAnItemInFrontOfTheEditedOnesSuccessorShiftsTheEdit)
{
    editList.setEditedIndex(3);
    drag(MouseButton::Left, 1, on(4));
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 2, 3, 1, 4, 5}));
    EXPECT_EQ(editList.editedIndex(), 2);
    EXPECT_EQ(editList.selectedIndex(), 3);

    // Dropped on its own place or just after it: nothing moves.
    drag(MouseButton::Left, 3, on(3));
    drag(MouseButton::Left, 3, {on(4).x - 20, on(4).y});
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 2, 3, 1, 4, 5}));
    EXPECT_EQ(editList.editedIndex(), 2);
}

TEST_F(IconListControllerTest, ScrolledDragsDropWhereTheImageIsInTheContent)
{
    window.scroll = {0, 75};
    editList.relayout();
    drag(MouseButton::Left, 3, on(5));
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 4, 3, 5}));
}

TEST_F(IconListControllerTest, ARightDragAsksWhatToDoAtTheDropPoint)
{
    editList.setEditedIndex(0);
    drag(MouseButton::Right, 1, on(5));
    ASSERT_EQ(window.menus.size(), 1u);
    EXPECT_EQ(window.menus[0].kind, ListMenuKind::EditListDrag);
    EXPECT_EQ(window.menuPoints[0], on(5));
    EXPECT_EQ(editMenu.dropPosition(), 5);
    EXPECT_FALSE(edits.isPressed());
    EXPECT_FALSE(window.dragImage);
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5})) << "nothing moves before the choice";

    edits.command(1012);
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    edits.command(1011);
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 1, 5}));
    EXPECT_EQ(editList.selectedIndex(), 1);
    EXPECT_EQ(editList.editedIndex(), 0);

    // A right click without a drag offers the icon commands for the item.
    edits.buttonDown(MouseButton::Right, on(2));
    edits.buttonUp(MouseButton::Right, on(2));
    ASSERT_EQ(window.menus.size(), 2u);
    EXPECT_EQ(window.menus[1].kind, ListMenuKind::EditList);
    EXPECT_TRUE(window.menus[1].isEnabled(ListMenuCommand::OpenIconForEditing));
    edits.menuSelect(1005);
    EXPECT_EQ(status.hints, std::vector<std::int32_t>{1005});
    edits.command(1005);
    EXPECT_EQ(editList.editedIndex(), 2);
}

TEST_F(IconListControllerTest, TheImportListNeverDragsAndARightPressThereOpensItsMenu)
{
    ASSERT_TRUE(importIcons.addCopy(tagged(20)));
    ASSERT_TRUE(importIcons.addCopy(tagged(21)));
    const ClientRect second = imports.layout().thumbnailRect(1);
    const ClientPoint point{second.left + 10, second.top + 10};
    importing.buttonDown(MouseButton::Left, point);
    EXPECT_EQ(imports.selectedIndex(), 1);
    EXPECT_FALSE(importing.isPressed());
    importing.mouseMove({point.x - 60, point.y});
    importing.buttonUp(MouseButton::Left, {point.x - 60, point.y});
    EXPECT_FALSE(importWindow.dragImage);
    EXPECT_EQ(importIcons.get(1)->width(), 21);

    importing.buttonDown(MouseButton::Right, point);
    importing.buttonUp(MouseButton::Right, point);
    ASSERT_EQ(importWindow.menus.size(), 1u);
    EXPECT_EQ(importWindow.menus[0].kind, ListMenuKind::Import);
    EXPECT_TRUE(importWindow.menus[0].isEnabled(ListMenuCommand::AddFromImport));
    importing.doubleClick(point);
    EXPECT_EQ(editList.editedIndex(), -1) << "only the edit list opens on a double click";
}

TEST_F(IconListControllerTest, ADoubleClickOpensTheItemAndOnEmptySpaceClosesTheEdit)
{
    edits.doubleClick(on(2));
    EXPECT_EQ(editList.editedIndex(), 2);
    EXPECT_EQ(image.width(), 12);
    ASSERT_FALSE(status.readouts.empty());
    EXPECT_EQ(status.readouts.back().editedIndex, 2) << "the status bar names the newly edited icon at once";
    EXPECT_EQ(window.frames.back(), (std::pair<std::int32_t, std::int32_t>{-1, 2}));
    edits.doubleClick({on(2).x, on(2).y + 50});
    EXPECT_EQ(editList.selectedIndex(), -1);
    EXPECT_EQ(editList.editedIndex(), -1);
    EXPECT_FALSE(image.hasImage());
    EXPECT_EQ(window.frames.back(), (std::pair<std::int32_t, std::int32_t>{2, -1}));
}

TEST_F(IconListControllerTest, TheOtherButtonWaitsAndALostCaptureEndsTheDragInPlace)
{
    const ClientPoint start = on(0);
    edits.buttonDown(MouseButton::Left, start);
    edits.mouseMove({start.x + 10, start.y});
    edits.mouseMove(on(4));
    EXPECT_TRUE(edits.ignores(MouseButton::Right));
    edits.buttonDown(MouseButton::Right, on(2));
    edits.buttonUp(MouseButton::Right, on(2));
    EXPECT_TRUE(window.menus.empty());
    EXPECT_EQ(editList.selectedIndex(), 0);
    EXPECT_TRUE(edits.isDragging());

    edits.captureLost();
    EXPECT_FALSE(edits.isPressed());
    EXPECT_FALSE(window.dragImage);
    edits.buttonUp(MouseButton::Left, on(4));
    EXPECT_EQ(order(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
}

TEST_F(IconListControllerTest, MovesReportTheItemUnderThePointerTheTabAndTheEdit)
{
    editList.setEditedIndex(2);
    edits.mouseMove(on(1));
    edits.mouseMove({on(1).x, on(1).y + 50});
    ASSERT_EQ(status.readouts.size(), 2u);
    EXPECT_EQ(status.readouts[0], (ListReadout{1, 0, 6, 2}));
    EXPECT_EQ(status.readouts[1], (ListReadout{-1, 0, 6, 2}));
}

TEST_F(IconListControllerTest, TheStateFollowsItsListAndRepaintsOnlyWhatChanged)
{
    EXPECT_EQ(window.contentHeight, 2 * 75 - 5);
    const int before = window.relayouts;
    editList.selectItem(1);
    editList.setEditedIndex(1);
    editList.setEditedIndex(3);
    editList.setBackground(0xFFFFFF);
    EXPECT_EQ(window.appearance, 0) << "unchanged";
    editList.setBackground(0xEEEEEE);
    EXPECT_EQ(window.appearance, 1);
    EXPECT_EQ(window.repainted, std::vector<std::int32_t>{1});
    EXPECT_EQ(window.frames, (std::vector<std::pair<std::int32_t, std::int32_t>>{{-1, 1}, {1, 3}}));
    EXPECT_EQ(window.relayouts, before);

    window.width = 100;
    editList.relayout();
    EXPECT_EQ(editList.layout().columns(), 1);
    EXPECT_EQ(window.contentHeight, 6 * 75 - 5);
    editIcons.clear();
    EXPECT_EQ(editList.selectedIndex(), -1);
    EXPECT_EQ(editList.editedIndex(), -1);
    EXPECT_EQ(window.contentHeight, -5) << "the scroll view takes it as no height";
}

TEST_F(IconListControllerTest, RepeatedFormatsAreMarkedOnlyAfterTheirFirstAndOnlyInTheMarkedList)
{
    IconImage small;
    ASSERT_TRUE(small.create(32, 32, 8));
    ASSERT_TRUE(editIcons.addCopy(small));
    ASSERT_TRUE(editIcons.addCopy(small));
    ASSERT_TRUE(editIcons.addCopy(tagged(10)));
    EXPECT_FALSE(editList.showsAsDuplicate(6));
    EXPECT_TRUE(editList.showsAsDuplicate(7));
    EXPECT_TRUE(editList.showsAsDuplicate(8)) << "same 10 x 4 at 24 bits as icon 0";
    EXPECT_FALSE(editList.showsAsDuplicate(0));
    ASSERT_TRUE(trashIcons.addCopy(small));
    ASSERT_TRUE(trashIcons.addCopy(small));
    EXPECT_FALSE(trash.showsAsDuplicate(1));
}

TEST_F(IconListControllerTest, ThumbnailsAreResampledOncePerImageContent)
{
    for (std::int32_t i = 0; i < 6; ++i)
        editList.thumbnail(i);
    EXPECT_EQ(editList.thumbnails().madeCount(), 6);
    drag(MouseButton::Left, 0, on(3));
    editList.selectItem(4);
    ASSERT_TRUE(document.copyIconTo(0));
    for (std::int32_t i = 0; i < 7; ++i)
        editList.thumbnail(i);
    EXPECT_EQ(editList.thumbnails().madeCount(), 7) << "only the copy is new";

    edits.doubleClick(on(1));
    image.fillRect(PixelRect{0, 0, 3, 3}, 0x0000FF, 0);
    ASSERT_TRUE(document.saveEditedIcon());
    for (std::int32_t i = 0; i < 7; ++i)
        editList.thumbnail(i);
    EXPECT_EQ(editList.thumbnails().madeCount(), 8) << "the stored icon is resampled again";
    EXPECT_EQ(editList.thumbnail(1).colours[0], 0xFF0000FFu);

    // A list read anew may reuse the memory of the images it drops; their
    // thumbnails are not taken for the new ones.
    editIcons.clear();
    IconImage fresh;
    ASSERT_TRUE(fresh.create(16, 16, 24));
    for (std::int32_t y = 0; y < 16; ++y)
        for (std::int32_t x = 0; x < 16; ++x) {
            fresh.setPixel(y, x, 0x00FF00);
            fresh.setMask(y, x, false);
        }
    ASSERT_TRUE(editIcons.addCopy(fresh));
    EXPECT_EQ(editList.thumbnail(0).colours[0], 0xFF00FF00u);
    EXPECT_EQ(editList.thumbnail(0).sourceBits, 24);
}

// The thumbnail table by the listed image's bit count, normal and selected.
TEST(ThumbnailPixel, MasksDecideBelow32BitsAndAlphaAt32)
{
    constexpr ColorValue bg = 0xDFDFDF;
    constexpr ColorValue h = 0x6A240A;
    for (const std::int32_t bits : {1, 4, 8, 24}) {
        EXPECT_EQ(thumbnailPixel(0x00204080, false, bits, bg, false, h), 0x204080u);
        EXPECT_EQ(thumbnailPixel(0x00204080, false, bits, bg, true, h), 0x453245u);
        EXPECT_EQ(thumbnailPixel(0xFF000000, true, bits, bg, false, h), bg) << "transparent black";
        EXPECT_EQ(thumbnailPixel(0x00FFFFFF, true, bits, bg, false, h), 0u) << "inverting white";
        EXPECT_EQ(thumbnailPixel(0x00F0F0F0, true, bits, bg, false, h), 0x0F0F0Fu & bg);
        EXPECT_EQ(thumbnailPixel(0x00FFFFFF, true, bits, bg, true, h), bg);
    }
    EXPECT_EQ(thumbnailPixel(0x80FFFFFF, false, 32, 0, false, h), 0x808080u);
    EXPECT_EQ(thumbnailPixel(0x80FFFFFF, true, 32, 0, true, h), 0x808080u)
        << "the mask does not count; 128 is not tinted";
    EXPECT_EQ(thumbnailPixel(0xFFFFFFFF, false, 32, bg, true, h), 0xB59285u) << "white stays light when tinted";
    EXPECT_EQ(thumbnailPixel(0x00FFFFFF, false, 32, bg, true, h), bg);
    EXPECT_EQ(dragImagePixel(0xFF0000FF, false, 32, 0x00FF0000), 0x7F007Fu);
    EXPECT_EQ(dragImagePixel(0x00000000, true, 4, 0x00FFFFFF), 0xFFFFFFu);
    EXPECT_EQ(dragImagePixel(0x000000FF, false, 8, 0x000000FF), 0xFFu);
}

} // namespace
} // namespace tessaly
