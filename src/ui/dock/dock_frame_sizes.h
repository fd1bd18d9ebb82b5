#pragma once

#include <algorithm>

#include "ui/dock/dock_side.h"

namespace tessaly {

// The sizes a frame remembers for its two states: floating width and height,
// the width it takes in vertical bars and the height it takes in horizontal
// ones, and the smallest size it may be made by its borders.
struct DockFrameSizes {
    int floatingWidth = 0;
    int floatingHeight = 0;
    int dockedWidth = 0;
    int dockedHeight = 0;
    int minimumWidth = 0;
    int minimumHeight = 0;

    // Every size starts as the size the frame was created with.
    static DockFrameSizes fromCreation(int width, int height, int minimumWidth, int minimumHeight)
    {
        return {width, height, width, height, minimumWidth, minimumHeight};
    }

    // The floating size grows to at least the new minimum.
    void setMinimum(int width, int height)
    {
        minimumWidth = width;
        minimumHeight = height;
        floatingWidth = std::max(floatingWidth, width);
        floatingHeight = std::max(floatingHeight, height);
    }

    // The frame's docked size across a bar of the side.
    int dockedAcross(DockSide side) const { return isHorizontal(side) ? dockedHeight : dockedWidth; }
};

} // namespace tessaly
