#include "image/standard_palette.h"

#include <array>

namespace tessaly {

namespace {

constexpr std::array<ColorValue, 2> kMonochrome = {makeColor(0, 0, 0), makeColor(255, 255, 255)};

constexpr std::array<ColorValue, 16> buildColor16()
{
    std::array<ColorValue, 16> table{};
    for (int half = 0; half < 2; ++half) {
        const std::uint8_t level = half == 0 ? 128 : 255;
        for (int j = 0; j < 8; ++j) {
            table[static_cast<std::size_t>(8 * half + j)] =
                makeColor(j & 1 ? level : 0, j & 2 ? level : 0, j & 4 ? level : 0);
        }
    }
    table[7] = makeColor(192, 192, 192);
    table[8] = makeColor(128, 128, 128);
    return table;
}

constexpr std::array<ColorValue, 256> buildColor256()
{
    std::array<ColorValue, 256> table{};
    constexpr std::array<ColorValue, 10> low = {
        makeColor(0, 0, 0),     makeColor(128, 0, 0),     makeColor(0, 128, 0),     makeColor(128, 128, 0),
        makeColor(0, 0, 128),   makeColor(128, 0, 128),   makeColor(0, 128, 128),   makeColor(192, 192, 192),
        makeColor(192, 220, 192), makeColor(166, 202, 240),
    };
    constexpr std::array<ColorValue, 10> high = {
        makeColor(255, 251, 240), makeColor(160, 160, 164), makeColor(128, 128, 128), makeColor(255, 0, 0),
        makeColor(0, 255, 0),     makeColor(255, 255, 0),   makeColor(0, 0, 255),     makeColor(255, 0, 255),
        makeColor(0, 255, 255),   makeColor(255, 255, 255),
    };
    std::size_t at = 0;
    for (ColorValue c : low)
        table[at++] = c;
    // The cube's eight corners are static colours already.
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                const bool corner = r % 5 == 0 && g % 5 == 0 && b % 5 == 0;
                if (!corner)
                    table[at++] = makeColor(webSafeLevel(r), webSafeLevel(g), webSafeLevel(b));
            }
        }
    }
    // Greys at k * 255 / 29, rounded: none repeats a grey of the cube or of
    // the static colours.
    for (int k = 1; k <= 28; ++k) {
        const auto v = static_cast<std::uint8_t>((k * 255 * 2 + 29) / 58);
        table[at++] = makeColor(v, v, v);
    }
    for (ColorValue c : high)
        table[at++] = c;
    if (at != table.size())
        throw "the 256-colour table must be filled exactly"; // fails the constant evaluation
    return table;
}

constexpr std::array<ColorValue, 16> kColor16 = buildColor16();
constexpr std::array<ColorValue, 256> kColor256 = buildColor256();

} // namespace

std::span<const ColorValue> standardPalette(std::int32_t bitCount)
{
    switch (bitCount) {
    case 1: return kMonochrome;
    case 4: return kColor16;
    case 8: return kColor256;
    default: return {};
    }
}

} // namespace tessaly
