#pragma once

#include "editing/model/pixel_rect.h"

namespace tessaly {

// A view of the image under edit (the canvas, the preview). The image tells
// it what changed; the view decides how to repaint.
class EditImageObserver {
public:
    virtual ~EditImageObserver() = default;

    // The cells of rect (inclusive, inside the image, never empty) changed.
    virtual void pixelsChanged(const PixelRect& rect) = 0;
    // An image was loaded or the image was cleared: lay out again, repaint all.
    virtual void imageReplaced() = 0;
};

} // namespace tessaly
