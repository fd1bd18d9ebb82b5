#pragma once

#include <windows.h>

#include "app/preview_window_win32.h"
#include "support/canvas_workbench_win32.h"

namespace tessaly::test {

// The canvas workbench with the preview beside the canvas, both told about
// every change of the edit image and the palette as in the editor.
class PreviewWorkbench : public CanvasWorkbench {
public:
    PreviewWorkbench()
        : preview(image, palette)
    {
    }
    ~PreviewWorkbench()
    {
        image.setObservers(nullptr, nullptr);
        palette.setObservers({});
    }

    bool create(int width, int height, const RECT& canvasArea, const RECT& toolArea, const RECT& previewArea,
                DWORD style = WS_POPUP)
    {
        if (!CanvasWorkbench::create(width, height, canvasArea, toolArea, style))
            return false;
        if (!preview.create(frame, previewArea, 10006))
            return false;
        image.setObservers(&canvas, &preview.controller());
        palette.setObservers({nullptr, nullptr, &canvas, &preview.controller()});
        return true;
    }

    PreviewWindow preview;
};

} // namespace tessaly::test
