#pragma once

#include <cstdint>

#include "app/client_rect.h"
#include "editing/client_point.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// What one paint of the preview composes: a range and where its first
// pixel lands in the client area. Magnified, the range is in image pixels
// and each becomes a zoom x zoom block; reduced, it is in preview pixels,
// each the summary of a zoom x zoom block of the image.
struct PreviewPaint {
    PixelRect range;
    ClientRect destination;

    bool isEmpty() const { return range.isEmpty(); }
};

// Where the preview shows the image and at what scale: real size, or with
// automatic zoom the largest whole factor that fits, or, for an image
// larger than the window, the smallest whole divisor that fits. Pure
// arithmetic, so that the window only copies pixels.
class PreviewLayout {
public:
    // Lays out an image of imageWidth x imageHeight pixels (0 x 0: none) in
    // a client area of clientWidth x clientHeight.
    static PreviewLayout compute(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t clientWidth,
                                 std::int32_t clientHeight, bool autoZoom);

    // The factor (magnifying) or divisor (reducing); 0 when nothing is shown.
    std::int32_t zoom() const { return m_zoom; }
    bool magnifies() const { return m_magnify; }
    bool showsNothing() const { return m_zoom == 0; }
    // The client position of the image's top-left corner, never negative.
    ClientPoint origin() const { return m_origin; }
    // The pixels the preview shows across and down: the image's size times
    // the factor, or divided by the divisor (a partial block at the right or
    // bottom edge is not shown).
    std::int32_t shownWidth() const { return scaled(m_imageWidth); }
    std::int32_t shownHeight() const { return scaled(m_imageHeight); }
    // The client area the shown image covers (possibly past the window's edges).
    ClientRect imageArea() const;

    // The client area to repaint when the image pixels of rect changed;
    // empty when nothing is shown.
    ClientRect areaOfPixels(const PixelRect& rect) const;
    // What to compose for a client update area: the part of it the image
    // covers, widened to whole blocks when magnifying.
    PreviewPaint paintFor(const ClientRect& update) const;

private:
    std::int32_t scaled(std::int32_t side) const
    {
        if (m_zoom == 0)
            return 0;
        return m_magnify ? side * m_zoom : side / m_zoom;
    }

    std::int32_t m_zoom = 0;
    bool m_magnify = true;
    ClientPoint m_origin;
    std::int32_t m_imageWidth = 0;
    std::int32_t m_imageHeight = 0;
};

} // namespace tessaly
