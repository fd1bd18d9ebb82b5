#pragma once

#include <windows.h>

#include <functional>

#include "editing/edit_canvas_win32.h"
#include "editing/selection_menu_win32.h"
#include "editing/tool_window_win32.h"
#include "editing/editing_model.h"
#include "ui/window_class_win32.h"
#include "ui/window_win32.h"

namespace tessaly::test {

// A plain top-level window to hold the views under test.
class HostFrame final : public Window {
public:
    ~HostFrame() override { destroy(); }
    // A program's only window ends its message loop when closed.
    bool quitOnClose = false;
    // Sees every message first; true when it handled the message (answer 0).
    std::function<bool(UINT, WPARAM, LPARAM)> onMessage;
    bool create(int width, int height, DWORD style = WS_POPUP)
    {
        if (!registerWindowClass(L"TessalyEditingTestFrame", 0, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                                 reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), nullptr))
            return false;
        return Window::create(L"TessalyEditingTestFrame", L"Tessaly canvas", style, 0, 0, width, height, nullptr,
                              nullptr);
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (onMessage && onMessage(message, wParam, lParam))
            return 0;
        if (message == WM_DESTROY && quitOnClose)
            PostQuitMessage(0);
        return Window::handleMessage(message, wParam, lParam);
    }
};

// The editing model wired as the editor wires it, with a real canvas and
// tool window in a frame: for the window tests, the viewer and the benchmark.
class CanvasWorkbench : public EditingModel {
public:
    CanvasWorkbench()
        : canvas(image, palette, selection, controller)
        , tools(toolState)
        , selectionMenu(commands)
    {
    }
    ~CanvasWorkbench() { image.setObservers(nullptr, nullptr); }

    // The canvas fills canvasArea; the tool window (when toolArea is not
    // empty) sits in toolArea.
    bool create(int width, int height, const RECT& canvasArea, const RECT& toolArea, DWORD style = WS_POPUP)
    {
        if (!selectionMenu.create() || !frame.create(width, height, style) || !canvas.create(frame, canvasArea, 1))
            return false;
        canvas.setSelectionMenu(&selectionMenu);
        if (!IsRectEmpty(&toolArea) && !tools.create(frame, toolArea, 10004))
            return false;
        image.setObservers(&canvas, nullptr);
        toolState.addObserver(&canvas);
        toolState.addObserver(&tools);
        selection.setView(&canvas, &canvas);
        controller.setView(&canvas, &canvas);
        // Shown, because a hidden window collects no update region.
        frame.show(SW_SHOWNOACTIVATE);
        return true;
    }

    // Opens icon for editing as the document does.
    bool open(const IconImage& icon)
    {
        if (!image.load(icon))
            return false;
        if (icon.hasPalette() && !palette.takeFromIcon(icon))
            return false;
        toolState.setColourMode(icon.bitCount());
        return true;
    }

    HostFrame frame;
    EditCanvas canvas;
    ToolWindow tools;
    SelectionMenu selectionMenu;
};

} // namespace tessaly::test
