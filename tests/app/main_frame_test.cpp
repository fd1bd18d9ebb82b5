#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring title(HWND window)
{
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

void drainQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(MainFrame, IsAFrameworkWindowOfTheMainFrameClass)
{
    MainFrame frame;
    ASSERT_TRUE(frame.create());
    EXPECT_EQ(className(frame.handle()), L"IconEditor-MainFrame");
    EXPECT_EQ(title(frame.handle()), L"Tessaly");
    EXPECT_EQ(GetWindowLongPtrW(frame.handle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&frame));
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.create());
    frame.destroy();
    drainQueue();
}

TEST(MainFrame, ClosingItAsksTheLoopToQuit)
{
    drainQueue();
    MainFrame frame;
    ASSERT_TRUE(frame.create());
    frame.send(WM_CLOSE, 0, 0);
    EXPECT_EQ(frame.handle(), nullptr);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(MainFrame, CanBeMadeAgainAfterClosing)
{
    MainFrame frame;
    ASSERT_TRUE(frame.create());
    frame.send(WM_CLOSE, 0, 0);
    drainQueue();
    EXPECT_TRUE(frame.create());
    EXPECT_NE(frame.handle(), nullptr);
    frame.destroy();
    drainQueue();
}

} // namespace
} // namespace tessaly
