#pragma once

#include <array>
#include <cstdint>

#include "editing/tool_id.h"
#include "editing/view_rect.h"

namespace tessaly {

// Where the tool window's buttons lie: square cells in tool order, row by
// row in as many columns as the window's width holds (at least one), the
// two alpha tools left out while they are hidden. Every button is hidden
// until the first layout.
class ToolButtonLayout {
public:
    static constexpr std::int32_t kCellSize = 28;
    // The rectangle of a hidden button, which no point hits.
    static constexpr ViewRect kHidden{0, 0, -1, -1};

    ToolButtonLayout() { m_buttons.fill(kHidden); }

    // Lays the buttons out for a client area of this width.
    void layout(std::int32_t clientWidth, bool alphaToolsShown);
    // The height that shows every button at this width.
    static std::int32_t heightFor(std::int32_t clientWidth, bool alphaToolsShown);

    const ViewRect& buttonRect(ToolId id) const { return m_buttons[static_cast<std::size_t>(id)]; }
    // The tool whose button holds the point, its edges included; a point on
    // an edge two buttons share belongs to the first in tool order.
    // EditingStatusSink::kNoTool for none.
    std::int32_t hitTest(std::int32_t x, std::int32_t y) const;

private:
    std::array<ViewRect, kToolCount> m_buttons{};
};

} // namespace tessaly
