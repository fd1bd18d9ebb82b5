#pragma once

#include "document/undo_history.h"
#include "editing/canvas_controller.h"
#include "editing/image_clipboard.h"
#include "editing/model/edit_image.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/tool_state.h"
#include "palette/model/palette.h"

namespace tessaly {

// The editing objects of the program, wired to each other: the program's
// object graph builds on this, and the editing tests and benchmarks use it
// alone. The views (a real or a fake canvas) are joined by whoever shows them.
struct EditingModel {
    EditingModel()
    {
        // An open drag is closed before floating content is committed.
        toolState.addObserver(&controller);
        toolState.addObserver(&commands);
    }
    EditingModel(const EditingModel&) = delete;
    EditingModel& operator=(const EditingModel&) = delete;

    EditImage image;
    Palette palette;
    UndoHistory history;
    ToolState toolState{image};
    ImageClipboard clipboard;
    Selection selection{image, palette, toolState};
    SelectionCommands commands{image, selection, toolState, history, clipboard};
    CanvasController controller{image, toolState, history, selection, commands};
};

} // namespace tessaly
