#pragma once

#include <cstdint>

#include "palette/model/palette.h"

namespace tessaly {

// What the new-palette dialog accepts as a length: OK is offered for any
// length but 0, and a confirmed length must fit what a palette may hold.
class PaletteLengthRules {
public:
    static constexpr std::uint32_t kMaxLength = static_cast<std::uint32_t>(Palette::kMaxLength);

    static bool canConfirm(std::uint32_t length) { return length != 0; }
    static bool withinBounds(std::uint32_t length) { return length <= kMaxLength; }
};

} // namespace tessaly
