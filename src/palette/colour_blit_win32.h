#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "image/color_value.h"
#include "editing/view_rect.h"

namespace tessaly {

// Draws width x height ColorValues (rows top first) with their top-left
// corner at (x, y). Nothing for a count that does not match.
void blitColours(HDC dc, int x, int y, int width, int height, std::span<const ColorValue> pixels);

// A COLORREF from a ColorValue: the same layout, without the top byte.
inline COLORREF colorRefOf(ColorValue colour)
{
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

inline ColorValue colorValueOf(COLORREF colour)
{
    return makeColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

inline RECT rectOf(const ViewRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

void fillSolid(HDC dc, const ViewRect& area, ColorValue colour);

} // namespace tessaly
