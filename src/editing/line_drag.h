#pragma once

#include <cstdint>

#include "document/undo_history.h"
#include "editing/canvas_host.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// The line tool's rubber band: a line from the press point to the pointer,
// previewed by the canvas while active and drawn as one undo step at release.
// The preview walks the same LineStepper points the committed line covers.
class LineDrag {
public:
    LineDrag(EditImage& image, UndoHistory& history);
    LineDrag(const LineDrag&) = delete;
    LineDrag& operator=(const LineDrag&) = delete;

    // Starts at point (also outside the image) with the line's value and mask.
    void start(PixelPoint point, std::uint32_t value, std::uint8_t mask, CanvasHost& host);
    // Moves the end, repainting the old and the new line's bounds.
    void moveTo(PixelPoint point, CanvasHost& host);
    // Draws the line and pushes its step when part of it lies inside the
    // image; the band disappears either way.
    void commit(CanvasHost& host);

    bool isActive() const { return m_active; }
    std::uint32_t value() const { return m_value; }
    std::uint8_t mask() const { return m_mask; }
    PixelPoint startPoint() const { return m_start; }
    PixelPoint endPoint() const { return m_end; }
    // The rectangle spanned by the two end points (empty while idle).
    PixelRect bounds() const;

private:
    EditImage& m_image;
    UndoHistory& m_history;
    std::uint32_t m_value = 0;
    std::uint8_t m_mask = 0;
    PixelPoint m_start;
    PixelPoint m_end;
    bool m_active = false;
};

} // namespace tessaly
