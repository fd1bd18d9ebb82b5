#include "editing/canvas_renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editing/canvas_layout.h"
#include "editing/model/alpha_composite.h"
#include "editing/model/line_stepper.h"
#include "support/edit_image_support.h"

namespace tessaly {
namespace {

// 0x00RRGGBB, the bitmap's order.
constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r << 16 | g << 8 | b;
}

std::uint32_t toPixel(ColorValue c)
{
    return rgb(redOf(c), greenOf(c), blueOf(c));
}

// A rendered range in a buffer of its own, top-down.
struct Rendered {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(std::int32_t x, std::int32_t y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

Rendered render(const EditImage& image, std::span<const ColorValue> palette, const PixelRect& range, std::int32_t zoom,
                const CanvasAppearance& look, const CanvasOverlays& overlays = {})
{
    const CanvasPixels size = CanvasRenderer::outputSize(range, zoom, look);
    Rendered result{size.width, size.height, {}};
    // A marker colour shows any pixel the renderer failed to write.
    result.pixels.assign(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height), 0xDEADBEEF);
    CanvasRenderer renderer;
    renderer.render(image, palette, range, zoom, look, overlays,
                    {result.pixels.data(), size.width, size.width, size.height});
    return result;
}

CanvasAppearance solid(ColorValue background, ColorValue grid, bool gridShown = true)
{
    return {false, background, 0, grid, gridShown, false};
}

CanvasAppearance twoTone(std::uint8_t level1, std::uint8_t level2)
{
    return {true, makeColor(level1, level1, level1), makeColor(level2, level2, level2), 0, false, false};
}

// The slow way, one screen pixel at a time, straight from the rules of what
// the canvas shows.
class ReferenceCanvas {
public:
    ReferenceCanvas(const EditImage& image, std::span<const ColorValue> palette, std::int32_t zoom,
                    const CanvasAppearance& look, const CanvasOverlays& overlays)
        : m_image(image)
        , m_palette(palette)
        , m_zoom(zoom)
        , m_look(look)
        , m_overlays(overlays)
    {
        if (overlays.lineActive)
            for (LineStepper s(overlays.lineStart, overlays.lineEnd); !s.done(); s.advance())
                m_line.push_back(s.point());
    }

    // Screen pixel (x, y) counted from the image's top-left corner.
    std::uint32_t pixel(std::int32_t x, std::int32_t y) const
    {
        const bool grid = m_look.gridShown && m_zoom > 1;
        if (grid && (x % m_zoom == 0 || y % m_zoom == 0))
            return toPixel(m_look.gridColour);
        const std::int32_t row = y / m_zoom;
        const std::int32_t column = x / m_zoom;
        const bool first = !m_look.twoTone || ((x / 8 + y / 8) & 1) != 0;
        const ColorValue background = first ? m_look.background1 : m_look.background2;
        std::uint32_t result = squareColour(row, column, background);
        const std::int32_t dx = x % m_zoom;
        const std::int32_t dy = y % m_zoom;
        const bool inset = !grid || (dx >= 2 && dx <= m_zoom - 2 && dy >= 2 && dy <= m_zoom - 2);
        if (m_look.maskOverlay && m_image.maskAt(row, column) != 0 && inset && (x + y) % 2 == 0)
            result ^= 0xFFFFFF;
        return result;
    }

private:
    std::uint32_t squareColour(std::int32_t row, std::int32_t column, ColorValue background) const
    {
        const Cell& cell = m_image.cellAt(row, column);
        const bool wide = m_image.bitCount() == 32;
        if (m_overlays.rectPreview.contains(row, column))
            return preview(m_overlays.rectValue, m_overlays.rectMask, background);
        for (const PixelPoint& p : m_line)
            if (p == PixelPoint{row, column})
                return preview(m_overlays.lineValue, m_overlays.lineMask, background);
        if (m_overlays.floating && m_overlays.floatingRect.contains(row, column)) {
            const Cell& content =
                m_overlays.floating->at(row - m_overlays.floatingRect.top, column - m_overlays.floatingRect.left);
            if (content.mask == 0) {
                if (!wide)
                    return toPixel(colour(content.value));
                const ColorValue c = compositeColor(content.value, cell.value);
                return mix(c, background, alphaOf(c), 256 - alphaOf(c));
            }
        }
        if (wide)
            return mix(cell.value, background, alphaOf(cell.value) + 1, 255 - alphaOf(cell.value));
        if (cell.mask == 0 || (m_look.maskOverlay && !m_look.twoTone))
            return toPixel(colour(cell.value));
        return toPixel(~colour(cell.value) & background);
    }

    std::uint32_t preview(std::uint32_t value, std::uint8_t mask, ColorValue background) const
    {
        if (m_image.bitCount() == 32)
            return mix(value, background, alphaOf(value), 256 - alphaOf(value));
        return toPixel(mask ? ~colour(value) & background : colour(value));
    }

    ColorValue colour(std::uint32_t value) const
    {
        if (m_image.bitCount() > 8)
            return value & 0xFFFFFF;
        return value < m_palette.size() ? m_palette[value] & 0xFFFFFF : 0;
    }

    static std::uint32_t mix(ColorValue c, ColorValue b, std::uint32_t wc, std::uint32_t wb)
    {
        return rgb((redOf(b) * wb + redOf(c) * wc) >> 8, (greenOf(b) * wb + greenOf(c) * wc) >> 8,
                   (blueOf(b) * wb + blueOf(c) * wc) >> 8);
    }

    const EditImage& m_image;
    std::span<const ColorValue> m_palette;
    std::int32_t m_zoom;
    CanvasAppearance m_look;
    CanvasOverlays m_overlays;
    std::vector<PixelPoint> m_line;
};

TEST(CanvasRenderer, SquaresGridLinesAndTheClosingLineAtZoomFour)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(3, 2, 24));
    icon.setPixel(0, 0, makeColor(255, 0, 0));
    icon.setPixel(1, 2, makeColor(0, 0, 255));
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 3; ++x)
            icon.setMask(y, x, false);
    EditImage image;
    ASSERT_TRUE(image.load(icon));
    const Rendered shot = render(image, {}, image.bounds(), 4, solid(makeColor(255, 255, 255), makeColor(9, 8, 7)));
    ASSERT_EQ(shot.width, 13);
    ASSERT_EQ(shot.height, 9);
    EXPECT_EQ(shot.at(1, 1), rgb(255, 0, 0));
    EXPECT_EQ(shot.at(3, 3), rgb(255, 0, 0));
    EXPECT_EQ(shot.at(5, 1), rgb(0, 0, 0));
    EXPECT_EQ(shot.at(11, 7), rgb(0, 0, 255));
    for (std::int32_t x = 0; x < 13; ++x) {
        EXPECT_EQ(shot.at(x, 0), rgb(9, 8, 7));
        EXPECT_EQ(shot.at(x, 4), rgb(9, 8, 7));
        EXPECT_EQ(shot.at(x, 8), rgb(9, 8, 7));
    }
    for (std::int32_t y = 0; y < 9; ++y)
        EXPECT_EQ(shot.at(12, y), rgb(9, 8, 7));
    // No grid at zoom 1, nor when it is hidden: no closing line either.
    const Rendered flat = render(image, {}, image.bounds(), 1, solid(0, makeColor(9, 8, 7)));
    EXPECT_EQ(flat.width, 3);
    EXPECT_EQ(flat.at(0, 0), rgb(255, 0, 0));
    const Rendered hidden = render(image, {}, image.bounds(), 4, solid(0, makeColor(9, 8, 7), false));
    EXPECT_EQ(hidden.width, 12);
    EXPECT_EQ(hidden.at(0, 0), rgb(255, 0, 0));
}

TEST(CanvasRenderer, MaskedPalettePixelsShowTheInvertedColourAndedWithTheBackground)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(2, 1, 4));
    const std::vector<ColorValue> palette{makeColor(0, 0, 0), makeColor(0x30, 0x60, 0x90)};
    icon.setPixel(0, 0, 1);
    icon.setPixel(0, 1, 1);
    icon.setMask(0, 0, true);
    icon.setMask(0, 1, false);
    EditImage image;
    ASSERT_TRUE(image.load(icon));
    const auto shot = [&](const CanvasAppearance& look) { return render(image, palette, image.bounds(), 2, look); };
    EXPECT_EQ(shot(solid(makeColor(0, 0, 0), 0, false)).at(0, 0), rgb(0, 0, 0));
    EXPECT_EQ(shot(solid(makeColor(255, 255, 255), 0, false)).at(0, 0), rgb(0xCF, 0x9F, 0x6F));
    EXPECT_EQ(shot(solid(makeColor(255, 255, 255), 0, false)).at(2, 0), rgb(0x30, 0x60, 0x90));
    // With the overlay on a solid background the pixel keeps its colour and
    // every other screen pixel of it is inverted.
    CanvasAppearance overlay = solid(makeColor(255, 255, 255), 0, false);
    overlay.maskOverlay = true;
    const Rendered marked = shot(overlay);
    EXPECT_EQ(marked.at(0, 0), rgb(0x30, 0x60, 0x90) ^ 0xFFFFFF);
    EXPECT_EQ(marked.at(1, 0), rgb(0x30, 0x60, 0x90));
    EXPECT_EQ(marked.at(1, 1), rgb(0x30, 0x60, 0x90) ^ 0xFFFFFF);
    EXPECT_EQ(marked.at(3, 0), rgb(0x30, 0x60, 0x90)); // unmasked: no pattern
    // Two-tone: the checker of both backgrounds, whatever the overlay.
    const Rendered checker = shot(twoTone(255, 192));
    EXPECT_EQ(checker.at(0, 0), rgb(0xC0 & 0xCF, 0xC0 & 0x9F, 0xC0 & 0x6F));
}

TEST(CanvasRenderer, SemiTransparentPixelsBlendOverACheckerFixedToTheImageCorner)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(4, 4, 32));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            icon.setPixel(y, x, makeColor(255, 0, 0, 0));
    icon.setPixel(0, 0, makeColor(255, 0, 0, 128));
    EditImage image;
    ASSERT_TRUE(image.load(icon));
    CanvasAppearance look = solid(makeColor(255, 255, 255), 0, false);
    // Red at alpha 128 over white: red (255 x 127 + 255 x 129) >> 8, green 255 x 127 >> 8.
    EXPECT_EQ(render(image, {}, image.bounds(), 4, look).at(0, 0), rgb(255, 126, 126));
    // Red at alpha 0 at zoom 4: screen squares of 8 from the image corner,
    // (0, 0) even (the second colour), (8, 0) odd (the first). Alpha 0 still
    // gives the colour a weight of 1.
    const Rendered checker = render(image, {}, image.bounds(), 4, twoTone(255, 192));
    EXPECT_EQ(checker.at(4, 0), rgb(192, 191, 191));
    EXPECT_EQ(checker.at(7, 7), rgb(192, 191, 191));
    EXPECT_EQ(checker.at(8, 0), rgb(255, 254, 254));
    EXPECT_EQ(checker.at(8, 8), rgb(192, 191, 191));
    // A repaint starting at pixel (1, 1) keeps that phase.
    const Rendered part = render(image, {}, PixelRect{1, 1, 3, 3}, 4, twoTone(255, 192));
    EXPECT_EQ(part.at(0, 0), checker.at(4, 4));
    EXPECT_EQ(part.at(4, 0), checker.at(8, 4));
}

TEST(CanvasRenderer, OverlaysStackFloatingThenLineThenRectangle)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(8, 8, 8));
    icon.setStandardPalette();
    EditImage image; // index 0 everywhere, all masked
    ASSERT_TRUE(image.load(icon));
    std::vector<ColorValue> palette(256, 0);
    palette[1] = makeColor(200, 10, 10);
    palette[2] = makeColor(10, 200, 10);
    palette[3] = makeColor(10, 10, 200);
    CellGrid floating;
    ASSERT_TRUE(floating.setSize(2, 2));
    floating.at(0, 0) = {1, 0};
    floating.at(0, 1) = {1, 1}; // masked content lets the image show
    floating.at(1, 0) = {1, 0};
    floating.at(1, 1) = {1, 0};
    CanvasOverlays overlays;
    overlays.floating = &floating;
    overlays.floatingRect = {2, 2, 3, 3};
    overlays.lineActive = true;
    overlays.lineStart = {3, -2};
    overlays.lineEnd = {3, 9};
    overlays.lineValue = 2;
    overlays.rectPreview = {0, 4, 5, 4};
    overlays.rectValue = 3;
    overlays.rectMask = 1;
    const CanvasAppearance look = solid(makeColor(255, 255, 255), 0, false);
    const Rendered shot = render(image, palette, image.bounds(), 1, look, overlays);
    EXPECT_EQ(shot.at(2, 2), rgb(200, 10, 10));
    EXPECT_EQ(shot.at(3, 2), rgb(255, 255, 255)); // masked content cell: the masked image
    EXPECT_EQ(shot.at(2, 3), rgb(10, 200, 10));   // the line is over the floating content
    EXPECT_EQ(shot.at(0, 3), rgb(10, 200, 10));
    EXPECT_EQ(shot.at(4, 3), rgb(245, 245, 55)); // the masked rectangle over the line
    EXPECT_EQ(shot.at(4, 0), rgb(245, 245, 55));
    EXPECT_EQ(shot.at(5, 0), rgb(255, 255, 255));
}

// Every feature at once, on random images in every mode and at every zoom,
// against the one-pixel-at-a-time reference; partial ranges included, so
// that a repaint of any part matches the whole.
TEST(CanvasRenderer, MatchesThePixelByPixelReference)
{
    std::mt19937 rng(17);
    std::vector<ColorValue> palette(256);
    for (ColorValue& c : palette)
        c = static_cast<ColorValue>(rng());
    const std::int32_t bitCounts[] = {1, 4, 8, 24, 32};
    for (int round = 0; round < 60; ++round) {
        const std::int32_t bitCount = bitCounts[round % 5];
        const std::int32_t zoom = CanvasLayout::kZoomSteps[(round / 5) % 6];
        std::vector<std::uint32_t> values = test::randomValues(6, rng);
        if (bitCount <= 8)
            for (std::uint32_t& v : values)
                v %= 1u << bitCount;
        if (bitCount == 32)
            values.push_back(0x80FF8040); // alpha 128 pixels beside random ones
        const IconImage icon = test::randomIcon(13, 11, bitCount, values, 0.4, rng);
        EditImage image;
        ASSERT_TRUE(image.load(icon));
        CanvasAppearance look{(round & 1) != 0,
                              static_cast<ColorValue>(rng()) & 0xFFFFFF,
                              static_cast<ColorValue>(rng()) & 0xFFFFFF,
                              static_cast<ColorValue>(rng()) & 0xFFFFFF,
                              (round & 2) != 0,
                              (round & 4) != 0};
        CellGrid floating;
        ASSERT_TRUE(floating.setSize(4, 5));
        for (std::int32_t r = 0; r < 4; ++r)
            for (std::int32_t c = 0; c < 5; ++c)
                floating.at(r, c) = {values[rng() % values.size()], static_cast<std::uint8_t>(rng() % 3 == 0)};
        CanvasOverlays overlays;
        if (round % 3 != 0) {
            overlays.floating = &floating;
            overlays.floatingRect = {static_cast<std::int32_t>(rng() % 9) - 1,
                                     static_cast<std::int32_t>(rng() % 11) - 1, 0, 0};
            overlays.floatingRect.bottom = overlays.floatingRect.top + 3;
            overlays.floatingRect.right = overlays.floatingRect.left + 4;
        }
        overlays.lineActive = round % 4 != 1;
        overlays.lineStart = {static_cast<std::int32_t>(rng() % 15) - 2, static_cast<std::int32_t>(rng() % 17) - 2};
        overlays.lineEnd = {static_cast<std::int32_t>(rng() % 15) - 2, static_cast<std::int32_t>(rng() % 17) - 2};
        overlays.lineValue = values[0];
        overlays.lineMask = static_cast<std::uint8_t>(rng() & 1);
        if (round % 2 == 0)
            overlays.rectPreview = {1, 7, 4, 9};
        overlays.rectValue = values[1];
        overlays.rectMask = static_cast<std::uint8_t>(rng() & 1);

        const ReferenceCanvas reference(image, palette, zoom, look, overlays);
        const PixelRect ranges[] = {image.bounds(), {3, 2, 9, 7}, {10, 12, 10, 12}};
        for (const PixelRect& range : ranges) {
            const Rendered shot = render(image, palette, range, zoom, look, overlays);
            for (std::int32_t y = 0; y < shot.height; ++y)
                for (std::int32_t x = 0; x < shot.width; ++x)
                    ASSERT_EQ(shot.at(x, y), reference.pixel(range.left * zoom + x, range.top * zoom + y))
                        << "round " << round << " bits " << bitCount << " zoom " << zoom << " at " << x << "," << y;
        }
    }
}

} // namespace
} // namespace tessaly
