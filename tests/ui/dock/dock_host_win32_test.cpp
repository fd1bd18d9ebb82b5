#include "ui/dock/dock_host_win32.h"

#include <gtest/gtest.h>

#include "support/dock_workbench_win32.h"
#include "ui/dock/dock_bar_win32.h"
#include "ui/dock/dock_targets.h"

#include <ostream>

// Window rectangles compared and printed as such.
bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}
void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace tessaly {
namespace {

constexpr int kGap = DockBarModel::kSplitterWidth;

RECT windowOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A rectangle of the host's client area, in its client coordinates.
RECT inHost(const DockHost& host, HWND window)
{
    RECT r = windowOf(window);
    MapWindowPoints(nullptr, host.handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LPARAM packed(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

class DockHostTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bench.create(0, 0, 1000, 720)); }

    test::DockTestFrame& frame(int i) { return bench.frames[static_cast<std::size_t>(i)]; }
    RECT clientWindow() const { return windowOf(bench.host.clientWindow()->handle()); }

    // Where the user takes hold of a frame: its caption, or its grip when docked.
    POINT grip(const DockFrame& f)
    {
        const RECT w = windowOf(f.handle());
        POINT p{w.left + 5, w.top + 8};
        if (!f.isDocked()) {
            TITLEBARINFO title{};
            title.cbSize = sizeof title;
            EXPECT_TRUE(GetTitleBarInfo(f.handle(), &title));
            p = {title.rcTitleBar.left + 20, (title.rcTitleBar.top + title.rcTitleBar.bottom) / 2};
        }
        EXPECT_EQ(f.send(WM_NCHITTEST, 0, packed(p.x, p.y)), HTCAPTION);
        return p;
    }

    // Presses on the grip, moves by (dx, dy) and lets go, with the messages
    // the system sends (the frame holds the capture in between).
    void drag(DockFrame& f, int dx, int dy)
    {
        const POINT from = grip(f);
        f.send(WM_NCLBUTTONDOWN, HTCAPTION, packed(from.x, from.y));
        POINT to{from.x + dx, from.y + dy};
        ScreenToClient(f.handle(), &to);
        f.send(WM_MOUSEMOVE, MK_LBUTTON, packed(to.x, to.y));
        f.send(WM_LBUTTONUP, 0, packed(to.x, to.y));
    }

    // Drags a floating frame so that its window lands with its top left at (x, y).
    void dragFloatingTo(DockFrame& f, int x, int y)
    {
        ASSERT_FALSE(f.isDocked());
        const RECT w = windowOf(f.handle());
        drag(f, x - w.left, y - w.top);
    }

    void dockOnSide(DockFrame& f, DockSide side)
    {
        const RECT c = clientWindow();
        const RECT w = windowOf(f.handle());
        const int width = w.right - w.left;
        const int height = w.bottom - w.top;
        const int midX = (c.left + c.right - width) / 2;
        const int midY = (c.top + c.bottom - height) / 2;
        switch (side) {
        case DockSide::Left:
            return dragFloatingTo(f, c.left - 60, midY);
        case DockSide::Right:
            return dragFloatingTo(f, c.right + 60 - width, midY);
        case DockSide::Top:
            return dragFloatingTo(f, midX, c.top - 40);
        case DockSide::Bottom:
            return dragFloatingTo(f, midX, c.bottom + 40 - height);
        }
    }

    // Presses, moves and releases the left button on a bar, in its client coordinates.
    void dragOnBar(DockBar& bar, POINT from, POINT to)
    {
        bar.send(WM_LBUTTONDOWN, MK_LBUTTON, packed(from.x, from.y));
        bar.send(WM_MOUSEMOVE, MK_LBUTTON, packed(to.x, to.y));
        bar.send(WM_LBUTTONUP, 0, packed(to.x, to.y));
    }

    test::DockWorkbench bench;
};

TEST_F(DockHostTest, FramesDraggedOntoEachSideDockInNewBarsAtTheirDockedSize)
{
    const RECT area = [&] {
        RECT r{};
        bench.host.clientRect(r);
        return r;
    }();
    const struct {
        int frame;
        DockSide side;
    } drops[] = {{3, DockSide::Left}, {0, DockSide::Right}, {4, DockSide::Top}, {2, DockSide::Bottom}};
    for (const auto& drop : drops) {
        DockFrame& f = frame(drop.frame);
        const RECT made = f.creationRect();
        dockOnSide(f, drop.side);
        ASSERT_TRUE(f.isDocked()) << drop.frame;
        ASSERT_EQ(bench.host.barCount(drop.side), 1);
        DockBar& bar = bench.host.bar(drop.side, 0);
        EXPECT_EQ(f.bar(), &bar);
        EXPECT_EQ(GetParent(f.handle()), bar.handle());
        EXPECT_TRUE(bar.isVisible());
        // Docked at the size it was made with, across the bar.
        const RECT w = windowOf(f.handle());
        if (isHorizontal(drop.side))
            EXPECT_EQ(w.bottom - w.top, made.bottom - made.top) << drop.frame;
        else
            EXPECT_EQ(w.right - w.left, made.right - made.left) << drop.frame;
        const RECT b = inHost(bench.host, bar.handle());
        EXPECT_EQ(drop.side == DockSide::Left ? b.left : drop.side == DockSide::Right ? b.right - area.right
                  : drop.side == DockSide::Top ? b.top : b.bottom - area.bottom, 0);
    }
    // The client window keeps what the four bars leave.
    const auto thickness = [&](DockSide side) { return bench.host.barThickness(bench.host.bar(side, 0)); };
    EXPECT_EQ(thickness(DockSide::Left), 120 + kGap);
    EXPECT_EQ(thickness(DockSide::Top), 80 + 2 + kGap);
    EXPECT_EQ(inHost(bench.host, bench.host.clientWindow()->handle()),
              (RECT{thickness(DockSide::Left), thickness(DockSide::Top), area.right - thickness(DockSide::Right),
                    area.bottom - thickness(DockSide::Bottom)}));

    // A docked frame's non-client area is its grip and a thin border.
    DockFrame& tools = frame(3);
    RECT client{};
    tools.clientRect(client);
    const RECT w = windowOf(tools.handle());
    EXPECT_EQ(client.right, w.right - w.left - 12);
    EXPECT_EQ(client.bottom, w.bottom - w.top - GetSystemMetrics(SM_CYSMCAPTION) - 6);
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(tools.handle(), &inside);
    EXPECT_EQ(tools.send(WM_NCHITTEST, 0, packed(inside.x, inside.y)), HTCLIENT);
}

TEST_F(DockHostTest, DoubleClickFloatsADockedFrameAndDocksItBackIntoItsBar)
{
    DockFrame& f = frame(0);
    const RECT floating = windowOf(f.handle());
    dockOnSide(f, DockSide::Right);
    ASSERT_TRUE(f.isDocked());
    DockBar* bar = f.bar();
    const RECT docked = windowOf(f.handle());
    POINT at = grip(f);
    f.send(WM_NCLBUTTONDBLCLK, HTCAPTION, packed(at.x, at.y));
    EXPECT_FALSE(f.isDocked());
    EXPECT_EQ(windowOf(f.handle()), floating);
    EXPECT_EQ(GetAncestor(f.handle(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindow(f.handle(), GW_OWNER), bench.host.handle());
    // The bar stays, hidden, to take the frame back; the client window fills the room.
    ASSERT_EQ(bench.host.barCount(DockSide::Right), 1);
    EXPECT_FALSE(bar->isVisible());
    RECT area{};
    bench.host.clientRect(area);
    EXPECT_EQ(inHost(bench.host, bench.host.clientWindow()->handle()).right, area.right);

    at = grip(f);
    f.send(WM_NCLBUTTONDBLCLK, HTCAPTION, packed(at.x, at.y));
    EXPECT_TRUE(f.isDocked());
    EXPECT_EQ(f.bar(), bar);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(windowOf(f.handle()), docked);
    EXPECT_EQ(GetActiveWindow(), bench.host.handle());

    // Dragged off the host, it floats again where it was dropped.
    const RECT host = windowOf(bench.host.handle());
    const POINT from = grip(f);
    drag(f, host.right + 60 - from.x, 300 - from.y);
    EXPECT_FALSE(f.isDocked());
    EXPECT_GT(windowOf(f.handle()).left, host.right);
    EXPECT_EQ(bench.host.barCount(DockSide::Right), 1);
}

TEST_F(DockHostTest, TwoFramesInOneBarShareItAcrossASplitterAndTheSashSetsItsThickness)
{
    DockFrame& first = frame(0);
    DockFrame& second = frame(1);
    dockOnSide(first, DockSide::Right);
    ASSERT_TRUE(first.isDocked());
    DockBar& bar = *first.bar();
    // The second frame dropped on the bar's lower part goes below the first.
    const RECT b = windowOf(bar.handle());
    const RECT w = windowOf(second.handle());
    dragFloatingTo(second, b.left + 10 - (w.right - w.left) / 2, b.bottom - 100 - (w.bottom - w.top) / 2);
    ASSERT_TRUE(second.isDocked());
    ASSERT_EQ(second.bar(), &bar);
    EXPECT_EQ(bench.host.barCount(DockSide::Right), 1);
    RECT top = inHost(bench.host, first.handle());
    RECT bottom = inHost(bench.host, second.handle());
    EXPECT_EQ(bottom.top - top.bottom, kGap);
    EXPECT_EQ(top.left, bottom.left);

    // The splitter between them: 50 pixels up.
    RECT gap{top.left, top.bottom, top.right, bottom.top};
    MapWindowPoints(bench.host.handle(), bar.handle(), reinterpret_cast<POINT*>(&gap), 2);
    const int x = (gap.left + gap.right) / 2;
    dragOnBar(bar, {x, gap.top + 3}, {x, gap.top + 3 - 50});
    const RECT top2 = inHost(bench.host, first.handle());
    const RECT bottom2 = inHost(bench.host, second.handle());
    EXPECT_EQ(top2.bottom - top2.top, top.bottom - top.top - 50);
    EXPECT_EQ(bottom2.bottom - bottom2.top, bottom.bottom - bottom.top + 50);
    EXPECT_EQ(bottom2.top - top2.bottom, kGap);

    // The sash along the bar's inner (left) edge: 40 pixels wider.
    const int thickness = bench.host.barThickness(bar);
    dragOnBar(bar, {3, 100}, {3 - 40, 100});
    EXPECT_EQ(bench.host.barThickness(bar), thickness + 40);
    const RECT wider = inHost(bench.host, first.handle());
    EXPECT_EQ(wider.right - wider.left, top2.right - top2.left + 40);
    EXPECT_EQ(inHost(bench.host, bench.host.clientWindow()->handle()).right, inHost(bench.host, bar.handle()).left);
}

TEST_F(DockHostTest, SavedLayoutRestoresEveryFrameInAFreshHostAndADamagedOneReturnsThemWhereTheyWereMade)
{
    dockOnSide(frame(0), DockSide::Right);
    dockOnSide(frame(2), DockSide::Bottom);
    const RECT b = windowOf(frame(0).bar()->handle());
    const RECT w = windowOf(frame(1).handle());
    dragFloatingTo(frame(1), b.left + 10 - (w.right - w.left) / 2, b.top + 10);
    ASSERT_EQ(frame(1).bar(), frame(0).bar()); // above frame 0
    dockOnSide(frame(4), DockSide::Left);
    frame(4).show(SW_HIDE);     // docked and hidden
    dragFloatingTo(frame(3), 300, 200); // floating somewhere else
    ASSERT_FALSE(frame(3).isDocked());
    ByteWriter saved;
    bench.host.saveLayout(saved);

    test::DockWorkbench fresh;
    ASSERT_TRUE(fresh.create(0, 0, 1000, 720));
    ByteReader in(saved.data());
    ASSERT_TRUE(fresh.host.loadLayout(in));
    EXPECT_EQ(in.remaining(), 0u);
    for (std::size_t i = 0; i < 5; ++i) {
        const DockFrame& was = bench.frames[i];
        const DockFrame& now = fresh.frames[i];
        EXPECT_EQ(now.isDocked(), was.isDocked()) << i;
        EXPECT_EQ(now.isVisible(), was.isVisible()) << i;
        EXPECT_EQ(windowOf(now.handle()), windowOf(was.handle())) << i;
        EXPECT_EQ(now.floatingRect(), was.floatingRect()) << i;
    }
    for (const DockSide side : kDockSides)
        EXPECT_EQ(fresh.host.barCount(side), bench.host.barCount(side));
    EXPECT_EQ(windowOf(fresh.host.clientWindow()->handle()), clientWindow());
    ByteWriter again;
    fresh.host.saveLayout(again);
    EXPECT_EQ(again.data(), saved.data());

    // Cut short: every frame floats where it was made, shown.
    const std::vector<std::uint8_t> cut(saved.data().begin(), saved.data().begin() + 40);
    ByteReader damaged(cut);
    EXPECT_FALSE(fresh.host.loadLayout(damaged));
    for (const DockFrame& f : fresh.frames) {
        EXPECT_FALSE(f.isDocked());
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(windowOf(f.handle()), f.creationRect());
    }
    for (const DockSide side : kDockSides)
        EXPECT_EQ(fresh.host.barCount(side), 0);
}

TEST_F(DockHostTest, LosingTheCaptureEndsADragWithoutADropAndFreesTheCursor)
{
    DockFrame& f = frame(4);
    const RECT before = windowOf(f.handle());
    const POINT from = grip(f);
    f.send(WM_NCLBUTTONDOWN, HTCAPTION, packed(from.x, from.y));
    ASSERT_TRUE(f.dragging());
    EXPECT_EQ(GetCapture(), f.handle());
    POINT to{from.x - 100, from.y + 200}; // over the left side
    ScreenToClient(f.handle(), &to);
    f.send(WM_MOUSEMOVE, MK_LBUTTON, packed(to.x, to.y));
    // The outline shows where a new left bar would take the frame.
    HWND outline = FindWindowW(L"DockOutlineWindow", nullptr);
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(IsWindowVisible(outline));
    EXPECT_TRUE(GetWindowLongPtrW(outline, GWL_EXSTYLE) & WS_EX_LAYERED);
    const RECT c = clientWindow();
    EXPECT_EQ(windowOf(outline), (RECT{c.left, c.top, c.left + f.sizes().dockedWidth, c.bottom}));
    ReleaseCapture();
    EXPECT_FALSE(f.dragging());
    EXPECT_FALSE(IsWindowVisible(outline));
    f.send(WM_LBUTTONUP, 0, packed(to.x, to.y));
    EXPECT_FALSE(f.isDocked());
    EXPECT_EQ(windowOf(f.handle()), before);
    RECT clip{};
    GetClipCursor(&clip);
    EXPECT_EQ(clip, (RECT{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)}));
}

TEST_F(DockHostTest, MenuKeysOfAToolWindowReachTheHostAndADisabledHostDisablesItsFrames)
{
    DockFrame& floating = frame(1);
    floating.send(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    floating.send(WM_SYSCOMMAND, SC_MOUSEMENU, 0);
    EXPECT_EQ(bench.host.systemCommands, (std::vector<WPARAM>{SC_KEYMENU, SC_MOUSEMENU}));
    EXPECT_EQ(GetActiveWindow(), bench.host.handle());

    dockOnSide(frame(3), DockSide::Left);
    const POINT onGrip = grip(frame(3));
    EnableWindow(bench.host.handle(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(floating.handle()));
    EXPECT_EQ(frame(3).send(WM_NCHITTEST, 0, packed(onGrip.x, onGrip.y)), HTNOWHERE);
    EnableWindow(bench.host.handle(), TRUE);
    EXPECT_TRUE(IsWindowEnabled(floating.handle()));
    EXPECT_EQ(frame(3).send(WM_NCHITTEST, 0, packed(onGrip.x, onGrip.y)), HTCAPTION);
}

// Sizing a floating frame by its border, down to no less than its minimum.
TEST_F(DockHostTest, BordersSizeAFloatingFrameAndTheMinimumHolds)
{
    DockFrame& f = frame(2);
    f.setMinimumSize(150, 100);
    const RECT w = windowOf(f.handle());
    const POINT corner{w.right - 2, w.bottom - 2};
    ASSERT_EQ(f.send(WM_NCHITTEST, 0, packed(corner.x, corner.y)), HTBOTTOMRIGHT);
    f.send(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, packed(corner.x, corner.y));
    POINT to{corner.x - 1000, corner.y + 30};
    ScreenToClient(f.handle(), &to);
    f.send(WM_MOUSEMOVE, MK_LBUTTON, packed(to.x, to.y));
    f.send(WM_LBUTTONUP, 0, packed(to.x, to.y));
    EXPECT_EQ(windowOf(f.handle()), (RECT{w.left, w.top, w.left + 150, w.bottom + 30}));
    EXPECT_EQ(f.floatingRect(), windowOf(f.handle()));
}

TEST_F(DockHostTest, StatusBarAndClientWindowTakeTheirPlacesAndFramesMayGoBeforeTheHost)
{
    DockHost& host = bench.host;
    RECT area{};
    host.clientRect(area);
    Window status;
    ASSERT_TRUE(status.create(test::DockTestHost::kClassName, L"", WS_CHILD | WS_VISIBLE, 0, area.bottom - 22,
                              area.right, 22, &host, nullptr));
    host.setStatusBar(status.handle());
    dockOnSide(frame(2), DockSide::Bottom);
    // The bottom bar sits on the status bar.
    EXPECT_EQ(inHost(host, host.bar(DockSide::Bottom, 0).handle()).bottom, area.bottom - 22);

    // A view takes the placeholder's place and size; the placeholder goes.
    HWND placeholder = host.clientWindow()->handle();
    const RECT place = inHost(host, placeholder);
    Window view;
    ASSERT_TRUE(view.create(test::DockTestHost::kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, &host, nullptr));
    host.setClientWindow(&view);
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(inHost(host, view.handle()), place);

    // A docked frame destroyed leaves its bar empty and hidden; the next drop clears it.
    DockBar& bottom = host.bar(DockSide::Bottom, 0);
    frame(2).destroy();
    EXPECT_EQ(host.frameCount(), 4);
    EXPECT_FALSE(bottom.isVisible());
    EXPECT_EQ(inHost(host, view.handle()).bottom, area.bottom - 22);
    dockOnSide(frame(0), DockSide::Right);
    EXPECT_EQ(host.barCount(DockSide::Bottom), 0);

    // The host destroyed first takes its docked and floating frames with it.
    host.setClientWindow(nullptr);
    host.destroy();
    for (const DockFrame& f : bench.frames)
        EXPECT_EQ(f.handle(), nullptr);
}

} // namespace
} // namespace tessaly
