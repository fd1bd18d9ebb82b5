#pragma once

#include <cstdint>

namespace tessaly {

// The sixteen tools, in the order the tool window shows them. The numbers are
// the tools' identities everywhere (status hints, icons), so they never change.
enum class ToolId : std::uint8_t {
    Pencil = 0,
    Eraser = 1,
    Fill = 2,
    Strip = 3,
    Eyedropper = 4,
    PencilEraser = 5,
    PencilEyedropper = 6,
    FillStrip = 7,
    FillEyedropper = 8,
    AlphaSet = 9,
    AlphaNudge = 10,
    Line = 11,
    RectFill = 12,
    MaskAdjust = 13,
    Select = 14,
    Move = 15,
};

inline constexpr std::int32_t kToolCount = 16;

// The two tools that only make sense where pixels carry their own alpha.
constexpr bool isAlphaTool(ToolId id)
{
    return id == ToolId::AlphaSet || id == ToolId::AlphaNudge;
}

// The tools whose left button paints transparency (the background value with
// mask 1), so the colour window shows the mask as what is being drawn.
constexpr bool isMaskTool(ToolId id)
{
    return id == ToolId::Eraser || id == ToolId::Strip || id == ToolId::MaskAdjust;
}

} // namespace tessaly
