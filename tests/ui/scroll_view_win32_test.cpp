#include "ui/scroll_view_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_window_class_win32.h"

namespace tessaly {
namespace {

// A scroll view that records the mouse moves it receives, then handles every
// message as the base does.
class TestView final : public ScrollView {
public:
    struct Move {
        WPARAM keys;
        int x;
        int y;
    };

    std::vector<Move> moves;

    ~TestView() override { destroy(); }

    bool createView()
    {
        if (!create(test::testWindowClass(), L"", WS_POPUP | WS_HSCROLL | WS_VSCROLL, 100, 100, 300, 200, nullptr,
                    nullptr))
            return false;
        setContentSize(1000, 800);
        return true;
    }

    RECT client() const
    {
        RECT rect{};
        clientRect(rect);
        return rect;
    }

    LRESULT wheel(int delta)
    {
        return send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    }

    void mouse(UINT message, int x, int y)
    {
        send(message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
             MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEMOVE)
            moves.push_back({wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return ScrollView::handleMessage(message, wParam, lParam);
    }
};

// Puts the system cursor at a point of the view's client area.
void placeCursor(const TestView& view, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(view.handle(), &point);
    SetCursorPos(point.x, point.y);
    POINT actual{};
    GetCursorPos(&actual);
    ASSERT_EQ(actual.x, point.x);
    ASSERT_EQ(actual.y, point.y);
}

int maxX(const TestView& view)
{
    return view.contentWidth() - view.client().right;
}
int maxY(const TestView& view)
{
    return view.contentHeight() - view.client().bottom;
}

TEST(ScrollView, NegativeContentSizeCountsAsZero)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.scrollTo(50, 50);
    view.setContentSize(-5, 10);
    EXPECT_EQ(view.contentWidth(), 0);
    EXPECT_EQ(view.contentHeight(), 10);
    EXPECT_EQ(view.scrollPosition().x, 0);
    EXPECT_EQ(view.scrollPosition().y, 0);
}

TEST(ScrollView, PagesFollowTheClientArea)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(view.handle(), SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 999);
    EXPECT_EQ(static_cast<LONG>(info.nPage), view.client().right);
    ASSERT_TRUE(GetScrollInfo(view.handle(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 799);
    EXPECT_EQ(static_cast<LONG>(info.nPage), view.client().bottom);
    // Both bars are needed, so the client area is smaller than the window.
    EXPECT_LT(view.client().right, 300);
    EXPECT_LT(view.client().bottom, 200);
}

// A view whose content grows taller as it gets narrower, laid out again on
// every size change, as the palette window's grid is.
class ReflowingView final : public ScrollView {
public:
    int fullWidth = 0;
    int fittingHeight = 0;
    ~ReflowingView() override { destroy(); }
    void reflow(int width) { setContentSize(0, width < fullWidth ? 5 * fittingHeight : fittingHeight); }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = ScrollView::handleMessage(message, wParam, lParam);
        if (message == WM_SIZE && fullWidth > 0)
            reflow(LOWORD(lParam));
        return result;
    }
};

TEST(ScrollView, ContentThatFitsAfterSmallerContentShowsNoBar)
{
    // The system clamps a page to the range it is set with. A page kept from
    // content one pixel high showed a bar for a moment when content that
    // fits came, and content that reflows on the narrower size then kept it.
    ReflowingView view;
    ASSERT_TRUE(view.create(test::testWindowClass(), L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 100, 300, 200,
                            nullptr, nullptr));
    view.setContentSize(0, 1);
    RECT client{};
    view.clientRect(client);
    ASSERT_EQ(client.right, 300);
    view.fullWidth = 300;
    view.fittingHeight = client.bottom - 10;
    view.reflow(300);
    view.clientRect(client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(view.contentHeight(), view.fittingHeight);
}

TEST(ScrollView, ScrollToClampsToTheContentAndMatchesTheBars)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.scrollTo(5000, 5000);
    EXPECT_EQ(view.scrollPosition().x, maxX(view));
    EXPECT_EQ(view.scrollPosition().y, maxY(view));
    EXPECT_EQ(GetScrollPos(view.handle(), SB_HORZ), view.scrollPosition().x);
    EXPECT_EQ(GetScrollPos(view.handle(), SB_VERT), view.scrollPosition().y);
    view.scrollTo(-40, 30);
    EXPECT_EQ(view.scrollPosition().x, 0);
    EXPECT_EQ(view.scrollPosition().y, 30);
}

TEST(ScrollView, BarCodesMoveByLinePageAndToTheEnds)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    const int page = view.client().right;
    auto horizontal = [&](int code) {
        view.send(WM_HSCROLL, MAKEWPARAM(code, 0), 0);
        return view.scrollPosition().x;
    };
    EXPECT_EQ(horizontal(SB_LINERIGHT), 8);
    EXPECT_EQ(horizontal(SB_PAGERIGHT), 8 + page);
    EXPECT_EQ(horizontal(SB_LINELEFT), page);
    EXPECT_EQ(horizontal(SB_PAGELEFT), 0);
    EXPECT_EQ(horizontal(SB_LINELEFT), 0);
    EXPECT_EQ(horizontal(SB_RIGHT), maxX(view));
    EXPECT_EQ(horizontal(SB_LINERIGHT), maxX(view));
    EXPECT_EQ(horizontal(SB_ENDSCROLL), maxX(view));
    EXPECT_EQ(horizontal(SB_THUMBPOSITION), maxX(view));
    EXPECT_EQ(horizontal(SB_LEFT), 0);

    view.send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(view.scrollPosition().y, 8);
    view.send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(view.scrollPosition().y, maxY(view));
    EXPECT_EQ(view.scrollPosition().x, 0);
    view.send(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    EXPECT_EQ(view.scrollPosition().y, maxY(view) - view.client().bottom);
}

TEST(ScrollView, GrowingTheWindowPullsThePositionBack)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.scrollTo(5000, 5000);
    ASSERT_TRUE(view.setPosition(nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_EQ(view.scrollPosition().x, maxX(view));
    EXPECT_EQ(view.scrollPosition().y, maxY(view));
    EXPECT_GT(view.client().right, 500);
    // Content that fits needs no bar and no scrolling at all.
    ASSERT_TRUE(view.setPosition(nullptr, 0, 0, 1100, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_EQ(view.scrollPosition().x, 0);
    EXPECT_EQ(view.scrollPosition().y, 0);
    EXPECT_EQ(GetWindowLongPtrW(view.handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST(ScrollView, WheelScrollsWholeUnitsAndAlwaysSendsAMouseMove)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.scrollTo(0, 100);
    ASSERT_NO_FATAL_FAILURE(placeCursor(view, 50, 40));

    EXPECT_EQ(view.wheel(60), 1);
    EXPECT_EQ(view.scrollPosition().y, 100);
    ASSERT_EQ(view.moves.size(), 1u);
    EXPECT_EQ(view.moves[0].keys, 0u);
    EXPECT_EQ(view.moves[0].x, 50);
    EXPECT_EQ(view.moves[0].y, 40);

    EXPECT_EQ(view.wheel(-240), 1);
    EXPECT_EQ(view.scrollPosition().y, 116);
    EXPECT_EQ(view.moves.size(), 2u);

    view.wheel(-119); // truncates to no step
    EXPECT_EQ(view.scrollPosition().y, 116);
    view.wheel(359); // two whole units up
    EXPECT_EQ(view.scrollPosition().y, 100);
    EXPECT_EQ(view.scrollPosition().x, 0);
    EXPECT_EQ(view.moves.size(), 4u);
}

TEST(ScrollView, DragPastAnEdgeRunsTheAutoScrollTimerUntilBackInside)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.setAutoScroll(true);
    view.scrollTo(100, 100);
    view.mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_TRUE(view.buttonHeld());
    EXPECT_EQ(GetCapture(), view.handle());

    view.mouse(WM_MOUSEMOVE, 30, 30);
    EXPECT_FALSE(view.autoScrollTimerRunning());
    view.mouse(WM_MOUSEMOVE, -5, 30);
    EXPECT_TRUE(view.autoScrollTimerRunning());
    view.mouse(WM_MOUSEMOVE, 30, 30);
    EXPECT_FALSE(view.autoScrollTimerRunning());
    // The native timer is gone as well.
    EXPECT_FALSE(KillTimer(view.handle(), ScrollView::kAutoScrollTimerId));

    // The right edge itself already counts as outside.
    view.mouse(WM_MOUSEMOVE, view.client().right, 30);
    EXPECT_TRUE(view.autoScrollTimerRunning());
    view.mouse(WM_LBUTTONUP, 30, 30);
    EXPECT_FALSE(view.autoScrollTimerRunning());
    EXPECT_FALSE(view.buttonHeld());
    EXPECT_NE(GetCapture(), view.handle());
    EXPECT_FALSE(KillTimer(view.handle(), ScrollView::kAutoScrollTimerId));
}

TEST(ScrollView, AutoScrollStartsARealOneMillisecondTimer)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.setAutoScroll(true);
    view.mouse(WM_RBUTTONDOWN, 20, 20);
    view.mouse(WM_MOUSEMOVE, 20, -3);
    ASSERT_TRUE(view.autoScrollTimerRunning());
    // Killing it succeeds only if the view really set timer 1000.
    EXPECT_TRUE(KillTimer(view.handle(), ScrollView::kAutoScrollTimerId));
    view.mouse(WM_RBUTTONUP, 20, 20);
}

TEST(ScrollView, TimerTickScrollsByTheStepAndRepeatsTheCursorMove)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.setAutoScroll(true);
    view.scrollTo(100, 100);
    view.mouse(WM_LBUTTONDOWN, 20, 20);
    ASSERT_NO_FATAL_FAILURE(placeCursor(view, -20, 30));
    view.mouse(WM_MOUSEMOVE, -20, 30);
    ASSERT_TRUE(view.autoScrollTimerRunning());
    view.moves.clear();

    view.send(WM_TIMER, ScrollView::kAutoScrollTimerId, 0);
    EXPECT_EQ(view.scrollPosition().x, 92);
    EXPECT_EQ(view.scrollPosition().y, 100);
    ASSERT_EQ(view.moves.size(), 1u);
    EXPECT_EQ(view.moves[0].keys, 0u);
    EXPECT_EQ(view.moves[0].x, -20);
    EXPECT_EQ(view.moves[0].y, 30);
    // Still outside: the drag goes on.
    EXPECT_TRUE(view.autoScrollTimerRunning());

    // Other timers are not the view's business.
    view.send(WM_TIMER, 7, 0);
    EXPECT_EQ(view.scrollPosition().x, 92);
    EXPECT_EQ(view.moves.size(), 1u);

    // Below and right of the client area both steps are positive.
    const RECT client = view.client();
    ASSERT_NO_FATAL_FAILURE(placeCursor(view, client.right + 5, client.bottom + 5));
    view.mouse(WM_MOUSEMOVE, client.right + 5, client.bottom + 5);
    view.send(WM_TIMER, ScrollView::kAutoScrollTimerId, 0);
    EXPECT_EQ(view.scrollPosition().x, 100);
    EXPECT_EQ(view.scrollPosition().y, 108);
    view.mouse(WM_LBUTTONUP, 0, 0);
}

TEST(ScrollView, DraggingWithoutAutoScrollOrButtonStartsNoTimer)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    view.mouse(WM_LBUTTONDOWN, 20, 20);
    view.mouse(WM_MOUSEMOVE, -5, 30); // auto-scroll not enabled
    EXPECT_FALSE(view.autoScrollTimerRunning());
    view.mouse(WM_LBUTTONUP, 20, 20);

    view.setAutoScroll(true);
    view.mouse(WM_MOUSEMOVE, -5, 30); // no button held
    EXPECT_FALSE(view.autoScrollTimerRunning());
    EXPECT_FALSE(KillTimer(view.handle(), ScrollView::kAutoScrollTimerId));
}

TEST(ScrollView, LosingTheCaptureEndsTheDrag)
{
    TestView view;
    ASSERT_TRUE(view.createView());
    TestView other;
    ASSERT_TRUE(other.createView());
    view.setAutoScroll(true);
    view.mouse(WM_LBUTTONDOWN, 20, 20);
    view.mouse(WM_MOUSEMOVE, -5, 30);
    ASSERT_TRUE(view.autoScrollTimerRunning());
    other.setCapture(true);
    EXPECT_FALSE(view.buttonHeld());
    EXPECT_FALSE(view.autoScrollTimerRunning());
    EXPECT_FALSE(KillTimer(view.handle(), ScrollView::kAutoScrollTimerId));
    other.setCapture(false);
}

} // namespace
} // namespace tessaly
