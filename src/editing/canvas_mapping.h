#pragma once

#include <cstdint>

#include "editing/client_point.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// How the canvas's client points map to image pixels for one zoom and one
// place of the image's top-left corner in the scrollable area. The canvas
// window maps through it and so does the tests' fake canvas, so that the
// tools are tested against the real arithmetic.
class CanvasMapping {
public:
    // zoom must be above 0 for the pixel mappings.
    constexpr CanvasMapping(std::int32_t zoom, ClientPoint origin, std::int32_t imageWidth, std::int32_t imageHeight)
        : m_zoom(zoom)
        , m_origin(origin)
        , m_imageWidth(imageWidth)
        , m_imageHeight(imageHeight)
    {
    }

    // Pixel (row, column) under a client point; negative left of or above
    // the image.
    PixelPoint windowToPixel(ClientPoint point, ClientPoint scroll) const;
    // The client point of a pixel's top-left corner.
    ClientPoint pixelToWindow(PixelPoint pixel, ClientPoint scroll) const;
    // Whole pixels in a pointer movement, truncated toward zero.
    PixelPoint deltaToPixels(ClientPoint delta) const;
    // The pixels of the image that a client area of the given size shows
    // whole, clipped to the image.
    PixelRect visiblePixels(ClientPoint clientSize, ClientPoint scroll) const;

private:
    std::int32_t m_zoom;
    ClientPoint m_origin;
    std::int32_t m_imageWidth;
    std::int32_t m_imageHeight;
};

} // namespace tessaly
