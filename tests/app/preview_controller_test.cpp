#include "app/preview_controller.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/selected_tint.h"
#include "support/edit_image_support.h"

namespace tessaly {
namespace {

constexpr ColorValue kWhite = makeColor(255, 255, 255);
constexpr ColorValue kBlack = makeColor(0, 0, 0);
constexpr ColorValue kRed = makeColor(255, 0, 0);
constexpr ColorValue kHighlight = makeColor(0x33, 0x99, 0xFF);
// What the test screen holds where the preview paints nothing.
constexpr ColorValue kUnpainted = makeColor(1, 2, 3);

class RecordingHost final : public PreviewHost {
public:
    void invalidateAll(Erase erase) override { all.push_back(erase); }
    void invalidateArea(const ClientArea& area) override { areas.push_back(area); }

    std::vector<Erase> all;
    std::vector<ClientArea> areas;
};

class RecordingSink final : public PreviewStatusSink {
public:
    void previewReadout(const PreviewReadout& readout) override { readouts.push_back(readout); }
    std::vector<PreviewReadout> readouts;
};

// The client area as the window would show it: kUnpainted where the preview
// composes nothing (the erase's part), the composed pixels elsewhere.
struct Screen {
    Screen(std::int32_t w, std::int32_t h)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w * h), toPixel(kUnpainted))
    {
    }

    static std::uint32_t toPixel(ColorValue c) { return redOf(c) << 16 | greenOf(c) << 8 | blueOf(c); }
    ColorValue at(std::int32_t x, std::int32_t y) const
    {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
        return makeColor(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                         static_cast<std::uint8_t>(p));
    }

    // Paints an update area as the window does: compose, then one copy.
    void paint(PreviewController& preview, const ClientArea& update)
    {
        const PreviewPaint plan = preview.paintFor(update);
        if (plan.isEmpty())
            return;
        const ClientArea& d = plan.destination;
        std::vector<std::uint32_t> composed(static_cast<std::size_t>(d.width() * d.height()));
        if (!preview.compose(plan, kHighlight, CanvasPixels{composed.data(), d.width(), d.width(), d.height()}))
            return;
        for (std::int32_t y = 0; y < d.height(); ++y)
            for (std::int32_t x = 0; x < d.width(); ++x)
                if (d.left + x < width && d.top + y < height)
                    pixels[static_cast<std::size_t>((d.top + y) * width + d.left + x)] =
                        composed[static_cast<std::size_t>(y * d.width() + x)];
    }

    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint32_t> pixels;
};

// The edit image and palette with a preview of the given client size.
struct PreviewModel {
    PreviewModel(std::int32_t w, std::int32_t h, bool autoZoom)
    {
        image.setObservers(nullptr, &preview);
        palette.setObservers({nullptr, nullptr, nullptr, &preview});
        preview.setHost(&host);
        preview.setStatusSink(&sink);
        preview.setAutoZoom(autoZoom);
        preview.resize(w, h);
    }
    bool open(const IconImage& icon) { return image.load(icon) && (!icon.hasPalette() || palette.takeFromIcon(icon)); }
    Screen screen()
    {
        Screen s(preview.layout().imageArea().right + 1, preview.layout().imageArea().bottom + 1);
        s.paint(preview, {0, 0, s.width, s.height});
        return s;
    }

    EditImage image;
    Palette palette;
    PreviewController preview{image, palette};
    RecordingHost host;
    RecordingSink sink;
};

// A 16-colour icon whose palette starts black, white, red; every pixel
// index 0 and unmasked unless set.
IconImage sixteenColours(std::int32_t w, std::int32_t h)
{
    IconImage icon;
    EXPECT_TRUE(icon.create(w, h, 4));
    icon.setPaletteColor(0, kBlack);
    icon.setPaletteColor(1, kWhite);
    icon.setPaletteColor(2, kRed);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            icon.setMask(y, x, false);
    return icon;
}

void setPixel(IconImage& icon, std::int32_t y, std::int32_t x, std::uint32_t value, bool masked)
{
    icon.setPixel(y, x, value);
    icon.setMask(y, x, masked);
}

ColorValue half(ColorValue a, ColorValue b)
{
    return makeColor(static_cast<std::uint8_t>((redOf(a) + redOf(b)) / 2),
                     static_cast<std::uint8_t>((greenOf(a) + greenOf(b)) / 2),
                     static_cast<std::uint8_t>((blueOf(a) + blueOf(b)) / 2));
}

TEST(PreviewPixels, MaskedBlackShowsTheBackgroundAndMaskedWhiteInvertsIt)
{
    PreviewModel model(4, 1, false);
    IconImage icon = sixteenColours(4, 1);
    setPixel(icon, 0, 0, 0, true); // masked black: transparent
    setPixel(icon, 0, 1, 1, true); // masked white: inverts the screen
    setPixel(icon, 0, 2, 2, false);
    setPixel(icon, 0, 3, 2, true);
    ASSERT_TRUE(model.open(icon));

    Screen white = model.screen();
    EXPECT_EQ(white.at(0, 0), kWhite);
    EXPECT_EQ(white.at(1, 0), kBlack);
    EXPECT_EQ(white.at(2, 0), kRed);
    EXPECT_EQ(white.at(3, 0), makeColor(0, 255, 255));

    // NOT colour AND background on any other background.
    const ColorValue teal = makeColor(0x12, 0x80, 0x80);
    model.preview.setBackground(teal);
    Screen other = model.screen();
    EXPECT_EQ(other.at(0, 0), teal);
    EXPECT_EQ(other.at(1, 0), kBlack);
    EXPECT_EQ(other.at(2, 0), kRed);
    EXPECT_EQ(other.at(3, 0), makeColor(0, 0x80, 0x80));

    // Selected, transparency of either kind shows the background, the rest half highlight.
    model.preview.setShowSelected(true);
    Screen selected = model.screen();
    EXPECT_EQ(selected.at(0, 0), teal);
    EXPECT_EQ(selected.at(1, 0), teal);
    EXPECT_EQ(selected.at(2, 0), half(kRed, kHighlight));
}

TEST(PreviewPixels, ThirtyTwoBitPixelsBlendByAlphaAndOnlyMostlyOpaqueOnesAreTinted)
{
    PreviewModel model(4, 1, false);
    IconImage icon;
    ASSERT_TRUE(icon.create(4, 1, 32));
    const ColorValue green = makeColor(0, 200, 0);
    setPixel(icon, 0, 0, green | 0x00u << 24, false);
    setPixel(icon, 0, 1, green | 128u << 24, false);
    setPixel(icon, 0, 2, kWhite | 255u << 24, false);
    setPixel(icon, 0, 3, green | 255u << 24, true); // the mask plays no part at 32 bits
    ASSERT_TRUE(model.open(icon));

    Screen normal = model.screen();
    EXPECT_EQ(normal.at(0, 0), blendOverBackground(green, 0, kWhite));
    // (255 * 127 + 0 * 129) >> 8 = 126, (255 * 127 + 200 * 129) >> 8 = 227
    EXPECT_EQ(normal.at(1, 0), makeColor(126, 227, 126));
    EXPECT_EQ(normal.at(2, 0), kWhite);
    EXPECT_EQ(normal.at(3, 0), green);

    model.preview.setShowSelected(true);
    Screen selected = model.screen();
    EXPECT_EQ(selected.at(1, 0), normal.at(1, 0)); // alpha 128: not tinted
    // White on white, tinted: it stays lighter than the highlight instead of
    // wrapping to a dark colour.
    EXPECT_EQ(selected.at(2, 0), tintTowardHighlight(kWhite, kHighlight));
    EXPECT_EQ(selected.at(2, 0), makeColor(0x99, 0xCC, 0xFF));
    EXPECT_EQ(selected.at(3, 0), tintTowardHighlight(green, kHighlight));
}

TEST(PreviewPixels, MagnifiedPixelsBecomeBlocksAndReducedBlocksShowTheirAverage)
{
    // 4 x 2 pixels at 32 bits; a 2 x 1 window reduces them by 2.
    IconImage icon;
    ASSERT_TRUE(icon.create(4, 2, 32));
    const ColorValue opaqueRed = kRed | 255u << 24;
    for (std::int32_t x = 0; x < 4; ++x) {
        setPixel(icon, 0, x, x < 2 ? opaqueRed : kWhite | 255u << 24, false);
        setPixel(icon, 1, x, x < 2 ? 0u : kWhite | 255u << 24, false);
    }
    PreviewModel reduced(2, 1, true);
    ASSERT_TRUE(reduced.open(icon));
    ASSERT_EQ(reduced.preview.layout().zoom(), 2);
    ASSERT_FALSE(reduced.preview.layout().magnifies());
    // Average (127, 0, 0) at alpha 127 over white: (255 * 128 + 127 * 128) >> 8 = 191, 255 * 128 >> 8 = 127.
    EXPECT_EQ(reduced.screen().at(0, 0), makeColor(191, 127, 127));
    reduced.preview.setShowSelected(true);
    Screen selected = reduced.screen();
    EXPECT_EQ(selected.at(0, 0), makeColor(191, 127, 127)); // alpha 127: not tinted
    EXPECT_EQ(selected.at(1, 0), tintTowardHighlight(kWhite, kHighlight));

    PreviewModel magnified(12, 6, true);
    ASSERT_TRUE(magnified.open(icon));
    ASSERT_EQ(magnified.preview.layout().zoom(), 3);
    Screen blocks = magnified.screen();
    const ColorValue transparent = blendOverBackground(0, 0, kWhite);
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 12; ++x) {
            const ColorValue left = y < 3 ? kRed : transparent;
            EXPECT_EQ(blocks.at(x, y), x < 6 ? left : kWhite) << x << "," << y;
        }
    }
}

TEST(PreviewPixels, ReducedPaletteBlocksAverageWhatEachPixelShowsAndSelectedOnesNeedMostlyOpaquePixels)
{
    // Two 2 x 2 blocks: one red pixel with a masked black and two masked
    // whites; three opaque pixels (red, red, white) with one masked.
    IconImage icon = sixteenColours(4, 2);
    setPixel(icon, 0, 0, 2, false);
    setPixel(icon, 0, 1, 0, true);
    setPixel(icon, 1, 0, 1, true);
    setPixel(icon, 1, 1, 1, true);
    setPixel(icon, 0, 2, 2, false);
    setPixel(icon, 0, 3, 2, false);
    setPixel(icon, 1, 2, 1, false);
    setPixel(icon, 1, 3, 0, true);
    PreviewModel model(2, 1, true);
    ASSERT_TRUE(model.open(icon));
    ASSERT_EQ(model.preview.layout().zoom(), 2);

    Screen normal = model.screen();
    // red, white (transparent), black, black (inverted white)
    EXPECT_EQ(normal.at(0, 0), makeColor(127, 63, 63));
    // red, red, white, white (transparent)
    EXPECT_EQ(normal.at(1, 0), makeColor(255, 127, 127));

    model.preview.setShowSelected(true);
    Screen selected = model.screen();
    EXPECT_EQ(selected.at(0, 0), kWhite); // one opaque pixel of four: the background
    EXPECT_EQ(selected.at(1, 0), half(makeColor(255, 85, 85), kHighlight));
}

TEST(PreviewPixels, PartialPaintsMatchTheFullPaintWhereTheyPaint)
{
    std::mt19937 rng(21);
    const std::vector<std::uint32_t> values{0x00000000u, 0x80FF0000u, 0xFF00FF00u, 0xC01020F0u, 0xFFFFFFFFu};
    const IconImage icon = test::randomIcon(37, 29, 32, values, 0.2, rng);
    for (const bool grow : {true, false}) {
        // Enlarged by 3, or reduced by 4 (and shown selected).
        PreviewModel model(grow ? 120 : 20, grow ? 100 : 9, true);
        model.preview.setShowSelected(!grow);
        ASSERT_TRUE(model.open(icon));
        const Screen full = model.screen();
        std::uniform_int_distribution<std::int32_t> x(0, full.width - 1);
        std::uniform_int_distribution<std::int32_t> y(0, full.height - 1);
        for (int round = 0; round < 40; ++round) {
            const std::int32_t x0 = x(rng);
            const std::int32_t y0 = y(rng);
            const ClientArea update{x0, y0, std::min(full.width, x0 + 1 + x(rng) / 4),
                                    std::min(full.height, y0 + 1 + y(rng) / 4)};
            Screen part(full.width, full.height);
            part.paint(model.preview, update);
            const ClientArea shown = model.preview.layout().imageArea();
            for (std::int32_t py = 0; py < full.height; ++py) {
                for (std::int32_t px = 0; px < full.width; ++px) {
                    const bool wanted = px >= update.left && px < update.right && py >= update.top &&
                                        py < update.bottom && px >= shown.left && px < shown.right && py >= shown.top &&
                                        py < shown.bottom;
                    if (wanted || part.at(px, py) != kUnpainted) {
                        ASSERT_EQ(part.at(px, py), full.at(px, py)) << grow << " at " << px << "," << py;
                    }
                    if (px < shown.left || px >= shown.right || py < shown.top || py >= shown.bottom) {
                        ASSERT_EQ(part.at(px, py), kUnpainted) << grow << " at " << px << "," << py;
                    }
                }
            }
        }
    }
}

TEST(PreviewController, EditsAndPaletteChangesRepaintOnlyTheBlocksTheyTouch)
{
    PreviewModel model(100, 70, true);
    IconImage icon = sixteenColours(32, 32);
    setPixel(icon, 1, 1, 2, false);
    setPixel(icon, 4, 7, 2, false);
    ASSERT_TRUE(model.open(icon));
    model.host.areas.clear();

    model.image.drawLine({5, 6}, {5, 8}, 1, 0);
    ASSERT_EQ(model.host.areas.size(), 1u);
    EXPECT_EQ(model.host.areas.back(), (ClientArea{6 * 2 + 18, 5 * 2 + 3, 8 * 2 + 18 + 2, 5 * 2 + 3 + 2}));
    model.image.drawLine({5, 6}, {5, 8}, 1, 0); // nothing changes: nothing repainted
    EXPECT_EQ(model.host.areas.size(), 1u);

    model.palette.setEntry(2, makeColor(0, 0, 255));
    ASSERT_EQ(model.host.areas.size(), 2u);
    EXPECT_EQ(model.host.areas.back(), (ClientArea{1 * 2 + 18, 1 * 2 + 3, 7 * 2 + 18 + 2, 4 * 2 + 3 + 2}));
    EXPECT_EQ(model.screen().at(7 * 2 + 18, 4 * 2 + 3), makeColor(0, 0, 255));
    model.palette.setEntry(9, makeColor(0, 0, 255)); // no pixel uses it
    EXPECT_EQ(model.host.areas.size(), 2u);

    // A free palette is not the image's: its changes repaint nothing.
    const ColorValue colours[] = {kBlack, kWhite, kRed};
    model.palette.replace(colours);
    model.preview.repaintIndices(0, 2);
    EXPECT_EQ(model.host.areas.size(), 2u);
}

TEST(PreviewController, OptionsAndImageChangesRepaintAsTheyMust)
{
    using Erase = PreviewHost::Erase;
    PreviewModel model(100, 70, false);
    ASSERT_TRUE(model.open(sixteenColours(32, 32)));
    EXPECT_EQ(model.preview.layout().zoom(), 1);
    model.host.all.clear();

    model.preview.setBackground(kWhite); // unchanged
    EXPECT_TRUE(model.host.all.empty());
    model.preview.setBackground(kBlack);
    model.preview.setShowSelected(true);
    model.preview.setAutoZoom(true);
    EXPECT_EQ(model.host.all, (std::vector<Erase>{Erase::Yes, Erase::No, Erase::Yes}));
    EXPECT_EQ(model.preview.layout().zoom(), 2);

    model.image.clear();
    EXPECT_TRUE(model.preview.layout().showsNothing());
    EXPECT_EQ(model.host.all.back(), Erase::Yes);
    ASSERT_TRUE(model.open(sixteenColours(256, 256)));
    EXPECT_EQ(model.preview.layout().zoom(), 4);
    EXPECT_FALSE(model.preview.layout().magnifies());
    model.preview.resize(256, 300);
    EXPECT_EQ(model.preview.layout().zoom(), 1);
}

TEST(PreviewController, AStaleLayoutComposesNothingRatherThanReadingPastTheImage)
{
    PreviewModel model(100, 70, true);
    ASSERT_TRUE(model.open(sixteenColours(32, 32)));
    model.image.setObservers(nullptr, nullptr); // the preview misses the change
    ASSERT_TRUE(model.image.load(sixteenColours(4, 4)));
    const Screen screen = model.screen();
    for (const std::uint32_t pixel : screen.pixels)
        ASSERT_EQ(pixel, Screen::toPixel(kUnpainted));
}

TEST(PreviewController, ReadoutNamesTheScaleOnlyWhileAnImageIsShown)
{
    PreviewModel model(0, 70, true);
    ASSERT_TRUE(model.open(sixteenColours(32, 32)));
    model.preview.pointerMoved();
    EXPECT_TRUE(model.sink.readouts.empty());

    model.preview.resize(100, 70);
    model.preview.pointerMoved();
    model.preview.resize(16, 16);
    model.preview.setShowSelected(true);
    model.preview.pointerMoved();
    model.preview.setAutoZoom(false);
    model.preview.pointerMoved();
    EXPECT_EQ(model.sink.readouts, (std::vector<PreviewReadout>{{2, true, false}, {2, false, true}, {1, true, true}}));
}

} // namespace
} // namespace tessaly
