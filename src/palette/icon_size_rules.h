#pragma once

#include <cstdint>
#include <optional>

#include "convert/conversion_limits.h"

namespace tessaly {

// The size block of the icon creation and duplication dialogs: the four
// square presets beside free width and height boxes, and what the dialogs
// accept from them.
class IconSizeRules {
public:
    enum class Preset { Size16, Size32, Size48, Size64, Other };

    static constexpr std::uint32_t kMaxSide = static_cast<std::uint32_t>(kMaxRequestedSide);

    // The preset that shows the typed size: a square of a preset side, else Other.
    static Preset presetFor(std::uint32_t width, std::uint32_t height);
    // The side a preset writes into both boxes; none for Other, which writes nothing.
    static std::optional<std::uint32_t> sideOf(Preset preset);
    // OK is offered for any size with no zero side.
    static bool canConfirm(std::uint32_t width, std::uint32_t height) { return width != 0 && height != 0; }
    // A confirmed size must also fit the bound the dialogs name.
    static bool withinBounds(std::uint32_t width, std::uint32_t height)
    {
        return width <= kMaxSide && height <= kMaxSide;
    }
};

} // namespace tessaly
