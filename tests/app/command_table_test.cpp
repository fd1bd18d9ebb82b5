#include "app/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/main_menu_layout.h"
#include "support/recording_command_target.h"

namespace tessaly {
namespace {

using test::RecordingCommandTarget;

// A native menu stand-in: every item enabled and unchecked until told otherwise.
class FakeMenuItems final : public MenuItems {
public:
    struct State {
        bool enabled = true;
        bool checked = false;
    };

    void setEnabled(std::uint16_t id, bool enabled) override { states[id].enabled = enabled; }
    void setChecked(std::uint16_t id, bool checked) override { states[id].checked = checked; }
    bool isChecked(std::uint16_t id) const override { return stateOf(id).checked; }

    bool enabled(CommandId id) const { return stateOf(commandNumber(id)).enabled; }
    bool checked(CommandId id) const { return stateOf(commandNumber(id)).checked; }
    std::set<std::uint16_t> grayed() const
    {
        return idsWhere([](const State& s) { return !s.enabled; });
    }
    std::set<std::uint16_t> checkedIds() const
    {
        return idsWhere([](const State& s) { return s.checked; });
    }

    std::map<std::uint16_t, State> states;

private:
    template <typename Pick> std::set<std::uint16_t> idsWhere(Pick pick) const
    {
        std::set<std::uint16_t> ids;
        for (const auto& [id, state] : states) {
            if (pick(state))
                ids.insert(id);
        }
        return ids;
    }
    State stateOf(std::uint16_t id) const
    {
        const auto found = states.find(id);
        return found == states.end() ? State{} : found->second;
    }
};

class CommandTableTest : public ::testing::Test {
protected:
    bool run(CommandId id) { return command_table::execute(commandNumber(id), target, items); }
    void openMenu() { command_table::updateStates(target.conditions, items); }

    RecordingCommandTarget target;
    FakeMenuItems items;
};

std::set<std::uint16_t> numbers(std::initializer_list<CommandId> ids)
{
    std::set<std::uint16_t> out;
    for (const CommandId id : ids)
        out.insert(commandNumber(id));
    return out;
}

TEST_F(CommandTableTest, WithoutAFileEveryFileItemIsGrayedAndOnlyNewAndOpenOfTheAcceleratorsWork)
{
    // Whatever else holds, no file grays the file, edit and icon items.
    target.conditions = RecordingCommandTarget::everythingPossible();
    target.conditions.fileOpen = false;
    openMenu();
    EXPECT_EQ(items.grayed(), numbers({CommandId::Close,
                                       CommandId::SaveAs,
                                       CommandId::Save,
                                       CommandId::Undo,
                                       CommandId::Redo,
                                       CommandId::Cut,
                                       CommandId::Copy,
                                       CommandId::Paste,
                                       CommandId::Delete,
                                       CommandId::SelectAll,
                                       CommandId::NewIcon,
                                       CommandId::DuplicateIcon,
                                       CommandId::CreateIconFrom,
                                       CommandId::MoveIconToTrash,
                                       CommandId::OpenIconForEditing,
                                       CommandId::SaveEditedIcon,
                                       CommandId::CloseEditedIcon,
                                       CommandId::AddFromImport,
                                       CommandId::CreateFromImport,
                                       CommandId::AddFromTrash}));

    // The menu closes: the accelerated items are enabled again, but their
    // commands still check the file.
    command_table::enableAcceleratedItems(items);
    EXPECT_EQ(items.grayed(),
              numbers({CommandId::Close, CommandId::SaveAs, CommandId::NewIcon, CommandId::DuplicateIcon,
                       CommandId::CreateIconFrom, CommandId::MoveIconToTrash, CommandId::OpenIconForEditing,
                       CommandId::SaveEditedIcon, CommandId::CloseEditedIcon, CommandId::AddFromImport,
                       CommandId::CreateFromImport, CommandId::AddFromTrash}));
    for (const CommandId id : {CommandId::Save, CommandId::Undo, CommandId::Redo, CommandId::Cut, CommandId::Copy,
                               CommandId::Paste, CommandId::Delete, CommandId::SelectAll})
        EXPECT_FALSE(run(id)) << commandNumber(id);
    EXPECT_TRUE(target.calls.empty());
    EXPECT_TRUE(run(CommandId::NewFile));
    EXPECT_TRUE(run(CommandId::Open));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"newFileWithIcon", "openFile"}));
}

TEST_F(CommandTableTest, AnUntitledFileGraysSaveAndSaveDoesNotFallBackToSaveAs)
{
    target.conditions.fileOpen = true;
    target.conditions.fileHasPath = false;
    openMenu();
    EXPECT_FALSE(items.enabled(CommandId::Save));
    EXPECT_TRUE(items.enabled(CommandId::SaveAs));
    EXPECT_TRUE(items.enabled(CommandId::Close));
    EXPECT_TRUE(items.enabled(CommandId::NewIcon));

    command_table::enableAcceleratedItems(items);
    EXPECT_FALSE(run(CommandId::Save));
    EXPECT_TRUE(target.calls.empty());
    EXPECT_TRUE(run(CommandId::SaveAs));
    EXPECT_EQ(target.calls, std::vector<std::string>{"saveFileAs"});
}

TEST_F(CommandTableTest, EachEditAndIconItemFollowsItsOwnCondition)
{
    target.conditions = RecordingCommandTarget::everythingPossible();
    openMenu();
    EXPECT_TRUE(items.grayed().empty());

    struct Case {
        bool MenuConditions::*condition;
        std::set<std::uint16_t> grayed;
    };
    const Case cases[] = {
        {&MenuConditions::fileHasPath, numbers({CommandId::Save})},
        {&MenuConditions::canUndo, numbers({CommandId::Undo})},
        {&MenuConditions::canRedo, numbers({CommandId::Redo})},
        {&MenuConditions::hasSelection, numbers({CommandId::Cut, CommandId::Copy, CommandId::Delete})},
        {&MenuConditions::hasPasteContent, numbers({CommandId::Paste})},
        {&MenuConditions::editingIcon,
         numbers({CommandId::SelectAll, CommandId::SaveEditedIcon, CommandId::CloseEditedIcon})},
        {&MenuConditions::editListHasSelection, numbers({CommandId::DuplicateIcon, CommandId::CreateIconFrom,
                                                         CommandId::MoveIconToTrash, CommandId::OpenIconForEditing})},
        {&MenuConditions::importListHasSelection, numbers({CommandId::AddFromImport, CommandId::CreateFromImport})},
        {&MenuConditions::trashHasSelection, numbers({CommandId::AddFromTrash})},
    };
    for (const Case& c : cases) {
        target.conditions = RecordingCommandTarget::everythingPossible();
        target.conditions.*c.condition = false;
        openMenu();
        EXPECT_EQ(items.grayed(), c.grayed);
        // What the menu grays, the command refuses.
        for (const std::uint16_t id : c.grayed) {
            EXPECT_FALSE(command_table::execute(id, target, items)) << id;
        }
    }
    EXPECT_TRUE(target.calls.empty());

    target.conditions = RecordingCommandTarget::everythingPossible();
    target.conditions.paletteEmpty = true;
    openMenu();
    EXPECT_EQ(items.grayed(), numbers({CommandId::SavePalette}));
}

TEST_F(CommandTableTest, ALinkedPaletteGraysNewAndApplyAndKeepsTheApplyCheckAsItWas)
{
    target.conditions.applyColorChanges = true;
    openMenu();
    EXPECT_TRUE(items.checked(CommandId::ApplyColorChanges));

    // An 8-bit icon is edited: only load and save remain in the palette menu.
    target.conditions.paletteLinked = true;
    target.conditions.applyColorChanges = false;
    openMenu();
    EXPECT_FALSE(items.enabled(CommandId::NewPalette));
    EXPECT_FALSE(items.enabled(CommandId::ApplyColorChanges));
    EXPECT_TRUE(items.enabled(CommandId::LoadPalette));
    EXPECT_TRUE(items.enabled(CommandId::SavePalette));
    EXPECT_TRUE(items.checked(CommandId::ApplyColorChanges));
    EXPECT_FALSE(run(CommandId::NewPalette));
    EXPECT_FALSE(run(CommandId::ApplyColorChanges));
    EXPECT_TRUE(target.calls.empty());

    target.conditions.paletteLinked = false;
    openMenu();
    EXPECT_FALSE(items.checked(CommandId::ApplyColorChanges));
    EXPECT_TRUE(run(CommandId::ApplyColorChanges));
    EXPECT_EQ(target.calls, std::vector<std::string>{"setApplyColorChanges on"});
}

TEST_F(CommandTableTest, TheViewMenuChecksTheItemOfEachSettingAndNoneForAValueWithoutOne)
{
    // A zoom of 12 from the settings, the checkerboard canvas, the white preview.
    target.conditions.zoomSetting = 12;
    target.conditions.canvasBackground = 6;
    target.conditions.previewBackground = 3;
    target.conditions.gridShown = true;
    target.conditions.paletteFrameVisible = true;
    openMenu();
    EXPECT_EQ(items.checkedIds(), numbers({CommandId::Zoom12, CommandId::CanvasLight, CommandId::PreviewExplorer,
                                           CommandId::Grid, CommandId::PaletteFrame}));

    // The green background is index 3 although its item stands sixth; a stored
    // index of 9 and a zoom of 3 check nothing.
    target.conditions.canvasBackground = 3;
    target.conditions.previewBackground = 1;
    openMenu();
    EXPECT_TRUE(items.checked(CommandId::CanvasGreen));
    EXPECT_TRUE(items.checked(CommandId::PreviewActiveTitle));
    target.conditions = MenuConditions{};
    target.conditions.canvasBackground = 9;
    target.conditions.zoomSetting = 3;
    target.conditions.previewBackground = 7;
    openMenu();
    EXPECT_TRUE(items.checkedIds().empty());
}

TEST_F(CommandTableTest, TogglesTakeTheOppositeOfTheirCheckMark)
{
    // The palette frame was hidden: its item shows no check, and choosing it
    // shows the frame again.
    target.conditions.paletteFrameVisible = false;
    target.conditions.gridShown = true;
    target.conditions.previewAutoZoom = true;
    openMenu();
    EXPECT_FALSE(items.checked(CommandId::PaletteFrame));
    EXPECT_TRUE(run(CommandId::PaletteFrame));
    EXPECT_TRUE(run(CommandId::Grid));
    EXPECT_TRUE(run(CommandId::PreviewAutoZoom));
    EXPECT_TRUE(run(CommandId::PreviewSelected));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"showPaletteFrame on", "setGrid off", "setPreviewAutoZoom off",
                                                      "setPreviewSelected on"}));
}

TEST_F(CommandTableTest, EveryMenuItemRunsAnOperationOfItsOwnAndOtherNumbersNone)
{
    target.conditions = RecordingCommandTarget::everythingPossible();
    std::set<std::string> distinct;
    int itemsInMenu = 0;
    for (const MenuEntry& entry : kMainMenuLayout) {
        if (entry.kind != MenuEntry::Kind::Item)
            continue;
        ++itemsInMenu;
        target.calls.clear();
        EXPECT_TRUE(command_table::execute(entry.id, target, items)) << entry.id;
        ASSERT_EQ(target.calls.size(), 1u) << entry.id;
        distinct.insert(target.calls[0]);
    }
    EXPECT_EQ(itemsInMenu, 56);
    EXPECT_EQ(distinct.size(), 56u);
    EXPECT_TRUE(distinct.count("setZoom 16"));
    EXPECT_TRUE(distinct.count("setCanvasBackground 5"));
    EXPECT_TRUE(distinct.count("setPreviewBackground 4"));

    target.calls.clear();
    for (const std::int32_t other : {0, 40000, 40057, 10001, -1})
        EXPECT_FALSE(command_table::execute(other, target, items));
    EXPECT_TRUE(target.calls.empty());
}

} // namespace
} // namespace tessaly
