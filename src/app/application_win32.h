#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_target.h"
#include "app/editor_model.h"
#include "app/file_commands.h"
#include "app/icon_list_pane_win32.h"
#include "app/icon_list_view_win32.h"
#include "app/list_popup_menus_win32.h"
#include "app/main_frame_win32.h"
#include "app/main_menu_win32.h"
#include "app/preview_window_win32.h"
#include "app/status_bar_win32.h"
#include "app/status_texts.h"
#include "editing/clipboard_link_win32.h"
#include "editing/edit_canvas_win32.h"
#include "editing/selection_menu_win32.h"
#include "editing/tool_window_win32.h"
#include "palette/palette_window_win32.h"
#include "palette/selected_color_window_win32.h"
#include "ui/application_base_win32.h"

namespace tessaly {

// The editor's program object: every model, view and menu, joined at
// start-up; the commands of the menu bar and the accelerators; the settings
// and the working palette read at start and written at exit. Members are
// made in start-up order and destroyed in the reverse one.
class Application final : public ApplicationBase, public CommandTarget {
public:
    static constexpr wchar_t kSettingsFile[] = L"settings.dat";
    static constexpr wchar_t kPaletteFile[] = L"default.pal";

    Application();
    ~Application() override;

    MainFrame& mainFrame() { return m_mainFrame; }
    EditorModel& model() { return m_model; }
    FileCommands& fileCommands() { return m_fileCommands; }
    EditCanvas& canvas() { return m_canvas; }
    const std::filesystem::path& startDirectory() const { return m_startDirectory; }
    std::int32_t canvasBackground() const { return m_canvasBackground; }
    std::int32_t previewBackground() const { return m_previewBackground; }

    // CommandTarget
    MenuConditions menuConditions() const override;
    void newFileWithIcon() override { m_fileCommands.newFile(true); }
    void openFile() override { m_fileCommands.open(); }
    void closeFile() override { m_fileCommands.close(); }
    void saveFile() override { m_fileCommands.save(); }
    void saveFileAs() override { m_fileCommands.saveAs(); }
    void importFile() override { m_fileCommands.import(); }
    void exit() override;
    void undo() override;
    void redo() override;
    void cut() override { m_model.commands.cut(); }
    void copy() override { m_model.commands.copy(); }
    void paste() override { m_model.commands.paste(); }
    void deleteSelection() override { m_model.commands.deleteSelection(); }
    void selectAll() override { m_model.commands.selectAll(); }
    void setCanvasBackground(std::int32_t index) override;
    void setZoom(std::int32_t zoom) override { m_canvas.setZoom(zoom); }
    void setGrid(bool shown) override { m_canvas.setGridShown(shown); }
    void setPaletteShowWhole(bool whole) override { m_model.paletteController.setShowWhole(whole); }
    void setPreviewBackground(std::int32_t index) override;
    void setPreviewAutoZoom(bool on) override { m_preview.controller().setAutoZoom(on); }
    void setPreviewSelected(bool on) override { m_preview.controller().setShowSelected(on); }
    void newIcon() override;
    void duplicateIcon() override { m_model.document.duplicateIcon(); }
    void createIconFrom() override { m_model.document.createIconFrom(); }
    void moveIconToTrash() override { m_model.document.moveIconToTrash(); }
    void openIconForEditing() override { m_model.document.openIconForEditing(); }
    void saveEditedIcon() override { m_model.document.saveEditedIcon(); }
    void closeEditedIcon() override { m_model.document.closeEditedIcon(); }
    void addFromImport() override { m_model.document.addFromImport(); }
    void createFromImport() override { m_model.document.createFromImport(); }
    void addFromTrash() override { m_model.document.addFromTrash(); }
    void newPalette() override { m_fileCommands.newPalette(); }
    void loadPalette() override { m_fileCommands.loadPalette(); }
    void savePalette() override { m_fileCommands.savePalette(); }
    void setApplyColorChanges(bool apply) override { m_model.palette.setApplyColorChanges(apply); }
    void showIconListFrame(bool shown) override { m_mainFrame.showFrame(FrameSlot::IconList, shown); }
    void showSelectedColorFrame(bool shown) override { m_mainFrame.showFrame(FrameSlot::SelectedColor, shown); }
    void showPaletteFrame(bool shown) override { m_mainFrame.showFrame(FrameSlot::Palette, shown); }
    void showPreviewFrame(bool shown) override { m_mainFrame.showFrame(FrameSlot::Preview, shown); }

protected:
    bool initInstance() override;
    void exitInstance() override;
    void pumpMessage(const MSG& message) override;

private:
    void wire();
    void unwire();
    // False when there was no settings file to read.
    bool loadSettings();
    void saveSettings();
    void filesDropped(const std::vector<std::wstring>& files, bool shift);

    EditorModel m_model;
    ClipboardLink m_clipboardLink;
    EditCanvas m_canvas;
    ToolWindow m_tools;
    PaletteWindow m_paletteWindow;
    SelectedColorWindow m_colourWindow;
    PreviewWindow m_preview;
    ListPopupMenus m_listMenus;
    IconListView m_editView;
    IconListView m_trashView;
    IconListView m_importView;
    IconListPane m_pane;
    StatusBar m_statusBar;
    SelectionMenu m_selectionMenu;
    StatusTexts m_texts;
    MainMenu m_mainMenu;
    MainFrame m_mainFrame;
    FileCommands m_fileCommands;

    std::filesystem::path m_startDirectory;
    HACCEL m_accelerators = nullptr;
    std::int32_t m_canvasBackground = 0;
    std::int32_t m_previewBackground = 0;
    bool m_wired = false;
};

} // namespace tessaly
