#pragma once

namespace tessaly {

// The selected-colour window as the Palette sees it.
class ColorWindowObserver {
public:
    virtual ~ColorWindowObserver() = default;

    // Palette entries changed: show the current colour again.
    virtual void refresh() = 0;
};

} // namespace tessaly
