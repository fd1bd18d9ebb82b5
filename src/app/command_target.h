#pragma once

#include <cstdint>

#include "app/menu_conditions.h"

namespace tessaly {

// What the main menu's commands call: the program's file, edit, view, icon,
// palette and window operations, and the conditions the menu's states and
// the commands' preconditions are taken from. The application implements it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    virtual MenuConditions menuConditions() const = 0;

    // File
    virtual void newFileWithIcon() = 0;
    virtual void openFile() = 0;
    virtual void closeFile() = 0;
    virtual void saveFile() = 0;
    virtual void saveFileAs() = 0;
    virtual void importFile() = 0;
    virtual void exit() = 0;

    // Edit
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void deleteSelection() = 0;
    virtual void selectAll() = 0;

    // View
    virtual void setCanvasBackground(std::int32_t index) = 0;
    virtual void setZoom(std::int32_t zoom) = 0;
    virtual void setGrid(bool shown) = 0;
    virtual void setPaletteShowWhole(bool whole) = 0;
    virtual void setPreviewBackground(std::int32_t index) = 0;
    virtual void setPreviewAutoZoom(bool on) = 0;
    virtual void setPreviewSelected(bool on) = 0;

    // Icon
    virtual void newIcon() = 0;
    virtual void duplicateIcon() = 0;
    virtual void createIconFrom() = 0;
    virtual void moveIconToTrash() = 0;
    virtual void openIconForEditing() = 0;
    virtual void saveEditedIcon() = 0;
    virtual void closeEditedIcon() = 0;
    virtual void addFromImport() = 0;
    virtual void createFromImport() = 0;
    virtual void addFromTrash() = 0;

    // Palette
    virtual void newPalette() = 0;
    virtual void loadPalette() = 0;
    virtual void savePalette() = 0;
    virtual void setApplyColorChanges(bool apply) = 0;

    // Window
    virtual void showIconListFrame(bool shown) = 0;
    virtual void showSelectedColorFrame(bool shown) = 0;
    virtual void showPaletteFrame(bool shown) = 0;
    virtual void showPreviewFrame(bool shown) = 0;
};

} // namespace tessaly
