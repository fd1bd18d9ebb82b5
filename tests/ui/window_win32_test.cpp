#include "ui/window_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "test_window_class_win32.h"

namespace tessaly {
namespace {

constexpr UINT kProbe = WM_APP + 7;

// Records every message that reaches the object, with the handle the object
// had at that moment.
class RecordingWindow final : public Window {
public:
    struct Event {
        UINT message;
        HWND handle;
    };

    std::vector<Event> events;
    LRESULT createAnswer = 0;
    LRESULT probeAnswer = 0;

    ~RecordingWindow() override { destroy(); }

    bool createPopup(int x = 100, int y = 100, int width = 200, int height = 150)
    {
        return create(test::testWindowClass(), L"probe", WS_POPUP, x, y, width, height, nullptr, nullptr);
    }

    bool received(UINT message) const
    {
        return std::any_of(events.begin(), events.end(), [&](const Event& e) { return e.message == message; });
    }

    const Event* find(UINT message) const
    {
        auto it = std::find_if(events.begin(), events.end(), [&](const Event& e) { return e.message == message; });
        return it == events.end() ? nullptr : &*it;
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        events.push_back({message, handle()});
        if (message == WM_CREATE)
            return createAnswer;
        if (message == kProbe)
            return probeAnswer;
        return Window::handleMessage(message, wParam, lParam);
    }
};

TEST(Window, MessagesBeforeCreateNeverReachTheObject)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    ASSERT_FALSE(window.events.empty());
    EXPECT_EQ(window.events.front().message, static_cast<UINT>(WM_CREATE));
    EXPECT_FALSE(window.received(WM_NCCREATE));
    // WM_NCCREATE got the default treatment, which sets the title.
    wchar_t title[16] = {};
    GetWindowTextW(window.handle(), title, 16);
    EXPECT_STREQ(title, L"probe");
}

TEST(Window, HandleIsSetFromCreateThroughDestroy)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    const HWND native = window.handle();
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(window.find(WM_CREATE)->handle, native);
    // The object sits in the pointer-sized user-data slot.
    EXPECT_EQ(GetWindowLongPtrW(native, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));

    EXPECT_TRUE(window.destroy());
    const RecordingWindow::Event* destroyEvent = window.find(WM_DESTROY);
    ASSERT_NE(destroyEvent, nullptr);
    EXPECT_EQ(destroyEvent->handle, native);
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_FALSE(IsWindow(native));
    // WM_NCDESTROY comes after the unbinding and goes to the default.
    EXPECT_FALSE(window.received(WM_NCDESTROY));
    EXPECT_EQ(window.events.back().message, static_cast<UINT>(WM_DESTROY));
    EXPECT_FALSE(window.destroy());
}

TEST(Window, CreateAnsweredWithMinusOneFailsAndLeavesNoHandle)
{
    RecordingWindow window;
    window.createAnswer = -1;
    EXPECT_FALSE(window.createPopup());
    EXPECT_EQ(window.handle(), nullptr);
    ASSERT_TRUE(window.received(WM_CREATE));
    EXPECT_NE(window.find(WM_CREATE)->handle, nullptr);

    // The same object can be created again afterwards.
    window.createAnswer = 0;
    window.events.clear();
    EXPECT_TRUE(window.createPopup());
    EXPECT_NE(window.handle(), nullptr);
}

TEST(Window, CreateIsRefusedWhileAWindowIsBound)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    const HWND first = window.handle();
    window.events.clear();
    EXPECT_FALSE(window.createPopup());
    EXPECT_EQ(window.handle(), first);
    EXPECT_TRUE(window.events.empty());
}

TEST(Window, HandlerResultsAreReturnedUnchanged)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    for (LRESULT answer : {LRESULT{0}, LRESULT{-7}, static_cast<LRESULT>(0x123456789ABCll)}) {
        window.probeAnswer = answer;
        EXPECT_EQ(window.send(kProbe, 0, 0), answer);
    }
}

TEST(Window, DestructorDestroysTheBoundWindow)
{
    HWND native = nullptr;
    {
        RecordingWindow window;
        ASSERT_TRUE(window.createPopup());
        native = window.handle();
        EXPECT_TRUE(IsWindow(native));
    }
    EXPECT_FALSE(IsWindow(native));
}

TEST(Window, ClosingFromOutsideUnbindsTheObject)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    const HWND native = window.handle();
    // WM_CLOSE's default destroys the window behind the object's back.
    window.send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_FALSE(window.destroy());
}

TEST(Window, RectangleFormTakesSizeFromTheCorners)
{
    RecordingWindow window;
    ASSERT_TRUE(window.create(test::testWindowClass(), L"", WS_POPUP, RECT{30, 40, 130, 90}, nullptr, nullptr));
    RECT rect{};
    ASSERT_TRUE(window.windowRect(rect));
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 130);
    EXPECT_EQ(rect.bottom, 90);

    ASSERT_TRUE(window.setPosition(nullptr, RECT{10, 20, 60, 100}, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(window.clientRect(rect));
    EXPECT_EQ(rect.right, 50);
    EXPECT_EQ(rect.bottom, 80);
}

TEST(Window, ChildTakesItsParentAndIdentifier)
{
    RecordingWindow parent;
    ASSERT_TRUE(parent.createPopup());
    RecordingWindow child;
    ASSERT_TRUE(child.create(test::testWindowClass(), L"", WS_CHILD, 0, 0, 10, 10, &parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(77))));
    EXPECT_EQ(GetParent(child.handle()), parent.handle());
    EXPECT_EQ(child.getWindowLong(GWLP_ID), 77);
}

TEST(Window, ConvertsBothCornersBetweenScreenAndClient)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup(100, 50, 200, 150));
    RECT rect{1, 2, 11, 12};
    ASSERT_TRUE(window.clientToScreen(rect));
    EXPECT_EQ(rect.left, 101);
    EXPECT_EQ(rect.top, 52);
    EXPECT_EQ(rect.right, 111);
    EXPECT_EQ(rect.bottom, 62);
    ASSERT_TRUE(window.screenToClient(rect));
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 12);
}

TEST(Window, CaptureIsReleasedOnlyByTheWindowHoldingIt)
{
    RecordingWindow holder;
    RecordingWindow other;
    ASSERT_TRUE(holder.createPopup());
    ASSERT_TRUE(other.createPopup());
    holder.setCapture(true);
    EXPECT_EQ(GetCapture(), holder.handle());
    other.setCapture(false);
    EXPECT_EQ(GetCapture(), holder.handle());
    holder.setCapture(false);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Window, ForwardersUsePointerSizedSlots)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    EXPECT_EQ(window.getWindowLong(GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));
    EXPECT_EQ(window.getClassLong(GCLP_WNDPROC), reinterpret_cast<ULONG_PTR>(&Window::windowProcedure));
    EXPECT_EQ(window.getClassLong(GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));

    const LONG_PTR style = window.getWindowLong(GWL_STYLE);
    window.setWindowLong(GWL_STYLE, style | WS_BORDER);
    EXPECT_NE(window.getWindowLong(GWL_STYLE) & WS_BORDER, 0);
}

TEST(Window, ShowsAndTitlesTheWindow)
{
    RecordingWindow window;
    ASSERT_TRUE(window.createPopup());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.show(SW_SHOWNOACTIVATE)); // was hidden before
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.update());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(window.isMaximized());
    EXPECT_TRUE(window.setText(L"アイコン"));
    wchar_t title[16] = {};
    GetWindowTextW(window.handle(), title, 16);
    EXPECT_STREQ(title, L"アイコン");
}

TEST(Window, OperationsWithoutAWindowFail)
{
    RecordingWindow window;
    RECT rect{};
    EXPECT_FALSE(window.destroy());
    EXPECT_FALSE(window.windowRect(rect));
    EXPECT_FALSE(window.setText(L"x"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.events.empty());
}

} // namespace
} // namespace tessaly
