#pragma once

#include <cstdint>

namespace tessaly {

// The mouse button of a canvas event.
enum class MouseButton : std::uint8_t {
    Left,
    Right,
};

// The modifier keys held during a canvas mouse event, as the window reported
// them. The tools do not change behaviour with them today; the canvas passes
// them along so that a tool can without the event API changing.
struct ModifierKeys {
    bool shift = false;
    bool control = false;

    friend bool operator==(const ModifierKeys&, const ModifierKeys&) = default;
};

} // namespace tessaly
