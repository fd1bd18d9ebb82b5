#pragma once

#include <cstdint>

#include "editing/model/pixel_point.h"

namespace tessaly {

// Where the canvas and the tool window send what the status bar shows about
// them: the tool under the pointer, the pixel under the pointer, the item
// highlighted in the selection popup. The status bar implements it.
class EditingStatusSink {
public:
    static constexpr std::int32_t kNoTool = -1;

    virtual ~EditingStatusSink() = default;

    // tool: 0..15, or kNoTool when the pointer is over no button.
    virtual void toolHint(std::int32_t tool) = 0;
    // Only while an image is open; the pixel may lie outside the image.
    virtual void canvasReadout(PixelPoint pixel) = 0;
    virtual void selectionPopupHint(std::int32_t commandId) = 0;
};

} // namespace tessaly
