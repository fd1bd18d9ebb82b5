#pragma once

#include <cstdint>

#include "document/undo_history.h"
#include "editing/image_clipboard.h"
#include "editing/model/edit_image.h"
#include "editing/selection.h"
#include "editing/selection_command.h"
#include "editing/selection_menu_state.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"
#include "image/icon_image.h"

namespace tessaly {

// What the edit menu, the accelerators and the canvas popup do to the
// selection, the image and the history. Every command does nothing without
// an open image or without its own precondition. As a ToolState observer it
// commits floating content when the select tool is left.
class SelectionCommands final : public ToolStateObserver {
public:
    SelectionCommands(EditImage& image, Selection& selection, ToolState& toolState, UndoHistory& history,
                      ImageClipboard& clipboard);
    SelectionCommands(const SelectionCommands&) = delete;
    SelectionCommands& operator=(const SelectionCommands&) = delete;

    void copy();
    void cut();
    void deleteSelection();
    void paste();
    void selectAll();
    // Composites floating content as one undo step and ends the selection
    // (also a plain marked rectangle).
    void commit();
    // Puts lifted content back, no step, and ends the selection.
    void cancel();
    // Runs a popup command; false for a number that is not one of them.
    bool run(std::int32_t commandId);

    // The popup's enabled items for a release inside or outside the rectangle.
    SelectionMenuState menuState(bool inside) const;

    // Stores the edited image into icon with any floating content committed
    // first, so that what is stored is what the user sees.
    bool storeEditedImage(IconImage& icon);

    void toolChanging(ToolId from, ToolId to) override;

private:
    bool copyToClipboard();
    // Lifted content goes back and its lift rect is cleared as a step of its
    // own (delete, and paste over lifted content, discard the lifted pixels).
    void discardLifted();

    EditImage& m_image;
    Selection& m_selection;
    ToolState& m_toolState;
    UndoHistory& m_history;
    ImageClipboard& m_clipboard;
};

} // namespace tessaly
