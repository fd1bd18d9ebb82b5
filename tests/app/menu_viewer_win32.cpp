// Shows the menu bar and the status bar over the canvas, the tool window and
// the preview, with an icon loaded, to be tried and looked at under Wine:
//   menu_viewer.exe [FILE.ico [INDEX [QUIT_AFTER_MS]]]
// The view options, the edit commands and exit run on the views; the file,
// icon and palette commands have no document here and do nothing.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/command_target.h"
#include "app/main_menu_layout.h"
#include "app/main_menu_win32.h"
#include "app/status_bar_win32.h"
#include "app/status_texts.h"
#include "formats/ico_reader.h"
#include "support/preview_workbench_win32.h"
#include "support/viewer_loop_win32.h"

namespace {

using namespace tessaly;

// The commands the workbench can carry out.
class WorkbenchCommands final : public CommandTarget {
public:
    explicit WorkbenchCommands(test::PreviewWorkbench& bench)
        : m_bench(bench)
    {
    }

    MenuConditions menuConditions() const override
    {
        MenuConditions c;
        c.fileOpen = true;
        c.canUndo = m_bench.history.canUndo();
        c.canRedo = m_bench.history.canRedo();
        c.hasSelection = m_bench.selection.hasRect();
        c.hasPasteContent = !m_bench.clipboard.isEmpty();
        c.editingIcon = m_bench.image.hasImage();
        c.paletteLinked = m_bench.palette.isLinked();
        c.paletteEmpty = m_bench.palette.length() == 0;
        c.applyColorChanges = m_bench.palette.applyColorChanges();
        c.canvasBackground = m_bench.canvas.backgroundIndex();
        c.zoomSetting = m_bench.canvas.currentZoomSetting();
        c.gridShown = m_bench.canvas.appearance().gridShown;
        c.previewBackground = m_previewBackground;
        c.previewAutoZoom = m_bench.preview.controller().autoZoom();
        c.previewSelected = m_bench.preview.controller().showSelected();
        return c;
    }

    void newFileWithIcon() override {}
    void openFile() override {}
    void closeFile() override {}
    void saveFile() override {}
    void saveFileAs() override {}
    void importFile() override {}
    void exit() override { m_bench.frame.destroy(); }
    void undo() override
    {
        m_bench.commands.commit();
        m_bench.history.undo();
    }
    void redo() override
    {
        m_bench.commands.commit();
        m_bench.history.redo();
    }
    void cut() override { m_bench.commands.cut(); }
    void copy() override { m_bench.commands.copy(); }
    void paste() override { m_bench.commands.paste(); }
    void deleteSelection() override { m_bench.commands.deleteSelection(); }
    void selectAll() override { m_bench.commands.selectAll(); }
    void setCanvasBackground(std::int32_t index) override { m_bench.canvas.setBackground(index); }
    void setZoom(std::int32_t zoom) override { m_bench.canvas.setZoom(zoom); }
    void setGrid(bool shown) override { m_bench.canvas.setGridShown(shown); }
    void setPaletteShowWhole(bool) override {}
    void setPreviewBackground(std::int32_t index) override
    {
        m_previewBackground = index;
        m_bench.preview.setBackgroundChoice(index);
    }
    void setPreviewAutoZoom(bool on) override { m_bench.preview.controller().setAutoZoom(on); }
    void setPreviewSelected(bool on) override { m_bench.preview.controller().setShowSelected(on); }
    void newIcon() override {}
    void duplicateIcon() override {}
    void createIconFrom() override {}
    void moveIconToTrash() override {}
    void openIconForEditing() override {}
    void saveEditedIcon() override {}
    void closeEditedIcon() override {}
    void addFromImport() override {}
    void createFromImport() override {}
    void addFromTrash() override {}
    void newPalette() override {}
    void loadPalette() override {}
    void savePalette() override {}
    void setApplyColorChanges(bool apply) override { m_bench.palette.setApplyColorChanges(apply); }
    void showIconListFrame(bool) override {}
    void showSelectedColorFrame(bool) override {}
    void showPaletteFrame(bool) override {}
    void showPreviewFrame(bool) override {}

private:
    test::PreviewWorkbench& m_bench;
    std::int32_t m_previewBackground = PreviewWindow::kDefaultBackgroundChoice;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : TESSALY_TEST_DATA_DIR L"/ico/imagemagick_palette.ico";
    const std::size_t index = argc > 2 ? static_cast<std::size_t>(_wtoi(argv[2])) : 0;
    const UINT quitAfter = argc > 3 ? static_cast<UINT>(_wtoi(argv[3])) : 0;

    IconImageList images;
    IcoReader reader;
    reader.readFile(file, images);
    if (images.size() <= index)
        return 1;
    test::PreviewWorkbench bench;
    WorkbenchCommands commands(bench);
    MainMenu menu(commands);
    StatusBar bar;
    StatusTexts texts(bar, bench.toolState, bench.image, bench.palette);
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAcceleratorResourceId));
    if (!menu.load() || !accelerators)
        return 1;

    bench.frame.quitOnClose = true;
    bench.frame.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
        case WM_COMMAND:
            menu.execute(LOWORD(wParam));
            return true;
        case WM_ENTERMENULOOP:
            menu.updateStates();
            return true;
        case WM_EXITMENULOOP:
            menu.enableAcceleratedItems();
            return true;
        case WM_MENUSELECT:
            texts.menuHint(LOWORD(wParam));
            return true;
        case WM_SIZE:
            bar.parentResized();
            return false;
        case WM_DESTROY:
            SetMenu(bench.frame.handle(), nullptr);
            return false;
        default:
            return false;
        }
    };
    if (!bench.create(880, 680, RECT{0, 0, 640, 600}, RECT{652, 8, 708, 260}, RECT{652, 280, 852, 440},
                      WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) ||
        !bar.create(bench.frame))
        return 1;
    SetMenu(bench.frame.handle(), menu.handle());
    texts.setCanvas(&bench.controller, &bench.selection, &bench.canvas);
    bench.canvas.setStatusSink(&texts);
    bench.tools.setStatusSink(&texts);
    bench.preview.setStatusSink(&texts);
    bench.canvas.setBackground(EditCanvas::kDefaultBackground);
    bench.preview.setBackgroundChoice(PreviewWindow::kDefaultBackgroundChoice);
    bench.open(*images[index]);
    bench.canvas.setZoom(0);
    bench.toolState.setTool(ToolId::Select);

    test::runViewerLoop(quitAfter, bench.frame.handle(), accelerators);
    DestroyAcceleratorTable(accelerators);
    LocalFree(argv);
    return 0;
}
