#pragma once

#include <windows.h>

#include "editing/edit_canvas_win32.h"
#include "palette/palette_window_win32.h"
#include "palette/selected_color_window_win32.h"
#include "support/canvas_workbench_win32.h"
#include "support/palette_model.h"

namespace tessaly::test {

// The palette model with a real canvas, palette window and colour window in
// one frame, wired as the editor wires them: for the window tests and the
// palette viewer, until the main frame holds these windows.
class PaletteWorkbench : public PaletteModel {
public:
    PaletteWorkbench()
        : canvas(image, palette, selection, controller)
        , paletteWindow(palette, paletteController)
        , colourWindow(colorController)
    {
    }
    ~PaletteWorkbench()
    {
        palette.setObservers(PaletteObservers{});
        toolState.removeObserver(&canvas);
        image.setObservers(nullptr, nullptr);
    }

    // Each window in its area of the frame; no canvas for an empty area.
    bool create(int width, int height, const RECT& canvasArea, const RECT& paletteArea, const RECT& colourArea,
                DWORD style = WS_POPUP)
    {
        if (!frame.create(width, height, style))
            return false;
        if (!IsRectEmpty(&canvasArea)) {
            if (!canvas.create(frame, canvasArea, 1))
                return false;
            image.setObservers(&canvas, nullptr);
            toolState.addObserver(&canvas);
            selection.setView(&canvas, &canvas);
            controller.setView(&canvas, &canvas);
        }
        if (!paletteWindow.create(frame, paletteArea, 10005) || !colourWindow.create(frame, colourArea, 10002))
            return false;
        palette.setObservers(
            PaletteObservers{&paletteController, &colorController, canvas.handle() ? &canvas : nullptr, nullptr});
        // Shown, because a hidden window collects no update region.
        frame.show(SW_SHOWNOACTIVATE);
        return true;
    }

    HostFrame frame;
    EditCanvas canvas;
    PaletteWindow paletteWindow;
    SelectedColorWindow colourWindow;
};

} // namespace tessaly::test
