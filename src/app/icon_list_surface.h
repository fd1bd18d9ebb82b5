#pragma once

#include <cstdint>

#include "editing/client_point.h"

namespace tessaly {

// The window that shows an icon list's state: asked for its width and scroll
// position, told what to repaint. Item indices are those of the list.
class IconListSurface {
public:
    virtual ~IconListSurface() = default;

    virtual std::int32_t clientWidth() const = 0;
    virtual ClientPoint scrollPosition() const = 0;
    // The grid changed: scroll over the new height, repaint all with erasing.
    virtual void listRelaidOut(std::int32_t contentHeight) = 0;
    // The item's thumbnail needs repainting (no erasing).
    virtual void thumbnailChanged(std::int32_t index) = 0;
    // Draw the editing frames at once: the old one erased, the new one shown;
    // either may be -1.
    virtual void editingFrameMoved(std::int32_t oldIndex, std::int32_t newIndex) = 0;
    // The background or the duplicate marking changed: repaint all.
    virtual void appearanceChanged() = 0;
};

} // namespace tessaly
