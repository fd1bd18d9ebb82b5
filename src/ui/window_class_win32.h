#pragma once

#include <windows.h>

namespace tessaly {

// Registers a window class of this module whose windows route through the
// framework's window procedure (Window::windowProcedure), with no extra class
// or window bytes. A class that already exists is kept as it is, not
// registered again. True when the class exists afterwards.
bool registerWindowClass(const wchar_t* className, UINT style, HICON icon, HCURSOR cursor, HBRUSH background,
                         const wchar_t* menuName);

// The same with a small icon (the extended class form).
bool registerWindowClass(const wchar_t* className, UINT style, HICON icon, HCURSOR cursor, HBRUSH background,
                         const wchar_t* menuName, HICON smallIcon);

} // namespace tessaly
