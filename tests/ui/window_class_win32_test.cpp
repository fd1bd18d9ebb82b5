#include "ui/window_class_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/module_instance_win32.h"
#include "ui/window_win32.h"

namespace tessaly {
namespace {

WNDCLASSEXW classInfo(const wchar_t* name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    GetClassInfoExW(moduleInstance(), name, &info);
    return info;
}

TEST(RegisterWindowClass, RegistersWithTheFrameworkProcedure)
{
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    ASSERT_TRUE(registerWindowClass(L"TessalyClassPlain", CS_HREDRAW, nullptr, cross, nullptr, nullptr));
    const WNDCLASSEXW info = classInfo(L"TessalyClassPlain");
    EXPECT_EQ(info.lpfnWndProc, &Window::windowProcedure);
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW));
    EXPECT_EQ(info.hCursor, cross);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
}

TEST(RegisterWindowClass, ExistingClassSucceedsWithoutRegisteringAgain)
{
    ASSERT_TRUE(registerWindowClass(L"TessalyClassTwice", CS_DBLCLKS, nullptr, nullptr, nullptr, nullptr));
    // A second registration with other settings changes nothing.
    EXPECT_TRUE(registerWindowClass(L"TessalyClassTwice", CS_VREDRAW, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(classInfo(L"TessalyClassTwice").style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_TRUE(registerWindowClass(L"TessalyClassTwice", CS_VREDRAW, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(classInfo(L"TessalyClassTwice").style, static_cast<UINT>(CS_DBLCLKS));
}

TEST(RegisterWindowClass, ExtendedFormKeepsTheSmallIcon)
{
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    HICON small = LoadIconW(nullptr, IDI_INFORMATION);
    ASSERT_TRUE(registerWindowClass(L"TessalyClassExtended", 0, icon, nullptr, nullptr, nullptr, small));
    const WNDCLASSEXW info = classInfo(L"TessalyClassExtended");
    EXPECT_EQ(info.lpfnWndProc, &Window::windowProcedure);
    EXPECT_EQ(info.hIcon, icon);
    EXPECT_EQ(info.hIconSm, small);
}

TEST(RegisterWindowClass, RefusesNamesThatCannotBeAClass)
{
    // Class names are atoms, which hold at most 255 characters.
    const std::wstring longest(255, L'x');
    const std::wstring tooLong(256, L'y');
    EXPECT_TRUE(registerWindowClass(longest.c_str(), 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(registerWindowClass(tooLong.c_str(), 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(registerWindowClass(tooLong.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(registerWindowClass(L"", 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(registerWindowClass(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
}

} // namespace
} // namespace tessaly
