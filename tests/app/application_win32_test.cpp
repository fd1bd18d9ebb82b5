#include "app/application_win32.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

Application* g_running = nullptr;

// Closes the running program's main window from inside its message loop, as
// the user's close box would.
void CALLBACK closeMainFrame(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_running && g_running->mainFrame().handle())
        PostMessageW(g_running->mainFrame().handle(), WM_CLOSE, 0, 0);
}

TEST(Application, RunsUntilTheMainFrameIsClosed)
{
    Application application;
    g_running = &application;
    ASSERT_NE(SetTimer(nullptr, 0, 1, &closeMainFrame), 0u);
    EXPECT_EQ(application.run(GetModuleHandleW(nullptr), L"", SW_HIDE), 0);
    EXPECT_EQ(application.mainFrame().handle(), nullptr);
    g_running = nullptr;
}

} // namespace
} // namespace tessaly
