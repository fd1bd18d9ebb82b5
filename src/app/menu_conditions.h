#pragma once

#include <cstdint>

namespace tessaly {

// What the main menu's item states and its commands' preconditions depend
// on, as the program stands when a menu opens or a command arrives.
struct MenuConditions {
    // The edit list is named: a file is open (also an untitled one).
    bool fileOpen = false;
    // The open file has a path (it is not untitled).
    bool fileHasPath = false;
    bool canUndo = false;
    bool canRedo = false;
    // The canvas's selection rectangle is not empty.
    bool hasSelection = false;
    // The paste buffer has at least one row and one column.
    bool hasPasteContent = false;
    bool editingIcon = false;
    bool editListHasSelection = false;
    bool importListHasSelection = false;
    bool trashHasSelection = false;

    bool paletteLinked = false;
    bool paletteEmpty = false;
    bool applyColorChanges = false;

    std::int32_t canvasBackground = 0;
    std::int32_t zoomSetting = 0;
    bool gridShown = false;
    bool paletteShowsWhole = false;
    std::int32_t previewBackground = 0;
    bool previewAutoZoom = false;
    bool previewSelected = false;

    bool iconListFrameVisible = false;
    bool selectedColorFrameVisible = false;
    bool paletteFrameVisible = false;
    bool previewFrameVisible = false;
};

} // namespace tessaly
