#include "app/icon_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/rect_fill_entry.h"
#include "palette/palette_view_fakes.h"
#include "support/document_model.h"

namespace tessaly {
namespace {

// An icon recognisable by its width.
IconImage tagged(std::int32_t width, std::int32_t bitCount = 24)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, 4, bitCount));
    image.setStandardPalette();
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            image.setMask(y, x, false);
    return image;
}

class IconDocumentTest : public ::testing::Test, protected test::DocumentModel {
protected:
    // A named file of icons tagged 10, 11, 12, ...
    void openFile(std::int32_t count, std::int32_t bitCount = 24)
    {
        editIcons.newFile();
        for (std::int32_t i = 0; i < count; ++i)
            ASSERT_TRUE(editIcons.addCopy(tagged(10 + i, bitCount)));
    }
    std::vector<std::int32_t> tags(const IconCollection& list) const
    {
        std::vector<std::int32_t> widths;
        for (std::int32_t i = 0; i < list.count(); ++i)
            widths.push_back(list.get(i)->width() - 10);
        return widths;
    }
    void edit(std::int32_t index)
    {
        editList.selectItem(index);
        ASSERT_TRUE(document.openIconForEditing());
        ASSERT_EQ(editList.editedIndex(), index);
    }
    // One undoable pixel change, as a tool makes it.
    void paint(std::uint32_t value)
    {
        auto step = std::make_unique<RectFillEntry>(image);
        ASSERT_TRUE(step->apply(PixelRect{0, 0, 1, 1}, value, 0));
        history.push(std::move(step));
    }
};

TEST_F(IconDocumentTest, MovingTheEditedIconToTheTrashAsksFirstAndCancelKeepsEverything)
{
    openFile(4);
    edit(1);
    paint(0x0000FF);
    host.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(document.moveIconToTrash());
    EXPECT_EQ(host.saveAsked, 1);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(trashIcons.count(), 0);
    EXPECT_EQ(editList.editedIndex(), 1);
    EXPECT_TRUE(image.hasImage());
    EXPECT_TRUE(document.hasUnsavedEdit());

    host.answers = {PromptAnswer::No};
    EXPECT_TRUE(document.moveIconToTrash());
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{0, 2, 3}));
    EXPECT_EQ(tags(trashIcons), (std::vector<std::int32_t>{1}));
    EXPECT_NE(trashIcons.get(0)->getPixel(0, 0), 0x0000FFu) << "the dropped edit never reached the icon";
    EXPECT_EQ(editList.editedIndex(), -1);
    EXPECT_EQ(editList.selectedIndex(), -1);
    EXPECT_FALSE(image.hasImage());
    EXPECT_EQ(history.count(), 0);
}

TEST_F(IconDocumentTest, RemovingAnIconBeforeTheEditedOneLeavesTheEditOnItsIcon)
{
    openFile(4);
    edit(2);
    editList.selectItem(0);
    EXPECT_TRUE(document.moveIconToTrash());
    EXPECT_EQ(host.saveAsked, 0);
    EXPECT_EQ(editList.editedIndex(), 1);
    paint(0x00FF00);
    EXPECT_TRUE(document.saveEditedIcon());
    EXPECT_EQ(editIcons.get(1)->width(), 12);
    EXPECT_EQ(editIcons.get(1)->getPixel(0, 0), 0x00FF00u);
    EXPECT_TRUE(editIcons.isModified());
}

// Every move and copy-drop in a list of four, with every edited index, keeps
// the edit on its icon and follows the reference order.
TEST_F(IconDocumentTest, MovesAndCopyDropsKeepTheEditedIndexOnItsIcon)
{
    for (std::int32_t s = 0; s < 4; ++s) {
        for (std::int32_t p = -1; p <= 5; ++p) {
            for (std::int32_t m = -1; m < 4; ++m) {
                for (const bool copy : {false, true}) {
                    openFile(4);
                    editList.setEditedIndex(m);
                    editList.selectItem(s);
                    std::vector<std::int32_t> expected{0, 1, 2, 3};
                    const std::int32_t at = std::clamp(p, 0, 4);
                    const bool moves = !copy && at != s && at != s + 1;
                    if (copy) {
                        expected.insert(expected.begin() + at, s);
                    } else if (moves) {
                        expected.erase(expected.begin() + s);
                        expected.insert(expected.begin() + (s < at ? at - 1 : at), s);
                    }
                    SCOPED_TRACE(::testing::Message() << "s " << s << " p " << p << " m " << m << " copy " << copy);
                    EXPECT_EQ(copy ? document.copyIconTo(p) : document.moveIconTo(p), copy || moves);
                    EXPECT_EQ(tags(editIcons), expected);
                    const std::int32_t edited = editList.editedIndex();
                    if (m < 0) {
                        EXPECT_EQ(edited, -1);
                    } else {
                        EXPECT_EQ(tags(editIcons)[static_cast<std::size_t>(edited)], m);
                    }
                    // A move selects the moved icon, a copy stays on its source.
                    const std::int32_t selected = editList.selectedIndex();
                    EXPECT_EQ(tags(editIcons)[static_cast<std::size_t>(selected)], s);
                    if (copy) {
                        EXPECT_EQ(selected, s >= at ? s + 1 : s);
                    }
                }
            }
        }
    }
}

TEST_F(IconDocumentTest, TheSavedPointDecidesWhetherClosingAsks)
{
    openFile(3);
    edit(0);
    EXPECT_TRUE(document.closeEditedIcon()) << "nothing changed yet";
    EXPECT_EQ(host.saveAsked, 0);

    edit(0);
    paint(0x0000FF);
    EXPECT_TRUE(document.saveEditedIcon());
    editList.selectItem(0);
    EXPECT_FALSE(document.openIconForEditing()) << "opening the edited icon again does nothing";
    paint(0x00FF00);
    history.undo();
    EXPECT_FALSE(document.hasUnsavedEdit()) << "undone back to the saved point";
    paint(0xFF0000);
    EXPECT_TRUE(document.hasUnsavedEdit());

    // Opening another icon asks about the current one; Yes stores it.
    host.answers = {PromptAnswer::Yes};
    editList.selectItem(2);
    EXPECT_TRUE(document.openIconForEditing());
    EXPECT_EQ(host.saveAsked, 1);
    EXPECT_EQ(editIcons.get(0)->getPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(editList.editedIndex(), 2);
    EXPECT_EQ(image.width(), 12);
    EXPECT_EQ(history.count(), 0);

    // A closed edit with no icon selected opens nothing.
    paint(0x123456);
    host.answers = {PromptAnswer::No};
    editList.selectItem(-1);
    EXPECT_TRUE(document.openIconForEditing());
    EXPECT_EQ(editList.editedIndex(), -1);
    EXPECT_FALSE(image.hasImage());
    EXPECT_NE(editIcons.get(2)->getPixel(0, 0), 0x123456u);
}

TEST_F(IconDocumentTest, FloatingContentIsCommittedWhenStoredAndCountsAsAnUnsavedChange)
{
    openFile(2);
    edit(1);
    selection.setRect(PixelRect{0, 0, 0, 1});
    CellGrid pasted;
    ASSERT_TRUE(pasted.setSize(1, 2));
    pasted.at(0, 0) = {0xFF00FF00u, 0};
    pasted.at(0, 1) = {0xFF0000FFu, 0};
    ASSERT_TRUE(selection.loadContent(pasted));
    EXPECT_TRUE(history.isAtSavedPoint());
    EXPECT_TRUE(document.hasUnsavedEdit()) << "the canvas shows content the icon does not have";

    host.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(document.closeEditedIcon());
    EXPECT_EQ(host.saveAsked, 1);
    EXPECT_EQ(editIcons.get(1)->getPixel(0, 0), 0x00FF00u);
    EXPECT_EQ(editIcons.get(1)->getPixel(0, 1), 0x0000FFu);
    EXPECT_FALSE(selection.hasContent());
}

TEST_F(IconDocumentTest, ThePaletteShowsTheEditedIconsColoursAndGetsTheFreeOnesBack)
{
    openFile(2, 8);
    ASSERT_TRUE(editIcons.addCopy(tagged(12, 24)));
    const std::vector<ColorValue> free{0x010203, 0x040506, 0x070809};
    palette.replace(free);

    edit(2);
    EXPECT_FALSE(palette.isLinked());
    EXPECT_EQ(palette.length(), 3);
    EXPECT_EQ(toolState.bitCount(), 24);

    edit(1);
    EXPECT_TRUE(palette.isLinked());
    EXPECT_EQ(palette.length(), 256);
    EXPECT_EQ(toolState.bitCount(), 8);
    palette.setEntry(5, 0x00ABCDEF);
    paint(5);
    EXPECT_TRUE(document.saveEditedIcon());
    EXPECT_EQ(editIcons.get(1)->getPaletteColor(5), 0x00ABCDEFu);
    EXPECT_EQ(editIcons.get(1)->getPixel(0, 0), 5u);

    EXPECT_TRUE(document.closeEditedIcon());
    EXPECT_FALSE(palette.isLinked());
    std::vector<ColorValue> now;
    ASSERT_TRUE(palette.copyTo(now));
    EXPECT_EQ(now, free);
    EXPECT_EQ(toolState.bitCount(), 24);
}

// A colour typed into the colour window stays an open step until the focus
// leaves; Undo with the cursor still in the box must take back that colour,
// not the stroke before it, and Redo must bring it back.
TEST_F(IconDocumentTest, UndoAndRedoTakeATypedColourAsTheNewestStep)
{
    test::FakeColorView view;
    colorController.setView(&view);
    colorController.resize(200, 200);
    openFile(1, 8);
    edit(0);
    ASSERT_TRUE(palette.isLinked());
    paletteController.selectIndex(toolState.drawingValue());
    const std::int32_t entry = static_cast<std::int32_t>(toolState.drawingValue());
    const ColorValue before = palette.entry(entry);
    paint(toolState.drawingValue());

    view.boxes[1] = greenOf(before) == 200 ? "100" : "200";
    colorController.boxChanged(1);
    const ColorValue typed = palette.entry(entry);
    ASSERT_NE(typed, before);
    ASSERT_TRUE(colorController.hasOpenPaletteEdit());

    EXPECT_TRUE(document.undo());
    EXPECT_EQ(palette.entry(entry), before);
    EXPECT_TRUE(history.canUndo()) << "the stroke stays";
    EXPECT_TRUE(document.redo());
    EXPECT_EQ(palette.entry(entry), typed);
    EXPECT_TRUE(document.undo());
    EXPECT_TRUE(document.undo());
    EXPECT_FALSE(document.undo()) << "two steps: the stroke and the colour";
    colorController.setView(nullptr);
}

TEST_F(IconDocumentTest, DialogsDecideWhatIsMadeAndCancelChangesNothing)
{
    openFile(2, 4);
    editList.selectItem(1);
    EXPECT_FALSE(document.newIcon());
    EXPECT_FALSE(document.createIconFrom());
    ASSERT_EQ(host.convertOffered.size(), 1u);
    EXPECT_EQ(host.convertOffered[0].format.width, 11);
    EXPECT_EQ(host.convertOffered[0].format.height, 4);
    EXPECT_EQ(host.convertOffered[0].format.bitCount, 4);
    EXPECT_EQ(host.convertOffered[0].type, ConversionType::None);
    EXPECT_EQ(editIcons.count(), 2);

    host.newIcons = {{48, 40, 1}};
    EXPECT_TRUE(document.newIcon());
    host.conversions = {{{22, 8, 32}, ConversionType::None}};
    EXPECT_TRUE(document.createIconFrom());
    EXPECT_TRUE(document.duplicateIcon());
    ASSERT_EQ(editIcons.count(), 5);
    const IconImage& blank = *editIcons.get(2);
    EXPECT_EQ(blank.width(), 48);
    EXPECT_EQ(blank.height(), 40);
    EXPECT_EQ(blank.bitCount(), 1);
    EXPECT_EQ(blank.getPaletteColor(1), 0xFFFFFFu) << "the standard palette";
    const IconImage& converted = *editIcons.get(3);
    EXPECT_EQ(converted.width(), 22);
    EXPECT_EQ(converted.bitCount(), 32);
    EXPECT_EQ(alphaOf(converted.getPixel(0, 0)), 255);
    EXPECT_EQ(editIcons.get(4)->width(), 11);
    EXPECT_EQ(editList.selectedIndex(), 1) << "adding leaves the selection";
    EXPECT_EQ(editList.editedIndex(), -1);
}

TEST_F(IconDocumentTest, ImportAndTrashCommandsStartAnUntitledFileWhenNoneIsOpen)
{
    ASSERT_TRUE(importIcons.addCopy(tagged(20)));
    ASSERT_TRUE(importIcons.addCopy(tagged(21, 8)));
    imports.selectItem(1);
    EXPECT_FALSE(document.createFromImport());
    EXPECT_FALSE(document.isFileOpen()) << "a cancelled dialog starts no file";
    EXPECT_TRUE(document.addFromImport());
    EXPECT_TRUE(document.isFileOpen());
    EXPECT_EQ(host.untitledFiles, 1);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{11}));
    EXPECT_EQ(importIcons.count(), 2) << "the import list keeps its icons";
    host.conversions = {{{16, 16, 8}, ConversionType::Greyscale}};
    EXPECT_TRUE(document.createFromImport());
    EXPECT_EQ(host.untitledFiles, 1);
    EXPECT_EQ(editIcons.get(1)->width(), 16);

    editIcons.closeFile();
    ASSERT_TRUE(trashIcons.addCopy(tagged(30)));
    ASSERT_TRUE(trashIcons.addCopy(tagged(31)));
    ASSERT_TRUE(trashIcons.addCopy(tagged(32)));
    trash.selectItem(1);
    EXPECT_TRUE(document.addFromTrash());
    EXPECT_EQ(host.untitledFiles, 2);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{21}));
    EXPECT_EQ(tags(trashIcons), (std::vector<std::int32_t>{20, 22}));
    EXPECT_EQ(trash.selectedIndex(), -1);
    EXPECT_FALSE(document.deleteFromTrash());
    trash.selectItem(0);
    EXPECT_TRUE(document.deleteFromTrash());
    EXPECT_EQ(tags(trashIcons), (std::vector<std::int32_t>{22}));
    EXPECT_EQ(trash.selectedIndex(), -1) << "the next icon is not silently selected for deletion";
    EXPECT_TRUE(document.clearTrash());
    EXPECT_EQ(trashIcons.count(), 0);
}

TEST_F(IconDocumentTest, ASelectionOutsideItsListDesignatesNoIcon)
{
    openFile(3);
    ASSERT_TRUE(trashIcons.addCopy(tagged(5)));
    ASSERT_TRUE(importIcons.addCopy(tagged(6)));
    editList.selectItem(3);
    trash.selectItem(1);
    imports.selectItem(7);
    host.conversions = {{{16, 16, 24}, ConversionType::None}};
    EXPECT_FALSE(document.duplicateIcon());
    EXPECT_FALSE(document.createIconFrom());
    EXPECT_FALSE(document.moveIconToTrash());
    EXPECT_FALSE(document.openIconForEditing());
    EXPECT_FALSE(document.moveIconTo(0));
    EXPECT_FALSE(document.copyIconTo(0));
    EXPECT_FALSE(document.addFromTrash());
    EXPECT_FALSE(document.deleteFromTrash());
    EXPECT_FALSE(document.addFromImport());
    EXPECT_FALSE(document.createFromImport());
    editList.setEditedIndex(5);
    EXPECT_FALSE(document.saveEditedIcon());
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(trashIcons.count(), 1);
    EXPECT_TRUE(host.convertOffered.empty());
}

TEST_F(IconDocumentTest, AnIconTheEditCannotHoldIsNeitherOpenedNorSavedInto)
{
    openFile(2);
    IconImage empty;
    ASSERT_TRUE(empty.create(0, 0, 24));
    ASSERT_TRUE(editIcons.addCopy(empty));
    editList.selectItem(2);
    EXPECT_FALSE(document.openIconForEditing());
    EXPECT_EQ(editList.editedIndex(), -1) << "no edited index without an edited image";

    // The icon changed behind the editor's back: storing fails, so nothing
    // counts as saved and closing stays open.
    edit(0);
    paint(0x0000FF);
    ASSERT_TRUE(editIcons.get(0)->create(8, 8, 24));
    EXPECT_FALSE(document.saveEditedIcon());
    EXPECT_TRUE(document.hasUnsavedEdit());
    host.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(document.closeEditedIcon());
    EXPECT_TRUE(image.hasImage());
    EXPECT_EQ(editList.editedIndex(), 0);
    host.answers = {PromptAnswer::No};
    EXPECT_TRUE(document.closeEditedIcon());
}

// The popups' states, read by command.
std::vector<std::int32_t> enabledItems(const ListMenuChoice& choice)
{
    std::vector<std::int32_t> ids;
    for (const ListMenuItem& item : choice.items)
        if (item.enabled)
            ids.push_back(item.id);
    return ids;
}

TEST_F(IconDocumentTest, TheEditListPopupOffersWhatTheClickedPlaceAllows)
{
    EXPECT_EQ(enabledItems(editMenu.prepare(false, 0)), std::vector<std::int32_t>{}) << "no file";
    openFile(3);
    const ListMenuChoice empty = editMenu.prepare(false, 2);
    EXPECT_EQ(empty.kind, ListMenuKind::EditList);
    EXPECT_EQ(empty.items.size(), 7u);
    EXPECT_EQ(enabledItems(empty), std::vector<std::int32_t>{1001});
    editList.selectItem(1);
    EXPECT_EQ(enabledItems(editMenu.prepare(false, 2)), (std::vector<std::int32_t>{1002, 1003, 1004, 1005}));
    editMenu.execute(1005);
    EXPECT_EQ(editList.editedIndex(), 1);
    EXPECT_EQ(enabledItems(editMenu.prepare(false, 2)), (std::vector<std::int32_t>{1002, 1003, 1004, 1006, 1007}));

    const ListMenuChoice drag = editMenu.prepare(true, 3);
    EXPECT_EQ(drag.kind, ListMenuKind::EditListDrag);
    EXPECT_EQ(enabledItems(drag), (std::vector<std::int32_t>{1010, 1011, 1012}));
    editMenu.execute(1012);
    editMenu.execute(4242);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{0, 1, 2}));
    editMenu.execute(1010);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{0, 2, 1}));
    EXPECT_EQ(editList.editedIndex(), 2);
    editMenu.prepare(true, 0);
    editMenu.execute(1011);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{1, 0, 2, 1}));
    EXPECT_EQ(editList.editedIndex(), 3);
    editMenu.execute(1007);
    EXPECT_EQ(editList.editedIndex(), -1);
}

TEST_F(IconDocumentTest, TheTrashOffersEmptyingOnlyBesideItsIconsAndTheImportListOnlyOnOne)
{
    EXPECT_EQ(enabledItems(trashMenu.prepare(false, 0)), std::vector<std::int32_t>{});
    ASSERT_TRUE(trashIcons.addCopy(tagged(1)));
    EXPECT_EQ(enabledItems(trashMenu.prepare(true, 0)), std::vector<std::int32_t>{1103}) << "a drag is ignored";
    trash.selectItem(0);
    EXPECT_EQ(enabledItems(trashMenu.prepare(false, 0)), (std::vector<std::int32_t>{1101, 1102}));
    trashMenu.execute(1103);
    EXPECT_EQ(trashIcons.count(), 0);

    ASSERT_TRUE(importIcons.addCopy(tagged(12)));
    EXPECT_EQ(enabledItems(importMenu.prepare(false, 0)), std::vector<std::int32_t>{});
    imports.selectItem(0);
    const ListMenuChoice choice = importMenu.prepare(true, 0);
    EXPECT_EQ(choice.kind, ListMenuKind::Import);
    EXPECT_EQ(enabledItems(choice), (std::vector<std::int32_t>{1201, 1202}));
    importMenu.execute(1201);
    EXPECT_EQ(tags(editIcons), (std::vector<std::int32_t>{2}));
    EXPECT_TRUE(document.isFileOpen());
}

} // namespace
} // namespace tessaly
