#include "app/preview_controller.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/selected_tint.h"
#include "support/edit_image_support.h"

namespace tessaly {
namespace {

using Erase = PreviewHost::Erase;

constexpr ColorValue kWhite = makeColor(255, 255, 255);
constexpr ColorValue kBlack = makeColor(0, 0, 0);
constexpr ColorValue kRed = makeColor(255, 0, 0);
constexpr ColorValue kHighlight = makeColor(0x33, 0x99, 0xFF);
constexpr std::uint32_t kOpaque = 255u << 24;
// What the test screen holds where the preview composes nothing.
constexpr std::uint32_t kUnpainted = 0x010203;

struct Recorder final : PreviewHost, PreviewStatusSink {
    void invalidateAll(Erase erase) override { all.push_back(erase); }
    void invalidateArea(const ClientRect& area) override { areas.push_back(area); }
    void previewReadout(const PreviewReadout& readout) override { readouts.push_back(readout); }
    std::vector<Erase> all;
    std::vector<ClientRect> areas;
    std::vector<PreviewReadout> readouts;
};

// The edit image and the palette with a preview of the given client size,
// and the client area as the window would show it after painting.
struct PreviewModel {
    PreviewModel(std::int32_t w, std::int32_t h, bool autoZoom)
        : width(w)
        , height(h)
        , screen(static_cast<std::size_t>(w * h), kUnpainted)
    {
        image.setObservers(nullptr, &preview);
        palette.setObservers({nullptr, nullptr, nullptr, &preview});
        preview.setHost(&recorder);
        preview.setStatusSink(&recorder);
        preview.setAutoZoom(autoZoom);
        preview.resize(w, h);
    }
    bool open(const IconImage& icon) { return image.load(icon) && (!icon.hasPalette() || palette.takeFromIcon(icon)); }

    // What WM_PAINT does for an update area: compose, then one copy.
    void paint(const ClientRect& update)
    {
        const PreviewPaint plan = preview.paintFor(update);
        const ClientRect& d = plan.destination;
        std::vector<std::uint32_t> composed(static_cast<std::size_t>(d.width() * d.height()));
        if (!preview.compose(plan, kHighlight, CanvasPixels{composed.data(), d.width(), d.width(), d.height()}))
            return;
        for (std::int32_t y = std::max(0, d.top); y < std::min(height, d.bottom); ++y)
            for (std::int32_t x = std::max(0, d.left); x < std::min(width, d.right); ++x)
                screen[static_cast<std::size_t>(y * width + x)] =
                    composed[static_cast<std::size_t>((y - d.top) * d.width() + x - d.left)];
    }
    void paintAll() { paint({0, 0, width, height}); }
    ColorValue at(std::int32_t x, std::int32_t y) const
    {
        const std::uint32_t p = screen[static_cast<std::size_t>(y * width + x)];
        return makeColor(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                         static_cast<std::uint8_t>(p));
    }

    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint32_t> screen;
    EditImage image;
    Palette palette;
    PreviewController preview{image, palette};
    Recorder recorder;
};

using Pixel = test::IconPixel;

// A w x h icon whose palette, if it has one, begins black, white, red.
template <typename PixelAt> IconImage makeIcon(std::int32_t bitCount, std::int32_t w, std::int32_t h, PixelAt pixel)
{
    return test::drawnIcon(w, h, bitCount, {kBlack, kWhite, kRed}, pixel);
}

ColorValue half(ColorValue a, ColorValue b)
{
    return makeColor(static_cast<std::uint8_t>((redOf(a) + redOf(b)) / 2),
                     static_cast<std::uint8_t>((greenOf(a) + greenOf(b)) / 2),
                     static_cast<std::uint8_t>((blueOf(a) + blueOf(b)) / 2));
}

TEST(PreviewPixels, EachPixelShowsAsTheDesktopWouldAndSelectedOnesMixWithTheHighlight)
{
    // Masked black, masked white (the inverting kind), red, masked red; enlarged by 2.
    const Pixel row[] = {{0, true}, {1, true}, {2, false}, {2, true}};
    PreviewModel model(8, 2, true);
    ASSERT_TRUE(model.open(makeIcon(4, 4, 1, [&](std::int32_t, std::int32_t x) { return row[x]; })));
    model.paintAll();
    const ColorValue onWhite[] = {kWhite, kBlack, kRed, makeColor(0, 255, 255)};
    for (std::int32_t x = 0; x < 8; ++x)
        EXPECT_EQ(model.at(x, x % 2), onWhite[x / 2]) << x;

    const ColorValue teal = makeColor(0x12, 0x80, 0x80);
    model.preview.setBackground(teal); // NOT colour AND background
    model.paintAll();
    EXPECT_EQ(model.at(0, 0), teal);
    EXPECT_EQ(model.at(6, 0), makeColor(0, 0x80, 0x80));
    model.preview.setShowSelected(true); // transparency of either kind shows the background
    model.paintAll();
    EXPECT_EQ(model.at(2, 0), teal);
    EXPECT_EQ(model.at(4, 0), half(kRed, kHighlight));

    // 32 bits: alpha 0, 128 and 255; the mask plays no part.
    const ColorValue green = makeColor(0, 200, 0);
    const Pixel alphas[] = {
        {green, false}, {green | 128u << 24, false}, {kWhite | kOpaque, false}, {green | kOpaque, true}};
    PreviewModel deep(4, 1, false);
    ASSERT_TRUE(deep.open(makeIcon(32, 4, 1, [&](std::int32_t, std::int32_t x) { return alphas[x]; })));
    deep.paintAll();
    EXPECT_EQ(deep.at(0, 0), blendOverBackground(green, 0, kWhite));
    EXPECT_EQ(deep.at(1, 0), makeColor(126, 227, 126)); // (255 * 127 + c * 129) >> 8
    EXPECT_EQ(deep.at(3, 0), green);
    deep.preview.setShowSelected(true);
    deep.paintAll();
    EXPECT_EQ(deep.at(1, 0), makeColor(126, 227, 126)); // alpha 128: not tinted
    // White on white, tinted, stays lighter than the highlight instead of wrapping.
    EXPECT_EQ(deep.at(2, 0), makeColor(0x99, 0xCC, 0xFF));
    EXPECT_EQ(deep.at(3, 0), tintTowardHighlight(green, kHighlight));
}

TEST(PreviewPixels, ReducedBlocksShowTheAverageOfWhatTheirPixelsShow)
{
    // Left 2 x 2 block: two opaque red, two transparent; right block opaque white.
    PreviewModel deep(2, 1, true);
    ASSERT_TRUE(deep.open(makeIcon(32, 4, 2, [](std::int32_t y, std::int32_t x) {
        return Pixel{x >= 2 ? kWhite | kOpaque : y == 0 ? kRed | kOpaque : 0u, false};
    })));
    ASSERT_EQ(deep.preview.layout().zoom(), 2);
    deep.paintAll();
    // (127, 0, 0) at alpha 127 over white: (255 * 128 + 127 * 128) >> 8 = 191.
    EXPECT_EQ(deep.at(0, 0), makeColor(191, 127, 127));
    deep.preview.setShowSelected(true);
    deep.paintAll();
    EXPECT_EQ(deep.at(0, 0), makeColor(191, 127, 127));
    EXPECT_EQ(deep.at(1, 0), tintTowardHighlight(kWhite, kHighlight));

    // Left: red, masked black (white), two masked white (black). Right: red,
    // red, white and one masked black.
    const Pixel blocks[2][4] = {{{2, false}, {0, true}, {2, false}, {2, false}},
                                {{1, true}, {1, true}, {1, false}, {0, true}}};
    PreviewModel model(2, 1, true);
    ASSERT_TRUE(model.open(makeIcon(4, 4, 2, [&](std::int32_t y, std::int32_t x) { return blocks[y][x]; })));
    model.paintAll();
    EXPECT_EQ(model.at(0, 0), makeColor(127, 63, 63));
    EXPECT_EQ(model.at(1, 0), makeColor(255, 127, 127));
    model.preview.setShowSelected(true); // only blocks mostly opaque are tinted
    model.paintAll();
    EXPECT_EQ(model.at(0, 0), kWhite);
    EXPECT_EQ(model.at(1, 0), half(makeColor(255, 85, 85), kHighlight));
}

TEST(PreviewPixels, PartialPaintsMatchTheFullPaintAndStayInsideTheImage)
{
    std::mt19937 rng(21);
    const std::vector<std::uint32_t> values{0x00000000u, 0x80FF0000u, 0xFF00FF00u, 0xC01020F0u, 0xFFFFFFFFu};
    const IconImage icon = test::randomIcon(37, 29, 32, values, 0.2, rng);
    for (const bool grow : {true, false}) {
        PreviewModel full(grow ? 120 : 20, grow ? 100 : 9, true); // enlarged by 3, reduced by 4
        ASSERT_TRUE(full.open(icon));
        full.paintAll();
        const ClientRect shown = full.preview.layout().imageArea();
        for (int round = 0; round < 40; ++round) {
            PreviewModel part(full.width, full.height, true);
            ASSERT_TRUE(part.open(icon));
            std::uniform_int_distribution<std::int32_t> x(0, full.width - 1), y(0, full.height - 1);
            const std::int32_t left = x(rng), top = y(rng);
            const ClientRect update{left, top, std::min(full.width, left + 1 + x(rng) / 4),
                                    std::min(full.height, top + 1 + y(rng) / 4)};
            part.paint(update);
            const ClientRect wanted = update.intersected(shown);
            for (std::int32_t py = 0; py < full.height; ++py) {
                for (std::int32_t px = 0; px < full.width; ++px) {
                    const std::uint32_t got = part.screen[static_cast<std::size_t>(py * full.width + px)];
                    const bool inWanted = wanted.contains(px, py);
                    const bool inShown = shown.contains(px, py);
                    if (inWanted || got != kUnpainted) {
                        ASSERT_EQ(got, full.screen[static_cast<std::size_t>(py * full.width + px)]) << px << "," << py;
                    }
                    ASSERT_TRUE(inShown || got == kUnpainted) << px << "," << py;
                }
            }
        }
    }
}

TEST(PreviewController, EditsAndPaletteChangesRepaintOnlyTheBlocksTheyTouch)
{
    PreviewModel model(100, 70, true); // zoom 2 from (18, 3)
    ASSERT_TRUE(model.open(makeIcon(4, 32, 32, [](std::int32_t y, std::int32_t x) {
        return Pixel{(y == 1 && x == 1) || (y == 4 && x == 7) ? 2u : 0u, false};
    })));
    std::vector<ClientRect>& areas = model.recorder.areas;
    model.image.drawLine({5, 6}, {5, 8}, 1, 0);
    model.image.drawLine({5, 6}, {5, 8}, 1, 0); // nothing changes: nothing repainted
    model.palette.setEntry(2, makeColor(0, 0, 255));
    model.palette.setEntry(9, makeColor(0, 0, 255)); // no pixel uses it
    EXPECT_EQ(areas, (std::vector<ClientRect>{{30, 13, 36, 15}, {20, 5, 34, 13}}));
    model.paintAll();
    EXPECT_EQ(model.at(7 * 2 + 18, 4 * 2 + 3), makeColor(0, 0, 255));

    // A free palette is not the image's: it repaints nothing.
    const ColorValue colours[] = {kBlack, kWhite, kRed};
    model.palette.replace(colours);
    model.preview.repaintIndices(0, 2);
    EXPECT_EQ(areas.size(), 2u);
}

TEST(PreviewController, OptionsAndImageChangesRelayoutRepaintAndSetTheReadout)
{
    PreviewModel model(100, 70, false);
    ASSERT_TRUE(model.open(makeIcon(4, 32, 32, [](std::int32_t, std::int32_t) { return Pixel{0, false}; })));
    EXPECT_EQ(model.preview.layout().zoom(), 1);
    model.recorder.all.clear();
    model.preview.setBackground(kWhite); // unchanged
    model.preview.setBackground(kBlack);
    model.preview.setShowSelected(true);
    model.preview.setAutoZoom(true);
    model.image.clear();
    EXPECT_EQ(model.recorder.all, (std::vector<Erase>{Erase::Yes, Erase::No, Erase::Yes, Erase::Yes}));
    EXPECT_TRUE(model.preview.layout().showsNothing());
    model.preview.pointerMoved(); // nothing shown: no readout
    EXPECT_TRUE(model.recorder.readouts.empty());

    // Loaded without telling the preview, a smaller image is not read past its end.
    ASSERT_TRUE(model.open(makeIcon(4, 32, 32, [](std::int32_t, std::int32_t) { return Pixel{2, false}; })));
    model.image.setObservers(nullptr, nullptr);
    model.palette.setObservers({});
    ASSERT_TRUE(model.open(makeIcon(4, 4, 4, [](std::int32_t, std::int32_t) { return Pixel{2, false}; })));
    model.paintAll();
    EXPECT_EQ(model.screen, std::vector<std::uint32_t>(model.screen.size(), kUnpainted));

    // The readout names the scale: enlarged by 2, reduced by 2, real size.
    model.preview.resize(8, 8);
    model.preview.pointerMoved();
    model.preview.resize(2, 2);
    model.preview.pointerMoved();
    model.preview.setAutoZoom(false);
    model.preview.pointerMoved();
    EXPECT_EQ(model.recorder.readouts,
              (std::vector<PreviewReadout>{{2, true, true}, {2, false, true}, {1, true, true}}));
}

} // namespace
} // namespace tessaly
