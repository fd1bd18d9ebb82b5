#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "editing/canvas_renderer.h"
#include "editing/model/cell.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_rect.h"
#include "image/color_value.h"

namespace tessaly {

// The colours the preview shows pixels against, all 0x00BBGGRR.
struct PreviewLook {
    ColorValue background = makeColor(255, 255, 255);
    // The system's highlight colour, which the selected look mixes in.
    ColorValue highlight = 0;
    // Show the icon as it looks when selected on the desktop.
    bool selected = false;
};

// Composes the preview's pixels: each image pixel as the desktop would show
// it over the background, by the rule of the icon lists' thumbnails (masked
// pixels of the opaque modes as NOT colour AND background, 32-bit pixels
// blended by their alpha), enlarged into zoom x zoom blocks or reduced to
// the summary of each zoom x zoom block.
class PreviewRenderer {
public:
    // Magnified (zoom 1 included), range is in image pixels and out receives
    // range.columns() x zoom by range.rows() x zoom pixels; reduced, range is
    // in preview pixels (inside the image divided by zoom) and out receives
    // one pixel per preview pixel. palette: the colour table of a palette
    // image (indices past its end show black). False, composing nothing,
    // for a range that does not lie inside the image.
    bool render(const EditImage& image, std::span<const ColorValue> palette, const PreviewLook& look, std::int32_t zoom,
                bool magnify, const PixelRect& range, const CanvasPixels& out);

private:
    void prepare(const EditImage& image, std::span<const ColorValue> palette, const PreviewLook& look);
    void renderMagnified(const EditImage& image, std::int32_t zoom, const PixelRect& range, const CanvasPixels& out);
    void renderReduced(const EditImage& image, std::int32_t zoom, const PixelRect& range, const CanvasPixels& out);
    ColorValue colourOf(std::uint32_t value) const;
    ColorValue pixelColour(const Cell& cell) const;
    ColorValue blockColour(const EditImage& image, std::int32_t top, std::int32_t left, std::int32_t zoom) const;
    ColorValue blockColour32(const EditImage& image, std::int32_t top, std::int32_t left, std::int32_t zoom) const;
    ColorValue selectedBlockColour(const EditImage& image, std::int32_t top, std::int32_t left,
                                   std::int32_t zoom) const;

    PreviewLook m_look;
    std::int32_t m_bitCount = 0;
    // The palette's colours by index (palette images only).
    std::array<ColorValue, 256> m_colours{};
    // The screen colours of the image row being composed.
    std::vector<std::uint32_t> m_row;
};

} // namespace tessaly
