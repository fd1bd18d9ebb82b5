#include "editing/canvas_backgrounds.h"

#include <array>
#include <cstddef>

namespace tessaly {
namespace {

struct BackgroundChoice {
    bool twoTone;
    ColorValue first; // the solid colour, or the checkerboard's first grey
    ColorValue second;
    ColorValue grid;
};

constexpr ColorValue grey(std::uint8_t level)
{
    return makeColor(level, level, level);
}

// In the order of their settings index.
constexpr std::array<BackgroundChoice, CanvasBackgrounds::kCount> kChoices{{
    {false, makeColor(255, 255, 255), 0, makeColor(175, 175, 175)},
    {false, makeColor(0, 0, 0), 0, makeColor(96, 96, 128)},
    {false, makeColor(192, 192, 192), 0, makeColor(48, 48, 96)},
    {false, makeColor(64, 128, 112), 0, makeColor(64, 64, 64)},
    {false, makeColor(64, 96, 128), 0, makeColor(64, 64, 64)},
    {false, makeColor(128, 96, 96), 0, makeColor(64, 64, 64)},
    {true, grey(255), grey(192), makeColor(0, 0, 0)},
    {true, grey(192), grey(127), makeColor(0, 0, 0)},
}};

} // namespace

bool CanvasBackgrounds::apply(std::int32_t index, CanvasAppearance& look)
{
    if (!isChoice(index))
        return false;
    const BackgroundChoice& choice = kChoices[static_cast<std::size_t>(index)];
    look.twoTone = choice.twoTone;
    look.background1 = choice.first;
    if (choice.twoTone)
        look.background2 = choice.second;
    look.gridColour = choice.grid;
    return true;
}

} // namespace tessaly
