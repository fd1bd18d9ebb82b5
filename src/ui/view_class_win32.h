#pragma once

#include <windows.h>

namespace tessaly {

class Window;

// The one class of the views inside the main frame and its tool frames: the
// canvas, the tool window, the icon list, the palette, the selected colour
// and the preview.
inline constexpr wchar_t kViewClassName[] = L"IconEditor-ViewWindow";

// Registers the view class once: double clicks, redrawing on a change of
// size, the arrow cursor, and a hollow class brush, since every view paints
// its whole update rectangle itself and an erase would only flicker. The
// main frame registers it before its views, and every view through
// createViewWindow, so the class is the same whichever comes first. True
// when the class exists afterwards.
bool registerViewClass();

// Registers the class and makes view's window of it: a child of parent with
// the given style and control id, at rect. False when either fails.
bool createViewWindow(Window& view, const Window& parent, const RECT& rect, DWORD style, int id);

} // namespace tessaly
