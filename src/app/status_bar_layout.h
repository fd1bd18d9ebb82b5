#pragma once

#include <cstdint>
#include <span>

namespace tessaly {

// The status bar's part layouts, by number: the right edge of each part in
// pixels, -1 for a part that reaches the right end.
namespace status_bar_layout {

inline constexpr std::int32_t kLayoutCount = 20;

// Empty for a number that sets no parts (negative, or 20 and above).
std::span<const std::int32_t> partEdges(std::int32_t layout);
// Layouts 0 and 1 show their one text without a border.
constexpr bool withoutBorders(std::int32_t layout)
{
    return layout == 0 || layout == 1;
}

} // namespace status_bar_layout

} // namespace tessaly
