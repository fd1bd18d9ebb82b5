#pragma once

#include <cstdint>

namespace tessaly {

// A view that paints the edited image through the palette (the canvas, the
// preview). Only told while the palette is linked to the edited image.
class PaletteImageObserver {
public:
    virtual ~PaletteImageObserver() = default;

    // Every colour may have changed: repaint the whole image.
    virtual void redrawAll() = 0;
    // Entries first..last changed: repaint the pixels whose index lies there.
    virtual void repaintIndexRange(std::int32_t first, std::int32_t last) = 0;
};

} // namespace tessaly
