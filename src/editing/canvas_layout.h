#pragma once

#include <cstdint>

#include "editing/canvas_mapping.h"
#include "editing/client_point.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// Where the magnified image lies in the canvas's scrollable area and how
// window points map to pixels. Pure arithmetic, kept apart from the window
// so that every mapping can be checked without one.
//
// The scrollable area is the image plus nearly a window's size around it, so
// a small image can be scrolled anywhere in the window and a large one until
// its far edge reaches the window's middle.
class CanvasLayout {
public:
    static constexpr std::int32_t kMargin = 16;
    static constexpr std::int32_t kZoomSteps[] = {1, 2, 4, 8, 12, 16};

    // z is 0 (automatic) or one of kZoomSteps; any other value is refused.
    // True when the setting changed, so that the caller lays out again and
    // scrolls home.
    bool setZoom(std::int32_t z);
    // 0 while the zoom is automatic, else the zoom: what the menu checks.
    std::int32_t currentZoomSetting() const { return m_autoZoom ? 0 : m_zoom; }
    bool autoZoom() const { return m_autoZoom; }

    // Lays out an image of imageWidth x imageHeight pixels (0 x 0: none) in
    // a client area of the given size.
    void layout(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t clientWidth, std::int32_t clientHeight);

    // Screen pixels per image pixel; 0 until the first layout with auto zoom.
    std::int32_t zoom() const { return m_zoom; }
    // The image's top-left corner in the scrollable area.
    ClientPoint origin() const { return m_origin; }
    // The size of the scrollable area.
    ClientPoint extent() const { return m_extent; }
    // Where "scroll home" goes: the image 16 pixels from the top-left corner.
    ClientPoint homePosition() const { return {m_origin.x - kMargin, m_origin.y - kMargin}; }

    // The mapping of the current zoom and origin.
    CanvasMapping mapping() const;
    // Pixel (row, column) under a client point; negative left of or above
    // the image. Needs a zoom above 0.
    PixelPoint windowToPixel(ClientPoint point, ClientPoint scroll) const;
    // The client point of a pixel's top-left corner.
    ClientPoint pixelToWindow(PixelPoint pixel, ClientPoint scroll) const;
    // Whole pixels in a pointer movement, truncated toward zero.
    PixelPoint deltaToPixels(ClientPoint delta) const;
    // The pixels of the image that a client area of the given size shows
    // whole, clipped to the image.
    PixelRect visiblePixels(ClientPoint clientSize, ClientPoint scroll) const;

private:
    bool m_autoZoom = true;
    std::int32_t m_zoom = 0;
    std::int32_t m_imageWidth = 0;
    std::int32_t m_imageHeight = 0;
    ClientPoint m_origin;
    ClientPoint m_extent;
};

} // namespace tessaly
