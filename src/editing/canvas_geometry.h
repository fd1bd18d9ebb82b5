#pragma once

#include "editing/client_point.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// How the canvas window maps its client area onto the image (zoom, the
// image's origin in the scrolled area, the scroll position), as the tools and
// the selection see it. The Win32 canvas implements it; tests use a fake.
class CanvasGeometry {
public:
    virtual ~CanvasGeometry() = default;

    // The pixel under a client point; left of or above the image this gives
    // negative coordinates (a point in the zoom step left of column 0 is
    // column -1).
    virtual PixelPoint windowToPixel(ClientPoint point) const = 0;
    // The client point of a pixel's top-left corner (also for pixels outside).
    virtual ClientPoint pixelToWindow(PixelPoint pixel) const = 0;
    // A client distance in whole pixels, truncated toward zero.
    virtual PixelPoint deltaToPixels(ClientPoint delta) const = 0;
    // The image pixels the client area shows whole, clipped to the image.
    virtual PixelRect visiblePixels() const = 0;
    virtual ClientPoint scrollPosition() const = 0;
    // Scrolls as near to position as the scroll range allows.
    virtual void scrollTo(ClientPoint position) = 0;
};

} // namespace tessaly
