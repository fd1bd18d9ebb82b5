#include "ui/window_class_win32.h"

#include <cstddef>
#include <cwchar>

#include "ui/module_instance_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

namespace {

// Class names are atoms of at most 255 characters. Longer ones are refused
// here: some systems corrupt memory on them instead of failing.
constexpr std::size_t kMaxClassNameLength = 255;

bool usableClassName(const wchar_t* className)
{
    return className && className[0] != L'\0' && wcsnlen(className, kMaxClassNameLength + 1) <= kMaxClassNameLength;
}

} // namespace

bool registerWindowClass(const wchar_t* className, UINT style, HICON icon, HCURSOR cursor, HBRUSH background,
                         const wchar_t* menuName)
{
    if (!usableClassName(className))
        return false;
    WNDCLASSW existing{};
    if (GetClassInfoW(moduleInstance(), className, &existing))
        return true;
    WNDCLASSW windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = &Window::windowProcedure;
    windowClass.hInstance = moduleInstance();
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = menuName;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass) != 0;
}

bool registerWindowClass(const wchar_t* className, UINT style, HICON icon, HCURSOR cursor, HBRUSH background,
                         const wchar_t* menuName, HICON smallIcon)
{
    if (!usableClassName(className))
        return false;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(moduleInstance(), className, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = &Window::windowProcedure;
    windowClass.hInstance = moduleInstance();
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = menuName;
    windowClass.lpszClassName = className;
    windowClass.hIconSm = smallIcon;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace tessaly
