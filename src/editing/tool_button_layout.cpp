#include "editing/tool_button_layout.h"

#include <algorithm>

#include "editing/editing_status_sink.h"

namespace tessaly {

void ToolButtonLayout::layout(std::int32_t clientWidth, bool alphaToolsShown)
{
    const std::int32_t columns = std::max(1, clientWidth / kCellSize);
    std::int32_t shown = 0;
    for (std::int32_t tool = 0; tool < kToolCount; ++tool) {
        ViewRect& rect = m_buttons[static_cast<std::size_t>(tool)];
        if (isAlphaTool(static_cast<ToolId>(tool)) && !alphaToolsShown) {
            rect = kHidden;
            continue;
        }
        const std::int32_t x = (shown % columns) * kCellSize;
        const std::int32_t y = (shown / columns) * kCellSize;
        rect = ViewRect{x, y, x + kCellSize, y + kCellSize};
        ++shown;
    }
}

std::int32_t ToolButtonLayout::heightFor(std::int32_t clientWidth, bool alphaToolsShown)
{
    ToolButtonLayout all;
    all.layout(clientWidth, alphaToolsShown);
    std::int32_t bottom = 0;
    for (const ViewRect& rect : all.m_buttons)
        bottom = std::max(bottom, rect.bottom);
    return bottom;
}

std::int32_t ToolButtonLayout::hitTest(std::int32_t x, std::int32_t y) const
{
    for (std::int32_t tool = 0; tool < kToolCount; ++tool) {
        const ViewRect& r = m_buttons[static_cast<std::size_t>(tool)];
        if (!r.isEmpty() && r.containsWithEdges(x, y))
            return tool;
    }
    return EditingStatusSink::kNoTool;
}

} // namespace tessaly
