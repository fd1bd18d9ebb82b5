#pragma once

#include <cstdint>

#include "document/undo_history.h"
#include "editing/canvas_host.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// The filled-rectangle tool's rubber rectangle, from the press point to the
// pointer and always clipped to the image, previewed by the canvas and filled
// as one undo step at release.
class RectDrag {
public:
    RectDrag(EditImage& image, UndoHistory& history);
    RectDrag(const RectDrag&) = delete;
    RectDrag& operator=(const RectDrag&) = delete;

    // Anchors at point with the rectangle's value and mask; the rectangle is
    // that pixel, or empty when the press lies outside the image.
    void start(PixelPoint point, std::uint32_t value, std::uint8_t mask, CanvasHost& host);
    // The rectangle spans the anchor and point, clipped to the image.
    void moveTo(PixelPoint point, CanvasHost& host);
    // Fills a non-empty rectangle as one undo step; idle afterwards.
    void commit(CanvasHost& host);

    bool isActive() const { return m_active; }
    std::uint32_t value() const { return m_value; }
    std::uint8_t mask() const { return m_mask; }
    PixelPoint anchor() const { return m_anchor; }
    // Empty while idle or while the drag covers no part of the image.
    const PixelRect& rect() const { return m_rect; }

private:
    PixelRect spanTo(PixelPoint point) const;

    EditImage& m_image;
    UndoHistory& m_history;
    std::uint32_t m_value = 0;
    std::uint8_t m_mask = 0;
    PixelPoint m_anchor;
    PixelRect m_rect;
    bool m_active = false;
};

} // namespace tessaly
