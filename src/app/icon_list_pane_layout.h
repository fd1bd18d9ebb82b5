#pragma once

#include <array>
#include <cstdint>

#include "app/client_rect.h"
#include "editing/client_point.h"

namespace tessaly {

// Where the icon list pane puts its parts: the three tabs in a strip along
// the bottom, and above them, inside a frame, the area its list views fill.
class IconListPaneLayout {
public:
    static constexpr std::int32_t kTabCount = 3;
    static constexpr std::int32_t kTabWidthLimit = 64;
    static constexpr std::int32_t kTabStripHeight = 24;
    static constexpr std::int32_t kLeftMargin = 8;

    void layout(std::int32_t width, std::int32_t height);

    // Tab i, 0 <= i < kTabCount.
    const ClientRect& tabRect(std::int32_t i) const { return m_tabs[static_cast<std::size_t>(i)]; }
    const ClientRect& contentRect() const { return m_content; }
    // The outer edge of the frame drawn around the content.
    ClientRect frameRect() const;
    // The tab holding the point strictly inside, or -1.
    std::int32_t tabAt(ClientPoint point) const;

private:
    std::array<ClientRect, kTabCount> m_tabs{};
    ClientRect m_content;
};

} // namespace tessaly
