#include "ui/view_class_win32.h"

#include "ui/window_win32.h"
#include "ui/window_class_win32.h"

namespace tessaly {

bool registerViewClass()
{
    return registerWindowClass(kViewClassName, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, nullptr,
                               LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)),
                               nullptr);
}

bool createViewWindow(Window& view, const Window& parent, const RECT& rect, DWORD style, int id)
{
    return registerViewClass() &&
           view.create(kViewClassName, L"", style, rect, &parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

} // namespace tessaly
