#pragma once

namespace tessaly {

// Which items of the canvas's selection popup are enabled, decided where the
// right button was released.
struct SelectionMenuState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool deleteSelection = false;
    bool selectAll = false;
    bool commit = false;
    bool cancel = false;

    friend bool operator==(const SelectionMenuState&, const SelectionMenuState&) = default;
};

} // namespace tessaly
