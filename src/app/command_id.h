#pragma once

#include <cstdint>

namespace tessaly {

// The numbers of the main menu's commands, which the accelerators deliver
// too. They are the items' identities in the menu resource, so they never
// change; the popups number their items in ranges of their own.
enum class CommandId : std::uint16_t {
    Exit = 40001,
    NewFile = 40002,
    Open = 40003,
    Close = 40004,
    Save = 40005,
    SaveAs = 40006,
    Import = 40007,
    ZoomAuto = 40008,
    Zoom1 = 40009,
    Zoom2 = 40010,
    Zoom4 = 40011,
    Zoom8 = 40012,
    Zoom12 = 40013,
    Zoom16 = 40014,
    Grid = 40015,
    CanvasLight = 40016,
    CanvasDark = 40017,
    CanvasWhite = 40018,
    CanvasBlack = 40019,
    CanvasGrey = 40020,
    CanvasBlue = 40021,
    CanvasRed = 40022,
    CanvasGreen = 40023,
    PreviewDesktop = 40024,
    PreviewExplorer = 40025,
    PreviewActiveTitle = 40026,
    PreviewInactiveTitle = 40027,
    PreviewTaskbar = 40028,
    PaletteShowWhole = 40029,
    PreviewAutoZoom = 40030,
    PreviewSelected = 40031,
    Undo = 40032,
    Redo = 40033,
    Copy = 40034,
    Paste = 40035,
    Cut = 40036,
    SelectAll = 40037,
    Delete = 40038,
    NewIcon = 40039,
    MoveIconToTrash = 40040,
    DuplicateIcon = 40041,
    CreateIconFrom = 40042,
    CreateFromImport = 40043,
    AddFromImport = 40044,
    AddFromTrash = 40045,
    OpenIconForEditing = 40046,
    SaveEditedIcon = 40047,
    CloseEditedIcon = 40048,
    NewPalette = 40049,
    SavePalette = 40050,
    LoadPalette = 40051,
    ApplyColorChanges = 40052,
    IconListFrame = 40053,
    PaletteFrame = 40054,
    SelectedColorFrame = 40055,
    PreviewFrame = 40056,
};

inline constexpr std::uint16_t kFirstCommandId = 40001;
inline constexpr std::uint16_t kLastCommandId = 40056;

constexpr std::uint16_t commandNumber(CommandId id)
{
    return static_cast<std::uint16_t>(id);
}

constexpr bool isCommandNumber(std::int32_t number)
{
    return number >= kFirstCommandId && number <= kLastCommandId;
}

} // namespace tessaly
