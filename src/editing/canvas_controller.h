#pragma once

#include <cstdint>
#include <memory>

#include "document/alpha_nudge_entry.h"
#include "document/stroke_entry.h"
#include "document/undo_history.h"
#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/canvas_input.h"
#include "editing/client_point.h"
#include "editing/line_drag.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"
#include "editing/rect_drag.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/selection_hit.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"

namespace tessaly {

// Runs the current tool on the canvas's mouse and timer events. Events come
// in client coordinates and are mapped to pixels through the canvas
// geometry; the capture, timers, cursors and the popup are requests to the
// canvas host. One button drag at a time: a press of the other button during
// a drag is ignored. Every drag that changes the image leaves exactly one
// undo step (or none when it changed nothing).
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
    // The canvas lost the mouse capture to another window: the drag ends as
    // a release would end it, since its release will never arrive.
    void captureLost();

    bool isLeftPressed() const { return m_leftPressed; }
    bool isRightPressed() const { return m_rightPressed; }
    // The rubber bands the canvas previews while they are active.
    const LineDrag& lineDrag() const { return m_lineDrag; }
    const RectDrag& rectDrag() const { return m_rectDrag; }

    // Closes a drag the tool change would leave open (what was drawn stays
    // as one undo step).
    void toolChanging(ToolId from, ToolId to) override;

private:
    // Per-button press, move and release of the current tool.
    bool pressLeft(ToolId tool, PixelPoint pixel, ClientPoint point);
    void pressRight(ToolId tool, PixelPoint pixel);
    void moveLeft(ToolId tool, PixelPoint pixel, ClientPoint point);
    void moveRight(ToolId tool, PixelPoint pixel);
    // Closes what the current drag holds open (stroke, fine-adjust step,
    // rubber band, selection drag) as its release does.
    void closeDrag(ToolId tool);

    // The painting operations the tools share.
    void beginStroke(StrokeKind kind, std::uint32_t value, std::uint8_t mask, PixelPoint pixel);
    void continueStroke(PixelPoint pixel);
    void closeStroke();
    void pick(PixelPoint pixel);
    void pickAlpha(PixelPoint pixel);
    void floodFill(PixelPoint pixel, std::uint32_t value, std::uint8_t mask);
    void beginNudge(AlphaDirection direction);
    void closeNudge();

    // The select tool's drag.
    bool pressSelect(PixelPoint pixel, ClientPoint point);
    void dragSelect(PixelPoint pixel, ClientPoint point);
    void endSelectDrag();
    // The move tool's drag.
    void dragView(ClientPoint point);

    void finishEvent(ClientPoint point);
    CanvasCursor cursorAt(ClientPoint point) const;
    // Closes the drag, releases the capture and forgets the pressed button.
    void endDrag(ToolId tool);

    EditImage& m_image;
    ToolState& m_toolState;
    UndoHistory& m_history;
    Selection& m_selection;
    SelectionCommands& m_commands;
    CanvasGeometry* m_geometry = nullptr;
    CanvasHost* m_host = nullptr;

    bool m_leftPressed = false;
    bool m_rightPressed = false;
    ClientPoint m_pressPoint;

    // The select tool's drag: moving the content, resizing by an edge or a
    // corner (its hit code), or marking; the anchor is the pixel the drag
    // measures from.
    bool m_movingSelection = false;
    SelectionHit m_resizeKind = SelectionHit::None;
    PixelPoint m_anchor;

    // The move tool's scroll position at the press.
    ClientPoint m_scrollAtPress;

    std::unique_ptr<StrokeEntry> m_stroke;
    std::unique_ptr<AlphaNudgeEntry> m_nudge;
    LineDrag m_lineDrag;
    RectDrag m_rectDrag;
};

} // namespace tessaly
