#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/command_target.h"
#include "app/menu_items.h"

namespace tessaly::test {

// The program's side of the main menu: conditions set by the test, and every
// operation called, with its argument, in order.
class RecordingCommandTarget final : public CommandTarget {
public:
    MenuConditions conditions;
    std::vector<std::string> calls;

    MenuConditions menuConditions() const override { return conditions; }

    void newFileWithIcon() override { record("newFileWithIcon"); }
    void openFile() override { record("openFile"); }
    void closeFile() override { record("closeFile"); }
    void saveFile() override { record("saveFile"); }
    void saveFileAs() override { record("saveFileAs"); }
    void importFile() override { record("importFile"); }
    void exit() override { record("exit"); }
    void undo() override { record("undo"); }
    void redo() override { record("redo"); }
    void cut() override { record("cut"); }
    void copy() override { record("copy"); }
    void paste() override { record("paste"); }
    void deleteSelection() override { record("deleteSelection"); }
    void selectAll() override { record("selectAll"); }
    void setCanvasBackground(std::int32_t index) override { record("setCanvasBackground", index); }
    void setZoom(std::int32_t zoom) override { record("setZoom", zoom); }
    void setGrid(bool shown) override { record("setGrid", shown); }
    void setPaletteShowWhole(bool whole) override { record("setPaletteShowWhole", whole); }
    void setPreviewBackground(std::int32_t index) override { record("setPreviewBackground", index); }
    void setPreviewAutoZoom(bool on) override { record("setPreviewAutoZoom", on); }
    void setPreviewSelected(bool on) override { record("setPreviewSelected", on); }
    void newIcon() override { record("newIcon"); }
    void duplicateIcon() override { record("duplicateIcon"); }
    void createIconFrom() override { record("createIconFrom"); }
    void moveIconToTrash() override { record("moveIconToTrash"); }
    void openIconForEditing() override { record("openIconForEditing"); }
    void saveEditedIcon() override { record("saveEditedIcon"); }
    void closeEditedIcon() override { record("closeEditedIcon"); }
    void addFromImport() override { record("addFromImport"); }
    void createFromImport() override { record("createFromImport"); }
    void addFromTrash() override { record("addFromTrash"); }
    void newPalette() override { record("newPalette"); }
    void loadPalette() override { record("loadPalette"); }
    void savePalette() override { record("savePalette"); }
    void setApplyColorChanges(bool apply) override { record("setApplyColorChanges", apply); }
    void showIconListFrame(bool shown) override { record("showIconListFrame", shown); }
    void showSelectedColorFrame(bool shown) override { record("showSelectedColorFrame", shown); }
    void showPaletteFrame(bool shown) override { record("showPaletteFrame", shown); }
    void showPreviewFrame(bool shown) override { record("showPreviewFrame", shown); }

    // Every condition that enables an item holds.
    static MenuConditions everythingPossible()
    {
        MenuConditions c;
        c.fileOpen = c.fileHasPath = c.canUndo = c.canRedo = c.hasSelection = c.hasPasteContent = true;
        c.editingIcon = c.editListHasSelection = c.importListHasSelection = c.trashHasSelection = true;
        return c;
    }

private:
    void record(const char* name) { calls.emplace_back(name); }
    void record(const char* name, std::int32_t value)
    {
        calls.push_back(std::string(name) + " " + std::to_string(value));
    }
    void record(const char* name, bool value) { calls.push_back(std::string(name) + (value ? " on" : " off")); }
};

} // namespace tessaly::test
