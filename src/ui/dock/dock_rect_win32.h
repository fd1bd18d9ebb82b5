#pragma once

#include <windows.h>

#include "ui/dock/dock_rect.h"

namespace tessaly {

inline RECT toRect(const DockRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline DockRect toDockRect(const RECT& r)
{
    return DockRect{r.left, r.top, r.right, r.bottom};
}

// The window's title bar in its own window coordinates (as a window DC sees
// it); false when it has none.
inline bool titleBarInWindow(HWND window, RECT& caption)
{
    TITLEBARINFO title{};
    title.cbSize = sizeof title;
    RECT place{};
    if (!GetTitleBarInfo(window, &title) || !GetWindowRect(window, &place) || IsRectEmpty(&title.rcTitleBar))
        return false;
    caption = title.rcTitleBar;
    OffsetRect(&caption, -place.left, -place.top);
    return true;
}

} // namespace tessaly
