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

} // namespace tessaly
