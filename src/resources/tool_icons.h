#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "editing/tool_id.h"
#include "resources/resource_ids.h"

namespace tessaly {

// The icon resource of each tool, in tool order: the tool window loads its
// buttons' icons by it and the icon generator draws each tool's picture
// under it. The resources run in another order than the tools (the basic
// tools, line to move, then the combined and alpha tools), so this table is
// the one place that pairs them.
inline constexpr std::array<std::int32_t, kToolCount> kToolIconResources{
    IDI_TOOL_PENCIL,
    IDI_TOOL_ERASER,
    IDI_TOOL_FILL,
    IDI_TOOL_STRIP,
    IDI_TOOL_EYEDROPPER,
    IDI_TOOL_PENCIL_ERASER,
    IDI_TOOL_PENCIL_EYEDROPPER,
    IDI_TOOL_FILL_STRIP,
    IDI_TOOL_FILL_EYEDROPPER,
    IDI_TOOL_ALPHA_SET,
    IDI_TOOL_ALPHA_NUDGE,
    IDI_TOOL_LINE,
    IDI_TOOL_RECT_FILL,
    IDI_TOOL_MASK_ADJUST,
    IDI_TOOL_SELECT,
    IDI_TOOL_MOVE,
};

constexpr std::int32_t toolIconResource(ToolId id)
{
    return kToolIconResources[static_cast<std::size_t>(id)];
}

} // namespace tessaly
