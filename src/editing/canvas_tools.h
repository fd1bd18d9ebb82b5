#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "document/alpha_nudge_entry.h"
#include "document/stroke_entry.h"
#include "document/undo_history.h"
#include "editing/canvas_cursor.h"
#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/canvas_input.h"
#include "editing/client_point.h"
#include "editing/model/edit_image.h"
#include "editing/line_drag.h"
#include "editing/model/pixel_point.h"
#include "editing/rect_drag.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/selection_hit.h"
#include "editing/tool_id.h"
#include "editing/tool_state.h"

namespace tessaly {

// What a button lays on the pixels, read from the tool state at the press.
enum class Ink : std::uint8_t {
    Drawing,    // the drawing value, opaque
    Background, // the background value with mask 1: transparency
    Picked,     // the drawing value with the mask flag the eyedroppers picked
    MaskSet,    // mask 1 alone, for strokes that write only the mask
    MaskClear,  // mask 0 alone
};

// What the tools share: the edited objects, the canvas, and the undo steps a
// drag holds open. Strokes and nudges live here rather than in one button's
// behaviour because a drag's end closes whatever stroke is open, whichever
// tool is current by then.
class CanvasToolContext {
public:
    CanvasToolContext(EditImage& image, ToolState& toolState, UndoHistory& history, Selection& selection,
                      SelectionCommands& commands);
    CanvasToolContext(const CanvasToolContext&) = delete;
    CanvasToolContext& operator=(const CanvasToolContext&) = delete;
    ~CanvasToolContext();

    void setView(CanvasGeometry* geometry, CanvasHost* host);

    // The value and the mask an ink gives now.
    std::uint32_t inkValue(Ink ink) const;
    std::uint8_t inkMask(Ink ink) const;

    void beginStroke(StrokeKind kind, Ink ink, PixelPoint pixel);
    void continueStroke(PixelPoint pixel);
    void closeStroke();
    void pick(PixelPoint pixel);
    void pickAlpha(PixelPoint pixel);
    void floodFill(PixelPoint pixel, Ink ink);
    void beginNudge(AlphaDirection direction);
    void closeNudge();
    // One step of the open nudge at the pixel under the pointer; nothing
    // without an open nudge or with the pointer off the image.
    void tickNudge();

    EditImage& image;
    ToolState& toolState;
    UndoHistory& history;
    Selection& selection;
    SelectionCommands& commands;
    CanvasGeometry* geometry = nullptr;
    CanvasHost* host = nullptr;
    LineDrag lineDrag;
    RectDrag rectDrag;

private:
    std::unique_ptr<StrokeEntry> m_stroke;
    std::unique_ptr<AlphaNudgeEntry> m_nudge;
};

// One mouse button's part of a tool, from its press to the end of its drag.
// Every hook does nothing by default, so that a behaviour overrides only the
// events it answers.
class ToolBehaviour {
public:
    virtual ~ToolBehaviour() = default;

    // The press opens a drag (the canvas captures the mouse) unless this
    // returns false.
    virtual bool press(PixelPoint, ClientPoint) { return true; }
    // A move during the drag; pressPoint is where the drag began.
    virtual void move(PixelPoint, ClientPoint, ClientPoint /*pressPoint*/) {}
    // The drag ends, however it ends; what it drew stays as one undo step.
    virtual void close() {}
    // A release of the button has just closed the drag.
    virtual void released(ClientPoint) {}
    virtual void doubleClick() {}
    // The tool's pointer shape (asked of the left button's behaviour).
    virtual CanvasCursor cursor(ClientPoint, bool /*leftHeld*/) const { return CanvasCursor::Arrow; }
};

// Pencil, eraser, alpha brush and mask brush: a stroke of one ink.
class StrokeTool final : public ToolBehaviour {
public:
    StrokeTool(CanvasToolContext& context, StrokeKind kind, Ink ink);
    bool press(PixelPoint pixel, ClientPoint point) override;
    void move(PixelPoint pixel, ClientPoint point, ClientPoint pressPoint) override;

private:
    CanvasToolContext& m_context;
    StrokeKind m_kind;
    Ink m_ink;
};

// Flood fill at the press.
class FillTool final : public ToolBehaviour {
public:
    FillTool(CanvasToolContext& context, Ink ink);
    bool press(PixelPoint pixel, ClientPoint point) override;

private:
    CanvasToolContext& m_context;
    Ink m_ink;
};

// The eyedropper: picks the value and mask under the pointer while held;
// the alpha variant picks only the alpha byte.
class PickTool final : public ToolBehaviour {
public:
    enum class What : std::uint8_t { ValueAndMask, Alpha };
    PickTool(CanvasToolContext& context, What what);
    bool press(PixelPoint pixel, ClientPoint point) override;
    void move(PixelPoint pixel, ClientPoint point, ClientPoint pressPoint) override;

private:
    void pickAt(PixelPoint pixel);

    CanvasToolContext& m_context;
    What m_what;
};

// Fine alpha adjustment: while held, the fine-adjust timer nudges the pixel
// under the pointer one step in the direction.
class NudgeTool final : public ToolBehaviour {
public:
    NudgeTool(CanvasToolContext& context, AlphaDirection direction);
    bool press(PixelPoint pixel, ClientPoint point) override;
    void close() override;

private:
    CanvasToolContext& m_context;
    AlphaDirection m_direction;
};

// A rubber band (the line's or the filled rectangle's) that follows the
// pointer and is drawn at the end of the drag. The rectangle's view scrolls
// while the pointer is outside it; the line's does not.
template <typename Band> class RubberBandTool final : public ToolBehaviour {
public:
    enum class Scroll : std::uint8_t { Off, WhileDragging };
    RubberBandTool(CanvasToolContext& context, Band& band, Ink ink, Scroll scroll)
        : m_context(context)
        , m_band(band)
        , m_ink(ink)
        , m_scroll(scroll)
    {
    }
    bool press(PixelPoint pixel, ClientPoint) override
    {
        m_band.start(pixel, m_context.inkValue(m_ink), m_context.inkMask(m_ink), *m_context.host);
        if (m_scroll == Scroll::WhileDragging)
            m_context.host->setAutoScroll(true);
        return true;
    }
    void move(PixelPoint pixel, ClientPoint, ClientPoint) override { m_band.moveTo(pixel, *m_context.host); }
    void close() override
    {
        m_band.commit(*m_context.host);
        if (m_scroll == Scroll::WhileDragging)
            m_context.host->setAutoScroll(false);
    }

private:
    CanvasToolContext& m_context;
    Band& m_band;
    Ink m_ink;
    Scroll m_scroll;
};
using LineTool = RubberBandTool<LineDrag>;
using RectangleTool = RubberBandTool<RectDrag>;

// The select tool's left button: marks a rectangle, moves the floating
// content, or resizes by an edge or a corner; a double click commits.
class SelectTool final : public ToolBehaviour {
public:
    explicit SelectTool(CanvasToolContext& context);
    bool press(PixelPoint pixel, ClientPoint point) override;
    void move(PixelPoint pixel, ClientPoint point, ClientPoint pressPoint) override;
    void close() override;
    void doubleClick() override;
    CanvasCursor cursor(ClientPoint point, bool leftHeld) const override;

private:
    void resizeTo(PixelPoint moved);

    CanvasToolContext& m_context;
    // Moving the content, resizing by an edge or a corner (its hit code), or
    // marking; the anchor is the pixel the drag measures from.
    bool m_movingSelection = false;
    SelectionHit m_resizeKind = SelectionHit::None;
    PixelPoint m_anchor;
};

// The select tool's right button: its release opens the selection menu. Its
// drag ends as a selection drag does, so the view stops scrolling.
class SelectionMenuTool final : public ToolBehaviour {
public:
    SelectionMenuTool(CanvasToolContext& context, SelectTool& select);
    void close() override;
    void released(ClientPoint point) override;

private:
    CanvasToolContext& m_context;
    SelectTool& m_select;
};

// The move tool: drags the view with the pointer.
class ViewDragTool final : public ToolBehaviour {
public:
    explicit ViewDragTool(CanvasToolContext& context);
    bool press(PixelPoint pixel, ClientPoint point) override;
    void move(PixelPoint pixel, ClientPoint point, ClientPoint pressPoint) override;

private:
    CanvasToolContext& m_context;
    ClientPoint m_scrollAtPress;
};

// Every tool as its left and right buttons' behaviours, indexed by tool.
class CanvasToolTable {
public:
    explicit CanvasToolTable(CanvasToolContext& context);
    CanvasToolTable(const CanvasToolTable&) = delete;
    CanvasToolTable& operator=(const CanvasToolTable&) = delete;

    ToolBehaviour& of(ToolId tool, MouseButton button) const;

private:
    struct Buttons {
        ToolBehaviour* left;
        ToolBehaviour* right;
    };
    void set(ToolId tool, ToolBehaviour& left, ToolBehaviour& right);

    ToolBehaviour m_idle;
    StrokeTool m_pencil;
    StrokeTool m_eraser;
    StrokeTool m_pickedPencil;
    StrokeTool m_alphaBrush;
    StrokeTool m_maskSet;
    StrokeTool m_maskClear;
    FillTool m_fill;
    FillTool m_strip;
    FillTool m_pickedFill;
    PickTool m_pick;
    PickTool m_pickAlpha;
    NudgeTool m_nudgeLower;
    NudgeTool m_nudgeRaise;
    LineTool m_line;
    LineTool m_backgroundLine;
    RectangleTool m_rectangle;
    RectangleTool m_backgroundRectangle;
    SelectTool m_select;
    SelectionMenuTool m_selectionMenu;
    ViewDragTool m_viewDrag;
    std::array<Buttons, kToolCount> m_buttons;
};

} // namespace tessaly
