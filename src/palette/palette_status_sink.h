#pragma once

#include <cstdint>

namespace tessaly {

// Where the palette window sends what the status bar shows about it: the
// cell under the pointer with the range highlighted at that moment, and the
// item highlighted in its context menu. The status texts implement it and
// read the palette and the tool state for the rest.
class PaletteStatusSink {
public:
    virtual ~PaletteStatusSink() = default;

    // index: the cell under the pointer as the grid computes it, -1 or past
    // the last entry when there is none. The range is shown only while
    // rangeEnd >= rangeStart.
    virtual void paletteReadout(std::int32_t index, std::int32_t rangeStart, std::int32_t rangeEnd) = 0;
    virtual void palettePopupHint(std::int32_t commandId) = 0;
};

} // namespace tessaly
