#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"
#include "image/color_value.h"

namespace tessaly {

// How the canvas looks around and behind the image; colours 0x00BBGGRR.
struct CanvasAppearance {
    bool twoTone = false;
    ColorValue background1 = 0;
    ColorValue background2 = 0;
    ColorValue gridColour = 0;
    bool gridShown = true;
    bool maskOverlay = false;

    friend bool operator==(const CanvasAppearance&, const CanvasAppearance&) = default;
};

// What the tools lay over the image while they work.
struct CanvasOverlays {
    // The floating content's cells in the form they will be composited,
    // exactly the size of floatingRect; none while nothing floats.
    const CellGrid* floating = nullptr;
    PixelRect floatingRect;

    // The line tool's rubber band, drawn while active.
    bool lineActive = false;
    PixelPoint lineStart;
    PixelPoint lineEnd;
    std::uint32_t lineValue = 0;
    std::uint8_t lineMask = 0;

    // The rectangle tool's rubber rectangle, drawn while not empty.
    PixelRect rectPreview;
    std::uint32_t rectValue = 0;
    std::uint8_t rectMask = 0;
};

// 32-bit pixels 0x00RRGGBB (the order of a device-independent bitmap), rows
// `stride` pixels apart; the stride is negative for bottom-up bitmaps.
struct CanvasPixels {
    std::uint32_t* firstRow = nullptr;
    std::ptrdiff_t stride = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::uint32_t* row(std::int32_t y) const { return firstRow + stride * y; }
};

// Composes a range of the image under edit, magnified, into off-screen
// pixels: the cells against the background, the floating content, the
// rubber bands, the mask overlay and the grid. Pixel (row, column) of the
// range becomes the zoom x zoom square whose top-left corner lies at
// ((column - range.left) x zoom, (row - range.top) x zoom).
//
// Each image row is composed at most twice (once per checker band phase),
// grid lines included; every other screen row of its square is a copy or
// the grid colour, so a full-window repaint writes each pixel once.
class CanvasRenderer {
public:
    static constexpr std::int32_t kCheckerSize = 8;

    // The pixels render() writes for a range: the squares, plus the closing
    // grid line on the right and at the bottom when the grid is drawn.
    static CanvasPixels outputSize(const PixelRect& range, std::int32_t zoom, const CanvasAppearance& look);
    static bool gridDrawn(std::int32_t zoom, const CanvasAppearance& look) { return look.gridShown && zoom > 1; }

    // range must be non-empty and inside the image, and out at least
    // outputSize(range) large. palette: the colour table of a palette image
    // (indices past its end draw black).
    void render(const EditImage& image, std::span<const ColorValue> palette, const PixelRect& range, std::int32_t zoom,
                const CanvasAppearance& look, const CanvasOverlays& overlays, const CanvasPixels& out);

private:
    // The two colours a pixel square shows: `odd` on checker squares whose
    // band sum is odd, `even` on the others. Equal when there is no checker.
    struct SquareColours {
        std::uint32_t odd;
        std::uint32_t even;
    };

    void prepare(const EditImage& image, std::span<const ColorValue> palette, const PixelRect& range, std::int32_t zoom,
                 const CanvasAppearance& look, const CanvasOverlays& overlays);
    void markLine(const CanvasOverlays& overlays);
    void colourRow(std::int32_t row);
    SquareColours imageColours(const Cell& cell) const;
    SquareColours floatingColours(const Cell& content, const Cell& under) const;
    SquareColours previewColours(std::uint32_t value, std::uint8_t mask) const;
    SquareColours maskedLook(ColorValue colour) const;
    SquareColours blended(ColorValue colour, std::uint32_t weight, std::uint32_t scale) const;
    ColorValue colourOf(std::uint32_t value) const;
    void composeRow(std::uint32_t* pixels, std::int32_t band) const;
    void invertMaskedSquares(std::int32_t row, const CanvasPixels& out) const;
    void drawGridColumns(std::uint32_t* pixels, std::int32_t width, std::uint32_t colour) const;

    const EditImage* m_image = nullptr;
    const CanvasOverlays* m_overlays = nullptr;
    CanvasAppearance m_look;
    PixelRect m_range;
    std::int32_t m_zoom = 1;
    bool m_palette = false;
    std::int32_t m_bitCount = 0;
    // Palette colours by index (palette images only), 256 entries.
    std::vector<ColorValue> m_colours;
    // Cells of the range the rubber band passes, row by row.
    std::vector<std::uint8_t> m_linePoints;
    // The colours of the row being composed, one pair per column of the range.
    std::vector<SquareColours> m_rowColours;
};

} // namespace tessaly
