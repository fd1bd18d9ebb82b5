#pragma once

#include <windows.h>

#include "ui/window_class_win32.h"

namespace tessaly::test {

// The framework class the ui tests make their windows of, registered once.
inline const wchar_t* testWindowClass()
{
    static const bool registered =
        registerWindowClass(L"TessalyTestWindow", CS_DBLCLKS, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), nullptr);
    return registered ? L"TessalyTestWindow" : nullptr;
}

} // namespace tessaly::test
