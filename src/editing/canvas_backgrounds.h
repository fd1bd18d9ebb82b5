#pragma once

#include <cstdint>

#include "editing/canvas_renderer.h"

namespace tessaly {

// The backgrounds of the view menu, by their settings index: a solid colour
// or a two-tone grey checkerboard, each with the grid colour that shows on
// it. Kept apart from the canvas window so that the choices are checked
// without one.
class CanvasBackgrounds {
public:
    static constexpr std::int32_t kCount = 8;
    // The background without saved settings: the light checkerboard.
    static constexpr std::int32_t kDefault = 6;

    static constexpr bool isChoice(std::int32_t index) { return index >= 0 && index < kCount; }
    // Puts background `index` and its grid colour into look, leaving the
    // grid's visibility and the mask overlay as they are. A solid colour
    // replaces only the first background colour. False, changing nothing,
    // for an index that is no choice.
    static bool apply(std::int32_t index, CanvasAppearance& look);
};

} // namespace tessaly
