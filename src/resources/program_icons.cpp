#include "resources/program_icons.h"

#include <array>
#include <cmath>

#include "formats/ico_writer.h"
#include "resources/icon_painter.h"
#include "resources/tool_icons.h"

namespace tessaly {
namespace {

constexpr ColorValue opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return makeColor(r, g, b, 255);
}

constexpr ColorValue kInk = opaque(36, 36, 48);
constexpr ColorValue kWhite = opaque(255, 255, 255);
constexpr ColorValue kPencilYellow = opaque(250, 196, 40);
constexpr ColorValue kWood = opaque(238, 196, 146);
constexpr ColorValue kSteel = opaque(168, 176, 188);
constexpr ColorValue kPink = opaque(244, 136, 160);
constexpr ColorValue kSleeve = opaque(70, 120, 220);
constexpr ColorValue kPaint = opaque(40, 130, 240);
constexpr ColorValue kGlass = opaque(190, 226, 250);
constexpr ColorValue kBulb = opaque(200, 50, 50);
constexpr ColorValue kGreen = opaque(60, 170, 90);
constexpr ColorValue kTranslucentBlue = makeColor(30, 90, 230, 150);

// A point on a tool's long axis, which runs from `tip` at 45 degrees up to
// the right: `along` design units from the tip, `across` to the side.
ArtPoint onAxis(ArtPoint tip, double along, double across)
{
    constexpr double k = 0.70710678;
    return {tip.x + along * k + across * k, tip.y - along * k + across * k};
}

void drawPencil(IconPainter& p)
{
    const ArtPoint tip{2.5, 21.5};
    const auto band = [&](double from, double to, double half, ColorValue fill) {
        p.polygon({onAxis(tip, from, -half), onAxis(tip, to, -half), onAxis(tip, to, half), onAxis(tip, from, half)},
                  fill, kInk);
    };
    p.polygon({onAxis(tip, 0, 0), onAxis(tip, 6.5, -3.2), onAxis(tip, 6.5, 3.2)}, kWood, kInk);
    p.polygon({onAxis(tip, 0, 0), onAxis(tip, 2.8, -1.4), onAxis(tip, 2.8, 1.4)}, kInk, kInk);
    band(6, 19, 3.2, kPencilYellow);
    band(18.5, 21, 3.2, kSteel);
    band(20.5, 24, 3.2, kPink);
}

void drawEraser(IconPainter& p)
{
    const ArtPoint tip{3, 20};
    p.line({2, 22.5}, {12, 22.5}, 1.2, kSteel);
    p.polygon({onAxis(tip, 0, -4.5), onAxis(tip, 8, -4.5), onAxis(tip, 8, 4.5), onAxis(tip, 0, 4.5)}, kPink, kInk);
    p.polygon({onAxis(tip, 7.5, -4.5), onAxis(tip, 20, -4.5), onAxis(tip, 20, 4.5), onAxis(tip, 7.5, 4.5)}, kSleeve,
              kInk);
}

void drawBucket(IconPainter& p, ColorValue paint)
{
    p.line({6, 10}, {11, 3.5}, 1.3, kInk);
    p.line({11, 3.5}, {16.5, 7.5}, 1.3, kInk);
    p.polygon({{3, 11}, {14, 6}, {19, 16}, {9, 21}}, kSteel, kInk);
    p.polygon({{13, 6.5}, {19, 7}, {22, 12}, {21.5, 20}, {19, 20}, {18.5, 14}, {16, 9}}, paint, kInk);
    p.disc({20.2, 22}, 1.8, paint, kInk);
}

void drawFill(IconPainter& p)
{
    drawBucket(p, kPaint);
}

void drawStrip(IconPainter& p)
{
    p.checker({11, 11}, {24, 24}, 3);
    drawBucket(p, kWhite);
}

void drawEyedropper(IconPainter& p)
{
    const ArtPoint tip{2, 22};
    const auto band = [&](double from, double to, double half, ColorValue fill) {
        p.polygon({onAxis(tip, from, -half), onAxis(tip, to, -half), onAxis(tip, to, half), onAxis(tip, from, half)},
                  fill, kInk);
    };
    band(0, 4, 1.2, kInk);
    band(3.5, 14, 2.4, kGlass);
    band(3.5, 8.5, 2.4, kPaint);
    band(13.5, 16, 4, kSteel);
    p.disc(onAxis(tip, 20, 0), 4.2, kBulb, kInk);
}

// A combined tool: the left-button tool large, the right-button tool as a
// badge in the lower right corner.
template <typename Main, typename Badge> void drawCombined(IconPainter& p, Main main, Badge badge)
{
    p.setFrame(0, 0, 0.78);
    main(p);
    p.setFrame(11.5, 11.5, 0.52);
    badge(p);
    p.setFrame(0, 0, 1);
}

void drawAlphaSet(IconPainter& p)
{
    p.checker({2, 2}, {19, 19}, 3);
    p.polygon({{2, 19}, {19, 2}, {19, 19}}, kTranslucentBlue, kTranslucentBlue);
    p.line({2, 2.5}, {19, 2.5}, 1, kInk);
    p.line({2, 18.5}, {19, 18.5}, 1, kInk);
    p.line({2.5, 2}, {2.5, 19}, 1, kInk);
    p.line({18.5, 2}, {18.5, 19}, 1, kInk);
    p.setFrame(10, 10, 0.58);
    drawPencil(p);
    p.setFrame(0, 0, 1);
}

void drawAlphaNudge(IconPainter& p)
{
    p.checker({2, 6}, {15, 22}, 3);
    p.rect({2, 6}, {15, 22}, kTranslucentBlue, kInk);
    p.rect({4, 8}, {13, 14}, makeColor(30, 90, 230, 230), makeColor(30, 90, 230, 230));
    p.polygon({{19, 2}, {23.5, 9}, {14.5, 9}}, kGreen, kInk);
    p.polygon({{19, 22}, {23.5, 15}, {14.5, 15}}, kBulb, kInk);
}

void drawLine(IconPainter& p)
{
    p.line({4, 20}, {20, 4}, 2.2, kSleeve);
    p.disc({4, 20}, 2.4, kWhite, kInk);
    p.disc({20, 4}, 2.4, kWhite, kInk);
}

void drawRectFill(IconPainter& p)
{
    p.rect({3, 5}, {21, 19}, kPaint, kInk);
}

void drawMaskAdjust(IconPainter& p)
{
    p.checker({3, 3}, {21, 21}, 3);
    p.polygon({{3, 3}, {21, 3}, {3, 21}}, kGreen, kGreen);
    p.line({3, 3.5}, {21, 3.5}, 1, kInk);
    p.line({3, 20.5}, {21, 20.5}, 1, kInk);
    p.line({3.5, 3}, {3.5, 21}, 1, kInk);
    p.line({20.5, 3}, {20.5, 21}, 1, kInk);
}

void drawSelect(IconPainter& p)
{
    p.dashedFrame({2, 3}, {20, 19});
    p.polygon({{12, 10}, {12, 22}, {15, 19}, {17.5, 23.5}, {19.5, 22.5}, {17, 18}, {21, 18}}, kWhite, kInk);
}

void drawMove(IconPainter& p)
{
    p.shape({{{10.5, 5}, {13.5, 5}, {13.5, 19}, {10.5, 19}},
             {{5, 10.5}, {19, 10.5}, {19, 13.5}, {5, 13.5}},
             {{12, 1}, {17, 6.5}, {7, 6.5}},
             {{12, 23}, {17, 17.5}, {7, 17.5}},
             {{1, 12}, {6.5, 7}, {6.5, 17}},
             {{23, 12}, {17.5, 7}, {17.5, 17}}},
            kSleeve, kInk);
}

using Drawing = void (*)(IconPainter&);

struct ToolArt {
    ToolId tool;
    std::string_view fileName;
    Drawing draw;
};

// In the order of the tools' resource ids.
constexpr std::array<ToolArt, kToolCount> kToolArt{{
    {ToolId::Pencil, "tool_pencil.ico", drawPencil},
    {ToolId::Eraser, "tool_eraser.ico", drawEraser},
    {ToolId::Fill, "tool_fill.ico", drawFill},
    {ToolId::Strip, "tool_strip.ico", drawStrip},
    {ToolId::Eyedropper, "tool_eyedropper.ico", drawEyedropper},
    {ToolId::Line, "tool_line.ico", drawLine},
    {ToolId::RectFill, "tool_rect_fill.ico", drawRectFill},
    {ToolId::MaskAdjust, "tool_mask_adjust.ico", drawMaskAdjust},
    {ToolId::Select, "tool_select.ico", drawSelect},
    {ToolId::Move, "tool_move.ico", drawMove},
    {ToolId::PencilEraser, "tool_pencil_eraser.ico", [](IconPainter& p) { drawCombined(p, drawPencil, drawEraser); }},
    {ToolId::PencilEyedropper, "tool_pencil_eyedropper.ico",
     [](IconPainter& p) { drawCombined(p, drawPencil, drawEyedropper); }},
    {ToolId::FillStrip, "tool_fill_strip.ico", [](IconPainter& p) { drawCombined(p, drawFill, drawStrip); }},
    {ToolId::FillEyedropper, "tool_fill_eyedropper.ico",
     [](IconPainter& p) { drawCombined(p, drawFill, drawEyedropper); }},
    {ToolId::AlphaSet, "tool_alpha_set.ico", drawAlphaSet},
    {ToolId::AlphaNudge, "tool_alpha_nudge.ico", drawAlphaNudge},
}};

constexpr std::array<std::int32_t, 1 + kToolCount> kResourceIds = [] {
    std::array<std::int32_t, 1 + kToolCount> ids{ProgramIcons::kApplicationIcon};
    for (std::size_t i = 0; i < kToolArt.size(); ++i)
        ids[i + 1] = toolIconResource(kToolArt[i].tool);
    return ids;
}();

// The application icon: a mosaic of coloured tiles with the pencil over it.
IconImage applicationIcon(std::int32_t size)
{
    IconPainter p(size);
    static constexpr std::array<ColorValue, 6> tiles{opaque(232, 84, 84),   opaque(250, 190, 60),
                                                     opaque(80, 180, 110),  opaque(60, 140, 230),
                                                     opaque(150, 100, 210), opaque(240, 240, 240)};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            p.rect({1.0 + column * 7.5, 1.0 + row * 7.5}, {7.5 + column * 7.5, 7.5 + row * 7.5},
                   tiles[static_cast<std::size_t>((row * 2 + column) % 6)], kInk);
    p.setFrame(4, 0, 0.85);
    drawPencil(p);
    return p.toIcon();
}

} // namespace

std::span<const std::int32_t> ProgramIcons::resourceIds()
{
    return kResourceIds;
}

std::string_view ProgramIcons::fileName(std::int32_t resourceId)
{
    if (resourceId == kApplicationIcon)
        return "application.ico";
    for (const ToolArt& art : kToolArt)
        if (toolIconResource(art.tool) == resourceId)
            return art.fileName;
    return {};
}

bool ProgramIcons::encode(std::int32_t resourceId, std::vector<std::uint8_t>& file)
{
    std::vector<IconImage> images;
    if (resourceId == kApplicationIcon) {
        for (std::int32_t size : {16, 24, 32, 48})
            images.push_back(applicationIcon(size));
    }
    for (const ToolArt& art : kToolArt) {
        if (toolIconResource(art.tool) != resourceId)
            continue;
        IconPainter painter(kToolIconSize);
        art.draw(painter);
        images.push_back(painter.toIcon());
    }
    if (images.empty())
        return false;
    std::vector<const IconImage*> pointers;
    for (const IconImage& image : images)
        pointers.push_back(&image);
    IcoWriter writer;
    return writer.encode(pointers, file);
}

} // namespace tessaly
