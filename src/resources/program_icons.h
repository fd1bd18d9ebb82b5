#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "resources/resource_ids.h"

namespace tessaly {

// The program's own icons, drawn in code: the application icon (at 16, 24,
// 32 and 48 pixels) and one 24 x 24 icon per tool, under the resource ids of
// resource_ids.h and tool_icons.h. The generator writes them as .ico files into src/resources/icons,
// where the resource script takes them; a test checks the files in the tree
// are exactly what the drawings give.
class ProgramIcons {
public:
    static constexpr std::int32_t kApplicationIcon = IDI_PROGRAM;
    static constexpr std::int32_t kToolIconSize = 24;

    // Every resource id, the application icon first.
    static std::span<const std::int32_t> resourceIds();
    // The file name under src/resources/icons; empty for an unknown id.
    static std::string_view fileName(std::int32_t resourceId);
    // The .ico file of a resource; false for an unknown id.
    static bool encode(std::int32_t resourceId, std::vector<std::uint8_t>& file);
};

} // namespace tessaly
