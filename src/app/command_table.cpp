#include "app/command_table.h"

#include "app/main_menu_layout.h"

namespace tessaly::command_table {
namespace {

// A radio item of the view menu and the option value it chooses.
struct ChoiceItem {
    CommandId id;
    std::int32_t value;
};

constexpr ChoiceItem kCanvasBackgrounds[] = {
    {CommandId::CanvasLight, 6}, {CommandId::CanvasDark, 7},  {CommandId::CanvasWhite, 0}, {CommandId::CanvasBlack, 1},
    {CommandId::CanvasGrey, 2},  {CommandId::CanvasGreen, 3}, {CommandId::CanvasBlue, 4},  {CommandId::CanvasRed, 5},
};

constexpr ChoiceItem kZooms[] = {
    {CommandId::ZoomAuto, 0}, {CommandId::Zoom1, 1},   {CommandId::Zoom2, 2},   {CommandId::Zoom4, 4},
    {CommandId::Zoom8, 8},    {CommandId::Zoom12, 12}, {CommandId::Zoom16, 16},
};

constexpr ChoiceItem kPreviewBackgrounds[] = {
    {CommandId::PreviewDesktop, 0},  {CommandId::PreviewActiveTitle, 1}, {CommandId::PreviewInactiveTitle, 2},
    {CommandId::PreviewExplorer, 3}, {CommandId::PreviewTaskbar, 4},
};

// The items of the first step, all grayed while no file is open.
constexpr CommandId kFileItems[] = {
    CommandId::Close,
    CommandId::SaveAs,
    CommandId::Save,
    CommandId::Undo,
    CommandId::Redo,
    CommandId::Cut,
    CommandId::Copy,
    CommandId::Delete,
    CommandId::Paste,
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
    CommandId::AddFromTrash,
};

// Rules that hold only with a file open.
bool availableWithFile(CommandId id, const MenuConditions& c)
{
    switch (id) {
    case CommandId::Close:
    case CommandId::SaveAs:
    case CommandId::NewIcon:
        return true;
    case CommandId::Save:
        return c.fileHasPath;
    case CommandId::Undo:
        return c.canUndo;
    case CommandId::Redo:
        return c.canRedo;
    case CommandId::Cut:
    case CommandId::Copy:
    case CommandId::Delete:
        return c.hasSelection;
    case CommandId::Paste:
        return c.hasPasteContent;
    case CommandId::SelectAll:
    case CommandId::SaveEditedIcon:
    case CommandId::CloseEditedIcon:
        return c.editingIcon;
    case CommandId::DuplicateIcon:
    case CommandId::CreateIconFrom:
    case CommandId::MoveIconToTrash:
    case CommandId::OpenIconForEditing:
        return c.editListHasSelection;
    case CommandId::AddFromImport:
    case CommandId::CreateFromImport:
        return c.importListHasSelection;
    case CommandId::AddFromTrash:
        return c.trashHasSelection;
    default:
        return false;
    }
}

bool needsFile(CommandId id)
{
    for (const CommandId item : kFileItems) {
        if (item == id)
            return true;
    }
    return false;
}

template <std::size_t N> void checkChoice(const ChoiceItem (&choices)[N], std::int32_t current, MenuItems& items)
{
    for (const ChoiceItem& choice : choices)
        items.setChecked(commandNumber(choice.id), choice.value == current);
}

template <std::size_t N> const ChoiceItem* findChoice(const ChoiceItem (&choices)[N], CommandId id)
{
    for (const ChoiceItem& choice : choices) {
        if (choice.id == id)
            return &choice;
    }
    return nullptr;
}

// The radio items of the view menu; false when id is none of them.
bool executeChoice(CommandId id, CommandTarget& target)
{
    if (const ChoiceItem* choice = findChoice(kCanvasBackgrounds, id)) {
        target.setCanvasBackground(choice->value);
        return true;
    }
    if (const ChoiceItem* choice = findChoice(kZooms, id)) {
        target.setZoom(choice->value);
        return true;
    }
    if (const ChoiceItem* choice = findChoice(kPreviewBackgrounds, id)) {
        target.setPreviewBackground(choice->value);
        return true;
    }
    return false;
}

// The check-mark items and the setters they call with the opposite of their mark.
struct Toggle {
    CommandId id;
    void (CommandTarget::*set)(bool);
};

constexpr Toggle kToggles[] = {
    {CommandId::Grid, &CommandTarget::setGrid},
    {CommandId::PaletteShowWhole, &CommandTarget::setPaletteShowWhole},
    {CommandId::PreviewAutoZoom, &CommandTarget::setPreviewAutoZoom},
    {CommandId::PreviewSelected, &CommandTarget::setPreviewSelected},
    {CommandId::ApplyColorChanges, &CommandTarget::setApplyColorChanges},
    {CommandId::IconListFrame, &CommandTarget::showIconListFrame},
    {CommandId::SelectedColorFrame, &CommandTarget::showSelectedColorFrame},
    {CommandId::PaletteFrame, &CommandTarget::showPaletteFrame},
    {CommandId::PreviewFrame, &CommandTarget::showPreviewFrame},
};

// The plain commands and their operations.
struct Action {
    CommandId id;
    void (CommandTarget::*run)();
};

constexpr Action kActions[] = {
    {CommandId::NewFile, &CommandTarget::newFileWithIcon},
    {CommandId::Open, &CommandTarget::openFile},
    {CommandId::Close, &CommandTarget::closeFile},
    {CommandId::Save, &CommandTarget::saveFile},
    {CommandId::SaveAs, &CommandTarget::saveFileAs},
    {CommandId::Import, &CommandTarget::importFile},
    {CommandId::Exit, &CommandTarget::exit},
    {CommandId::Undo, &CommandTarget::undo},
    {CommandId::Redo, &CommandTarget::redo},
    {CommandId::Cut, &CommandTarget::cut},
    {CommandId::Copy, &CommandTarget::copy},
    {CommandId::Paste, &CommandTarget::paste},
    {CommandId::Delete, &CommandTarget::deleteSelection},
    {CommandId::SelectAll, &CommandTarget::selectAll},
    {CommandId::NewIcon, &CommandTarget::newIcon},
    {CommandId::DuplicateIcon, &CommandTarget::duplicateIcon},
    {CommandId::CreateIconFrom, &CommandTarget::createIconFrom},
    {CommandId::MoveIconToTrash, &CommandTarget::moveIconToTrash},
    {CommandId::OpenIconForEditing, &CommandTarget::openIconForEditing},
    {CommandId::SaveEditedIcon, &CommandTarget::saveEditedIcon},
    {CommandId::CloseEditedIcon, &CommandTarget::closeEditedIcon},
    {CommandId::AddFromImport, &CommandTarget::addFromImport},
    {CommandId::CreateFromImport, &CommandTarget::createFromImport},
    {CommandId::AddFromTrash, &CommandTarget::addFromTrash},
    {CommandId::NewPalette, &CommandTarget::newPalette},
    {CommandId::LoadPalette, &CommandTarget::loadPalette},
    {CommandId::SavePalette, &CommandTarget::savePalette},
};

bool executeToggle(CommandId id, CommandTarget& target, const MenuItems& items)
{
    for (const Toggle& toggle : kToggles) {
        if (toggle.id == id) {
            (target.*toggle.set)(!items.isChecked(commandNumber(id)));
            return true;
        }
    }
    return false;
}

bool executeAction(CommandId id, CommandTarget& target)
{
    for (const Action& action : kActions) {
        if (action.id == id) {
            (target.*action.run)();
            return true;
        }
    }
    return false;
}

} // namespace

bool isAvailable(CommandId id, const MenuConditions& conditions)
{
    if (needsFile(id))
        return conditions.fileOpen && availableWithFile(id, conditions);
    switch (id) {
    case CommandId::NewPalette:
    case CommandId::ApplyColorChanges:
        return !conditions.paletteLinked;
    case CommandId::SavePalette:
        return !conditions.paletteEmpty;
    default:
        return isCommandNumber(commandNumber(id));
    }
}

void updateStates(const MenuConditions& conditions, MenuItems& items)
{
    for (const CommandId id : kFileItems)
        items.setEnabled(commandNumber(id), isAvailable(id, conditions));

    items.setEnabled(commandNumber(CommandId::NewPalette), !conditions.paletteLinked);
    items.setEnabled(commandNumber(CommandId::ApplyColorChanges), !conditions.paletteLinked);
    items.setEnabled(commandNumber(CommandId::SavePalette), !conditions.paletteEmpty);
    if (!conditions.paletteLinked)
        items.setChecked(commandNumber(CommandId::ApplyColorChanges), conditions.applyColorChanges);

    checkChoice(kCanvasBackgrounds, conditions.canvasBackground, items);
    checkChoice(kZooms, conditions.zoomSetting, items);
    items.setChecked(commandNumber(CommandId::Grid), conditions.gridShown);
    items.setChecked(commandNumber(CommandId::PaletteShowWhole), conditions.paletteShowsWhole);
    checkChoice(kPreviewBackgrounds, conditions.previewBackground, items);

    items.setChecked(commandNumber(CommandId::PreviewAutoZoom), conditions.previewAutoZoom);
    items.setChecked(commandNumber(CommandId::PreviewSelected), conditions.previewSelected);
    items.setChecked(commandNumber(CommandId::IconListFrame), conditions.iconListFrameVisible);
    items.setChecked(commandNumber(CommandId::SelectedColorFrame), conditions.selectedColorFrameVisible);
    items.setChecked(commandNumber(CommandId::PaletteFrame), conditions.paletteFrameVisible);
    items.setChecked(commandNumber(CommandId::PreviewFrame), conditions.previewFrameVisible);
}

void enableAcceleratedItems(MenuItems& items)
{
    for (const AcceleratorEntry& accelerator : kAccelerators)
        items.setEnabled(commandNumber(accelerator.command), true);
}

bool execute(std::int32_t number, CommandTarget& target, const MenuItems& items)
{
    if (!isCommandNumber(number))
        return false;
    const auto id = static_cast<CommandId>(number);
    if (!isAvailable(id, target.menuConditions()))
        return false;
    if (executeChoice(id, target))
        return true;
    if (executeToggle(id, target, items))
        return true;
    return executeAction(id, target);
}

} // namespace tessaly::command_table
