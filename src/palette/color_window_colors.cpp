#include "palette/color_window_colors.h"

#include <algorithm>

namespace tessaly {
namespace {

constexpr ColorValue rgbOnly(ColorValue c)
{
    return c & 0x00FFFFFFu;
}

std::uint8_t channelOf(ColorValue c, std::int32_t channel)
{
    return static_cast<std::uint8_t>(c >> (8 * channel));
}

ColorValue withChannel(ColorValue c, std::int32_t channel, std::int32_t value)
{
    const std::uint32_t shift = static_cast<std::uint32_t>(8 * channel);
    return (c & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(value) & 0xFFu) << shift;
}

template <typename PerChannel> ColorValue eachChannel(PerChannel f)
{
    return makeColor(static_cast<std::uint8_t>(f(0)), static_cast<std::uint8_t>(f(1)), static_cast<std::uint8_t>(f(2)));
}

} // namespace

ColorValue ColorWindowColors::swatchColour(ColorValue shown, ColorValue background, bool maskTool, bool alphaMode,
                                           bool drawingMask, ColorValue maskBackground)
{
    if (maskTool)
        return rgbOnly(~maskBackground & background);
    if (alphaMode) {
        const std::int32_t alpha = alphaOf(shown);
        return eachChannel([&](std::int32_t i) {
            return (channelOf(shown, i) * (alpha + 1) + channelOf(background, i) * (255 - alpha)) >> 8;
        });
    }
    if (drawingMask)
        return rgbOnly(~shown & background);
    return rgbOnly(shown);
}

std::vector<ColorValue> ColorWindowColors::swatchPixels(std::int32_t width, std::int32_t height, bool twoTone,
                                                        ColorValue overFirst, ColorValue overSecond)
{
    if (width <= 0 || height <= 0)
        return {};
    std::vector<ColorValue> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const bool odd = (x / kCheckerSquare + y / kCheckerSquare) % 2 != 0;
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                rgbOnly(!twoTone || odd ? overFirst : overSecond);
        }
    }
    return pixels;
}

std::vector<ColorValue> ColorWindowColors::barColumns(std::int32_t channel, std::int32_t width, ColorValue shown,
                                                      ColorValue background)
{
    if (width <= 1)
        return {};
    std::vector<ColorValue> columns(static_cast<std::size_t>(width));
    for (std::int32_t k = 0; k < width; ++k) {
        ColorValue c;
        if (channel < 3) {
            c = withChannel(shown, channel, k * 255 / (width - 1));
        } else {
            const std::int32_t b = k * 256 / (width - 1);
            c = eachChannel(
                [&](std::int32_t i) { return (b * channelOf(shown, i) + (256 - b) * channelOf(background, i)) >> 8; });
        }
        columns[static_cast<std::size_t>(k)] = rgbOnly(c);
    }
    return columns;
}

ColorValue ColorWindowColors::hueColumn(std::int32_t x, std::int32_t width)
{
    if (width <= 0)
        return 0;
    // Column x lies in the segment s with width * s / 6 <= x < width * (s + 1) / 6.
    std::int32_t s = std::clamp(x * 6 / width, 0, 5);
    while (s > 0 && x < width * s / 6)
        --s;
    while (s < 5 && x >= width * (s + 1) / 6)
        ++s;
    const std::int32_t start = width * s / 6;
    const std::int32_t segment = width * (s + 1) / 6 - start;
    const std::int32_t j = x - start;
    const std::int32_t rise = segment > 0 ? j * 255 / segment : 0;
    const std::int32_t fall = 255 - rise;
    switch (s) {
    case 0:
        return makeColor(255, static_cast<std::uint8_t>(rise), 0);
    case 1:
        return makeColor(static_cast<std::uint8_t>(fall), 255, 0);
    case 2:
        return makeColor(0, 255, static_cast<std::uint8_t>(rise));
    case 3:
        return makeColor(0, static_cast<std::uint8_t>(fall), 255);
    case 4:
        return makeColor(static_cast<std::uint8_t>(rise), 0, 255);
    default:
        return makeColor(255, 0, static_cast<std::uint8_t>(fall));
    }
}

ColorValue ColorWindowColors::hueAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    const ColorValue pure = hueColumn(x, width);
    const std::int32_t m = std::max(height / 2, 1);
    return eachChannel([&](std::int32_t i) {
        const std::int32_t v = channelOf(pure, i);
        if (y <= m)
            return 255 - (255 - v) * y / m;
        return v * (height - y - 1) / (height - m - 1);
    });
}

std::vector<ColorValue> ColorWindowColors::hueField(std::int32_t width, std::int32_t height)
{
    if (width <= 0 || height <= 0)
        return {};
    std::vector<ColorValue> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                hueAt(x, y, width, height);
    }
    return pixels;
}

ColorValue ColorWindowColors::midColor(ColorValue shown)
{
    const std::int32_t r = redOf(shown), g = greenOf(shown), b = blueOf(shown);
    const std::int32_t lightness = (std::min({r, g, b}) + std::max({r, g, b})) >> 1;
    if (lightness == 0 || lightness >= 255)
        return makeColor(127, 127, 127);
    if (lightness >= 128)
        return eachChannel([&](std::int32_t i) { return 255 - (255 - channelOf(shown, i)) * 127 / (255 - lightness); });
    return eachChannel([&](std::int32_t i) { return std::min(255, channelOf(shown, i) * 127 / lightness); });
}

ColorValue ColorWindowColors::lightnessAt(std::int32_t x, std::int32_t width, ColorValue mid)
{
    if (width <= 2)
        return rgbOnly(mid);
    const std::int32_t half = width / 2;
    return eachChannel([&](std::int32_t i) {
        const std::int32_t m = channelOf(mid, i);
        if (x < half)
            return m * x / half;
        return (255 - m) * (x - half) / (width - half - 1) + m;
    });
}

std::array<ColorValue, ColorWindowColors::kLampSize * ColorWindowColors::kLampSize>
ColorWindowColors::lampPixels(const LampTones& tones, bool lit)
{
    // F face, S shadow, H highlight, D the lamp.
    static constexpr const char* kRows[kLampSize] = {"FFSSSSFF", "FSDDDDSF", "SDDDDDDH", "SDDDDDDH",
                                                     "SDDDDDDH", "SDDDDDDH", "FHDDDDHF", "FFHHHHFF"};
    std::array<ColorValue, kLampSize * kLampSize> pixels{};
    for (std::int32_t y = 0; y < kLampSize; ++y) {
        for (std::int32_t x = 0; x < kLampSize; ++x) {
            ColorValue c = tones.face;
            switch (kRows[y][x]) {
            case 'S':
                c = tones.shadow;
                break;
            case 'H':
                c = tones.highlight;
                break;
            case 'D':
                c = lit ? kLampLit : kLampDark;
                break;
            default:
                break;
            }
            pixels[static_cast<std::size_t>(y * kLampSize + x)] = rgbOnly(c);
        }
    }
    return pixels;
}

} // namespace tessaly
