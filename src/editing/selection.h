#pragma once

#include <cstdint>

#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/client_point.h"
#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"
#include "editing/selection_hit.h"
#include "editing/tool_state.h"
#include "palette/model/palette.h"

namespace tessaly {

// The select tool's rectangle and the floating content in it. A marked
// rectangle lies inside the image. Its first move or resize lifts the cells
// out of the image (the origin is cleared to the background value with mask
// 1) into floating content that the canvas draws over the image until it is
// committed or cancelled (see SelectionCommands). Pasted content floats
// without having been lifted from anywhere.
//
// The content is kept twice: `source` at its own size as colours 0xAABBGGRR
// (every resize starts again from it, so scaling up and back down loses
// nothing) and `display` at the rectangle's size in the image's own values,
// as it will be composited.
class Selection {
public:
    Selection(EditImage& image, Palette& palette, const ToolState& toolState);
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // The canvas, set once it exists; nothing is drawn or mapped before.
    void setView(const CanvasGeometry* geometry, CanvasHost* host);

    const PixelRect& rect() const { return m_rect; }
    bool hasRect() const { return !m_rect.isEmpty(); }
    bool hasContent() const { return m_hasContent; }
    bool isLifted() const { return m_hasContent && m_lifted; }
    // The content as it will be composited, the size of rect().
    const CellGrid& display() const { return m_display; }
    // The content at its own size, as colours.
    const CellGrid& source() const { return m_source; }
    // Where lifted content came from, and the image's cells there before.
    const PixelRect& liftRect() const { return m_liftRect; }
    const CellGrid& under() const { return m_under; }

    // Marks r clipped to the image, moving the frame; the content stays.
    void setRect(const PixelRect& r);
    // Takes the cells under the rectangle out of the image into floating
    // content. False when there is no rectangle or memory runs out.
    bool lift();
    // Moves the rectangle's top-left corner to point (lifting first when
    // nothing floats yet); the content may leave the image.
    void moveTo(PixelPoint topLeft);
    // Resamples the content from its source into r (lifting first when
    // nothing floats yet).
    void scaleTo(const PixelRect& r);
    // Floats a copy of colours (a clipboard image): scaled into the marked
    // rectangle, or at its own size at the top-left of the visible pixels.
    bool loadContent(const CellGrid& colours);
    // Lifted content: the image gets its lifted cells back; the content
    // floats on as if pasted.
    void putBack();
    // No rectangle, no content; the rectangle is repainted.
    void reset();
    // Which part of the frame a client point touches.
    SelectionHit hitTest(ClientPoint point) const;
    // A cell value of the image as a colour 0xAABBGGRR: through the palette
    // in palette modes, opaque at 24 bits, as it is at 32 bits.
    std::uint32_t colourOfValue(std::uint32_t value) const;

private:
    void repaint(const PixelRect& r);
    void invertFrame(const PixelRect& r);

    EditImage& m_image;
    Palette& m_palette;
    const ToolState& m_toolState;
    const CanvasGeometry* m_geometry = nullptr;
    CanvasHost* m_host = nullptr;
    PixelRect m_rect;
    PixelRect m_liftRect;
    CellGrid m_display;
    CellGrid m_source;
    CellGrid m_under;
    bool m_hasContent = false;
    bool m_lifted = false;
};

} // namespace tessaly
