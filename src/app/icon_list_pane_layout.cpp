#include "app/icon_list_pane_layout.h"

#include <algorithm>

namespace tessaly {

void IconListPaneLayout::layout(std::int32_t width, std::int32_t height)
{
    const std::int32_t tabWidth = std::min(kTabWidthLimit, (width - 2 * kLeftMargin) / kTabCount);
    for (std::int32_t i = 0; i < kTabCount; ++i)
        m_tabs[static_cast<std::size_t>(i)] = {kLeftMargin + i * tabWidth, height - kTabStripHeight,
                                               kLeftMargin + (i + 1) * tabWidth, height};
    m_content = {4, 4, std::max(width - 5, 4), std::max(height - kTabStripHeight - 3, 4)};
}

ClientRect IconListPaneLayout::frameRect() const
{
    return {m_content.left - 4, m_content.top - 4, m_content.right + 5, m_content.bottom + 5};
}

std::int32_t IconListPaneLayout::tabAt(ClientPoint point) const
{
    for (std::int32_t i = 0; i < kTabCount; ++i) {
        if (tabRect(i).containsStrictly(point.x, point.y))
            return i;
    }
    return -1;
}

} // namespace tessaly
