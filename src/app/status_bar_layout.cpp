#include "app/status_bar_layout.h"

#include <array>

namespace tessaly::status_bar_layout {
namespace {

struct Layout {
    std::array<std::int32_t, 3> edges;
    std::size_t count;
};

// Layouts 3, 4, 7 and 14 are single parts that no text uses.
constexpr std::array<Layout, kLayoutCount> kLayouts{{
    {{-1}, 1},            // 0: right after creation
    {{-1}, 1},            // 1: menu and popup hints, preview scale
    {{160, -1}, 2},       // 2: tool name, tool use
    {{-1}, 1},            // 3
    {{-1}, 1},            // 4
    {{120, 240}, 2},      // 5: icon list without edited icon
    {{120, 240, 420}, 3}, // 6: edit list with edited icon
    {{-1}, 1},            // 7
    {{120}, 1},           // 8: canvas position only
    {{120, 320, 400}, 3}, // 9: canvas position, colour, mask
    {{120, 320}, 2},      // 10: canvas position, line
    {{120, 320, 460}, 3}, // 11: canvas position, rectangle, size
    {{120, 320}, 2},      // 12: canvas position, no rectangle
    {{180, 420}, 2},      // 13: viewport, visible range
    {{-1}, 1},            // 14
    {{120}, 1},           // 15: palette index out of range
    {{120, 320, -1}, 3},  // 16: linked palette: index, colour, background warning
    {{120, -1}, 2},       // 17: linked palette, out of range
    {{120, 320}, 2},      // 18: free palette: index, colour
    {{120, 320}, 2},      // 19: palette range selection
}};

} // namespace

std::span<const std::int32_t> partEdges(std::int32_t layout)
{
    if (layout < 0 || layout >= kLayoutCount)
        return {};
    const Layout& chosen = kLayouts[static_cast<std::size_t>(layout)];
    return std::span<const std::int32_t>(chosen.edges.data(), chosen.count);
}

} // namespace tessaly::status_bar_layout
