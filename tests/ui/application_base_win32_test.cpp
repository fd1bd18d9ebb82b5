#include "ui/application_base_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

constexpr UINT kProbe = WM_APP + 1;

// Records what the loop does and ends it by posting WM_QUIT from a pumped
// message or from an idle call.
class ProbeApplication final : public ApplicationBase {
public:
    bool initResult = true;
    int initCalls = 0;
    int exitCalls = 0;
    int idleCalls = 0;
    int quitAfterIdleCalls = -1; // post WM_QUIT on this idle call
    bool idleResult = false;
    std::vector<WPARAM> pumped;

protected:
    bool initInstance() override
    {
        ++initCalls;
        return initResult;
    }
    void exitInstance() override { ++exitCalls; }
    void pumpMessage(const MSG& message) override
    {
        if (message.message == kProbe) {
            pumped.push_back(message.wParam);
            if (message.wParam == 99)
                PostQuitMessage(7);
        }
        ApplicationBase::pumpMessage(message);
    }
    bool onIdle() override
    {
        ++idleCalls;
        if (idleCalls == quitAfterIdleCalls)
            PostQuitMessage(3);
        return idleResult;
    }
};

void drainQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(ApplicationBase, FailedStartUpReturnsOneWithoutLoopOrExit)
{
    drainQueue();
    ProbeApplication app;
    app.initResult = false;
    PostThreadMessageW(GetCurrentThreadId(), kProbe, 1, 0);
    EXPECT_EQ(app.run(GetModuleHandleW(nullptr), L"ignored", SW_SHOWNORMAL), 1);
    EXPECT_EQ(app.initCalls, 1);
    EXPECT_EQ(app.exitCalls, 0);
    EXPECT_TRUE(app.pumped.empty());
    drainQueue();
}

TEST(ApplicationBase, PumpsMessagesInOrderAndReturnsTheQuitCode)
{
    drainQueue();
    ProbeApplication app;
    for (WPARAM w : {1, 2, 99, 4})
        PostThreadMessageW(GetCurrentThreadId(), kProbe, w, 0);
    EXPECT_EQ(app.run(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL), 7);
    // WM_QUIT is delivered only after the other posted messages.
    EXPECT_EQ(app.pumped, (std::vector<WPARAM>{1, 2, 99, 4}));
    EXPECT_EQ(app.exitCalls, 1);
    drainQueue();
}

TEST(ApplicationBase, CallsIdleWhenTheQueueIsEmpty)
{
    drainQueue();
    ProbeApplication app;
    app.idleResult = true; // keep polling instead of waiting
    app.quitAfterIdleCalls = 5;
    EXPECT_EQ(app.run(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL), 3);
    EXPECT_EQ(app.idleCalls, 5);
    EXPECT_EQ(app.exitCalls, 1);
}

TEST(ApplicationBase, StoresTheStartArguments)
{
    drainQueue();
    ProbeApplication app;
    app.quitAfterIdleCalls = 1;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    app.run(instance, L"file.ico", SW_SHOWMAXIMIZED);
    EXPECT_EQ(app.instance(), instance);
    EXPECT_STREQ(app.commandLine(), L"file.ico");
    EXPECT_EQ(app.showCommand(), SW_SHOWMAXIMIZED);
}

TEST(ApplicationBase, DispatchesWindowMessagesToTheirWindow)
{
    drainQueue();
    static int received = 0;
    received = 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == kProbe) {
            received = static_cast<int>(wParam);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TessalyLoopProbe";
    ASSERT_TRUE(RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    // A message-only window needs no display.
    HWND window = CreateWindowExW(0, L"TessalyLoopProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, kProbe, 42, 0);
    ProbeApplication app;
    EXPECT_EQ(app.run(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL), 0);
    EXPECT_EQ(received, 42);
    DestroyWindow(window);
}

} // namespace
} // namespace tessaly
