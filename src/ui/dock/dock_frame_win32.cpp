#include "ui/dock/dock_frame_win32.h"

#include "ui/dock/dock_bar_win32.h"
#include "ui/dock/dock_frame_geometry.h"
#include "ui/dock/dock_host_win32.h"
#include "ui/dock/dock_rect_win32.h"
#include "ui/module_instance_win32.h"
#include "ui/window_class_win32.h"

namespace tessaly {

static_assert(kDockHitCaption == HTCAPTION && kDockHitLeft == HTLEFT && kDockHitBottomRight == HTBOTTOMRIGHT);

DockFrame::~DockFrame()
{
    destroy();
}

bool DockFrame::registerClass()
{
    return registerWindowClass(kClassName, 0, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                               static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), nullptr, nullptr);
}

bool DockFrame::create(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
                       int height, DockHost& site)
{
    if (handle() || !site.handle())
        return false;
    m_site = &site;
    HWND created = CreateWindowExW(kExStyle, className, title, style, x, y, width, height, site.handle(), nullptr,
                                   moduleInstance(), static_cast<Window*>(this));
    if (!created)
        return false;
    if (!handle()) {
        // Not a framework class: nothing was bound, so leave no window behind.
        DestroyWindow(created);
        return false;
    }
    return true;
}

RECT DockFrame::floatingRect() const
{
    return RECT{m_floatingX, m_floatingY, m_floatingX + m_sizes.floatingWidth, m_floatingY + m_sizes.floatingHeight};
}

void DockFrame::setDockedSize(int width, int height)
{
    m_sizes.dockedWidth = width;
    m_sizes.dockedHeight = height;
}

void DockFrame::rememberFloatingRect(const RECT& rect)
{
    m_floatingX = rect.left;
    m_floatingY = rect.top;
    m_sizes.floatingWidth = rect.right - rect.left;
    m_sizes.floatingHeight = rect.bottom - rect.top;
}

void DockFrame::setMinimumSize(int width, int height)
{
    m_sizes.setMinimum(width, height);
    if (handle() && !m_docked)
        setPosition(nullptr, 0, 0, m_sizes.floatingWidth, m_sizes.floatingHeight,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool DockFrame::horizontalBar() const
{
    return m_bar && isHorizontal(m_bar->side());
}

void DockFrame::attachTo(HWND bar)
{
    m_previousParent = GetWindow(handle(), GW_OWNER);
    const LONG_PTR style = getWindowLong(GWL_STYLE);
    setWindowLong(GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
    SetParent(handle(), bar);
    setPosition(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void DockFrame::detachToOwner()
{
    SetParent(handle(), nullptr);
    const LONG_PTR style = getWindowLong(GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CHILD | WS_POPUP);
    setWindowLong(GWL_STYLE, style | (m_floatingStyle & WS_POPUP));
    HWND owner = m_previousParent ? m_previousParent : m_site->handle();
    setWindowLong(GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    setPosition(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool DockFrame::dock(DockBar& bar, const RECT& drop)
{
    if (!handle() || !bar.handle())
        return false;
    show(SW_HIDE);
    leaveBar();
    m_bar = &bar;
    m_docked = true;
    attachTo(bar.handle());
    bar.addFrame(*this, drop);
    show(SW_SHOWNA);
    return true;
}

void DockFrame::leaveBar()
{
    if (!m_bar)
        return;
    DockBar* bar = m_bar;
    if (m_docked) {
        show(SW_HIDE);
        m_docked = false;
        detachToOwner();
    }
    m_bar = nullptr;
    bar->removeFrame(*this);
}

void DockFrame::floatAt(const RECT& rect)
{
    if (!handle())
        return;
    const bool wasDocked = m_docked;
    if (wasDocked) {
        // Hidden first, so that the bar and the site make room while the
        // frame still belongs to the bar; the entry stays, invisible.
        show(SW_HIDE);
        if (m_bar)
            m_bar->setFrameVisible(*this, false);
        m_docked = false;
        detachToOwner();
    }
    setPosition(nullptr, rect, SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasDocked) {
        show(SW_SHOWNA);
        drawSmallCaption(m_site->isActive());
    }
}

void DockFrame::onCaptionDoubleClick()
{
    if (m_docked) {
        floatAt(floatingRect());
        return;
    }
    if (!m_bar)
        return;
    show(SW_HIDE);
    m_docked = true;
    attachTo(m_bar->handle());
    // Showing makes the entry visible again, which lays out the bar and the site.
    show(SW_SHOWNA);
    SetActiveWindow(m_site->handle());
}

void DockFrame::drawSmallCaption(bool active)
{
    if (!handle() || m_docked || !isVisible())
        return;
    RECT caption{};
    if (!titleBarInWindow(handle(), caption))
        return;
    HDC dc = GetWindowDC(handle());
    if (!dc)
        return;
    DrawCaption(handle(), dc, &caption, DC_GRADIENT | DC_TEXT | DC_SMALLCAP | (active ? DC_ACTIVE : 0));
    ReleaseDC(handle(), dc);
}

void DockFrame::paintDockedFrame()
{
    RECT window{};
    RECT client{};
    if (!windowRect(window) || !clientRect(client))
        return;
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    HDC dc = GetWindowDC(handle());
    if (!dc)
        return;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    for (const DockRect& line : dock_frame_geometry::gripLines(width, height, horizontalBar())) {
        RECT r = toRect(line);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    ReleaseDC(handle(), dc);
}

void DockFrame::onCreate(const CREATESTRUCTW& creation)
{
    m_creation = RECT{creation.x, creation.y, creation.x + creation.cx, creation.y + creation.cy};
    m_sizes = DockFrameSizes::fromCreation(creation.cx, creation.cy, GetSystemMetrics(SM_CXMIN),
                                           GetSystemMetrics(SM_CYMIN));
    m_floatingX = creation.x;
    m_floatingY = creation.y;
    m_floatingStyle = static_cast<DWORD>(getWindowLong(GWL_STYLE));
    m_number = m_site->joinFrames(*this);
}

void DockFrame::onDestroy()
{
    if (m_drag.active())
        cancelDrag();
    if (m_bar) {
        DockBar* bar = m_bar;
        m_bar = nullptr;
        bar->removeFrame(*this);
    }
    m_docked = false;
    if (m_site)
        m_site->leaveFrames(*this);
}

void DockFrame::onWindowPosChanged()
{
    RECT r{};
    if (!windowRect(r))
        return;
    if (!m_docked) {
        rememberFloatingRect(r);
        return;
    }
    if (!m_bar)
        return;
    if (horizontalBar())
        m_sizes.dockedHeight = r.bottom - r.top;
    else
        m_sizes.dockedWidth = r.right - r.left;
}

LRESULT DockFrame::onNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    if (!m_docked)
        return defaultProcess(WM_NCCALCSIZE, wParam, lParam);
    // Both forms start with the window rectangle, which becomes the client's.
    RECT* rect = reinterpret_cast<RECT*>(lParam);
    *rect = toRect(dock_frame_geometry::dockedClientArea(toDockRect(*rect), horizontalBar(),
                                                          GetSystemMetrics(SM_CYSMCAPTION)));
    return 0;
}

LRESULT DockFrame::onNcHitTest(LPARAM lParam)
{
    if (m_site && !IsWindowEnabled(m_site->handle()))
        return HTNOWHERE;
    if (!m_docked)
        return defaultProcess(WM_NCHITTEST, 0, lParam);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    clientRect(client);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Everything around the client area, the grip above all, drags the frame.
    return PtInRect(&client, p) ? HTCLIENT : HTCAPTION;
}

POINT DockFrame::toScreen(LPARAM clientPoint) const
{
    POINT p{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(handle(), &p);
    return p;
}

bool DockFrame::beginDrag(int hitCode, POINT screen)
{
    RECT window{};
    if (!m_site || !windowRect(window))
        return false;
    if (!m_drag.begin(hitCode, {screen.x, screen.y}, toDockRect(window), m_sizes))
        return false;
    RECT workArea{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        ClipCursor(&workArea);
    setCapture(true);
    m_outline.show(window, DockOutline::Look::Floating);
    return true;
}

void DockFrame::followDrag(POINT screen)
{
    if (!m_drag.follow({screen.x, screen.y}, m_site->targetsFor(*this)))
        return;
    const DockOutlineShape& outline = m_drag.outline();
    m_outline.show(toRect(outline.rect), outline.docking ? DockOutline::Look::Docking : DockOutline::Look::Floating);
}

void DockFrame::finishDrag(POINT screen)
{
    m_outline.hide();
    const DockPoint at{screen.x, screen.y};
    m_drag.follow(at, m_site->targetsFor(*this));
    const bool moved = m_drag.moved();
    const DockDrag::Mode mode = m_drag.mode();
    const RECT drop = toRect(m_drag.floatingRectAt(at));
    const RECT sized = toRect(m_drag.outline().rect);
    // Ended before the capture goes, so that losing it is not taken for a cancel.
    m_drag.end();
    ClipCursor(nullptr);
    setCapture(false);
    if (!moved)
        return;
    if (mode == DockDrag::Mode::Moving)
        m_site->dropFrame(*this, drop);
    else
        setPosition(nullptr, sized, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DockFrame::cancelDrag()
{
    // The capture went elsewhere mid-drag (another window took it, or the
    // system cancelled the mode): no drop, and the cursor is free again.
    m_outline.hide();
    m_drag.end();
    ClipCursor(nullptr);
}

LRESULT DockFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_SHOWWINDOW:
        // Only ShowWindow's own calls; lParam names the owner's reasons.
        if (m_docked && m_bar && lParam == 0)
            m_bar->setFrameVisible(*this, wParam != FALSE);
        break;
    case WM_MOUSEACTIVATE:
        if (m_site)
            m_site->refreshCaptions();
        break;
    case WM_NCACTIVATE:
        if (m_site)
            m_site->refreshCaptions();
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        if (m_docked)
            return 0; // the bar decides the size, even below the system's minimum
        break;
    case WM_WINDOWPOSCHANGED:
        onWindowPosChanged();
        break;
    case WM_NCCALCSIZE:
        return onNcCalcSize(wParam, lParam);
    case WM_NCHITTEST:
        return onNcHitTest(lParam);
    case WM_NCPAINT:
    case WM_SETTEXT: {
        if (m_docked && message == WM_NCPAINT) {
            paintDockedFrame();
            return 0;
        }
        const LRESULT result = defaultProcess(message, wParam, lParam);
        if (m_docked)
            paintDockedFrame();
        else if (m_site)
            drawSmallCaption(m_site->isActive());
        return result;
    }
    case WM_NCLBUTTONDOWN:
        if (beginDrag(static_cast<int>(wParam), POINT{static_cast<short>(LOWORD(lParam)),
                                                      static_cast<short>(HIWORD(lParam))}))
            return 0;
        break;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && m_site) {
            onCaptionDoubleClick();
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // The menu keys of a tool window open the host's menu.
        if (!m_docked && m_site && ((wParam & 0xFFF0) == SC_KEYMENU || (wParam & 0xFFF0) == SC_MOUSEMENU)) {
            SetActiveWindow(m_site->handle());
            m_site->send(WM_SYSCOMMAND, wParam, lParam);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_drag.active()) {
            followDrag(toScreen(lParam));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_drag.active()) {
            finishDrag(toScreen(lParam));
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_drag.active())
            cancelDrag();
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace tessaly
