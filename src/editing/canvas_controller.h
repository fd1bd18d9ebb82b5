#pragma once

#include <cstdint>

#include "editing/canvas_cursor.h"
#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/canvas_input.h"
#include "editing/canvas_tools.h"
#include "editing/client_point.h"
#include "editing/line_drag.h"
#include "editing/rect_drag.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/tool_id.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"

namespace tessaly {

// Runs the current tool on the canvas's mouse and timer events. Events come
// in client coordinates and are mapped to pixels through the canvas
// geometry; the capture, timers, cursors and the popup are requests to the
// canvas host. One button drag at a time: a press of the other button during
// a drag is ignored. Every drag that changes the image leaves exactly one
// undo step (or none when it changed nothing). Each event goes to the
// behaviour of the current tool's button that the tool table names; the
// controller keeps only the buttons' state and the capture.
class CanvasController final : public ToolStateObserver {
public:
    CanvasController(EditImage& image, ToolState& toolState, UndoHistory& history, Selection& selection,
                     SelectionCommands& commands);
    CanvasController(const CanvasController&) = delete;
    CanvasController& operator=(const CanvasController&) = delete;
    ~CanvasController() override;

    // The canvas, set once it exists; events before are ignored.
    void setView(CanvasGeometry* geometry, CanvasHost* host);

    void buttonDown(MouseButton button, ClientPoint point, ModifierKeys keys = {});
    void buttonUp(MouseButton button, ClientPoint point, ModifierKeys keys = {});
    void mouseMove(ClientPoint point, ModifierKeys keys = {});
    void doubleClick(MouseButton button, ClientPoint point, ModifierKeys keys = {});
    // A timer of the canvas fired; only the fine-adjust timer concerns the tools.
    void timerTick(std::uint32_t timerId);
    // The canvas lost the mouse capture, however it went (another window
    // took it, a release of the other button let it go, a cancelled mode,
    // the window disabled or destroyed): the drag ends as its release would
    // end it, since that release will never arrive, and later moves draw
    // nothing. Nothing happens without an open drag.
    void captureLost();

    bool isLeftPressed() const { return m_leftPressed; }
    bool isRightPressed() const { return m_rightPressed; }
    // The rubber bands the canvas previews while they are active.
    const LineDrag& lineDrag() const { return m_context.lineDrag; }
    const RectDrag& rectDrag() const { return m_context.rectDrag; }

    // Closes a drag the tool change would leave open (what was drawn stays
    // as one undo step).
    void toolChanging(ToolId from, ToolId to) override;

private:
    // Closes what the current drag holds open (stroke, fine-adjust step,
    // rubber band, selection drag) as its release does.
    void closeDrag(ToolId tool);

    void finishEvent(ClientPoint point);
    CanvasCursor cursorAt(ClientPoint point) const;
    // Closes the drag, releases the capture and forgets the pressed button.
    void endDrag(ToolId tool);

    EditImage& m_image;
    ToolState& m_toolState;
    CanvasToolContext m_context;
    CanvasToolTable m_tools;
    CanvasGeometry* m_geometry = nullptr;
    CanvasHost* m_host = nullptr;

    bool m_leftPressed = false;
    bool m_rightPressed = false;
    ClientPoint m_pressPoint;
};

} // namespace tessaly
