#pragma once

#include <windows.h>

namespace tessaly {

// The one class of the views inside the main frame and its tool frames: the
// canvas, the tool window, the icon list, the palette, the selected colour
// and the preview.
inline constexpr wchar_t kViewClassName[] = L"IconEditor-ViewWindow";

// Registers the view class once: double clicks, the arrow cursor, and a
// hollow class brush, since every view paints its whole update rectangle
// itself and an erase would only flicker. Every view calls it before it
// makes its window, so that the class is the same whichever comes first.
// True when the class exists afterwards.
bool registerViewClass();

} // namespace tessaly
