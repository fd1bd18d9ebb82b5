#include "ui/dock/dock_bar_win32.h"

#include "ui/dock/dock_frame_win32.h"
#include "ui/dock/dock_host_win32.h"
#include "ui/dock/dock_rect_win32.h"
#include "ui/window_class_win32.h"

namespace tessaly {

namespace {

DockPoint pointOf(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

DockBar::~DockBar()
{
    destroy();
}

bool DockBar::create(DockHost& site, DockSide side)
{
    if (handle() || !site.handle())
        return false;
    if (!registerWindowClass(kClassName, 0, nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr))
        return false;
    m_site = &site;
    m_model = DockBarModel(side);
    return Window::create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                          &site, nullptr);
}

DockRect DockBar::client() const
{
    RECT r{};
    clientRect(r);
    return toDockRect(r);
}

DockRect DockBar::toBar(const RECT& screen) const
{
    RECT r = screen;
    MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&r), 2);
    return toDockRect(r);
}

RECT DockBar::toScreen(const DockRect& bar) const
{
    RECT r = toRect(bar);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool DockBar::addFrame(DockFrame& frame, const RECT& drop)
{
    if (!m_model.addFrame(frame.number(), toBar(drop)))
        return false;
    layoutBar();
    return true;
}

bool DockBar::removeFrame(DockFrame& frame)
{
    if (!m_model.removeFrame(frame.number()))
        return false;
    layoutBar();
    return true;
}

bool DockBar::moveFrame(DockFrame& frame, const RECT& drop)
{
    if (!m_model.moveFrame(frame.number(), toBar(drop)))
        return false;
    layoutBar();
    return true;
}

bool DockBar::containsFrame(const DockFrame& frame) const
{
    return m_model.containsFrame(frame.number());
}

void DockBar::setFrameVisible(DockFrame& frame, bool visible)
{
    if (!m_model.setFrameVisible(frame.number(), visible))
        return;
    layoutBar();
    m_site->layoutSite();
}

void DockBar::layoutBar()
{
    if (!handle())
        return;
    for (const DockFramePlacement& placement : m_model.layoutBar(client())) {
        DockFrame* frame = m_site->frameByNumber(placement.frame);
        if (frame && frame->handle())
            frame->setPosition(nullptr, toRect(placement.rect), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const bool wanted = m_model.visibleCount() > 0;
    const bool shown = (getWindowLong(GWL_STYLE) & WS_VISIBLE) != 0;
    if (wanted != shown)
        show(wanted ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(handle(), nullptr, FALSE);
}

void DockBar::paint()
{
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(handle(), &ps);
    const DockRect c = client();
    const RECT all = toRect(c);
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    const bool horizontal = isHorizontal(side());
    for (const DockRect& gap : m_model.gapRects(c)) {
        // A raised line in the middle of each gap.
        const int start = alongStart(gap, side()) + 2;
        RECT line = toRect(rectAlong(side(), start, start + 3, acrossStart(gap, side()), acrossEnd(gap, side())));
        DrawEdge(dc, &line, BDR_RAISEDINNER, horizontal ? BF_LEFT | BF_RIGHT : BF_TOP | BF_BOTTOM);
    }
    if (side() != DockSide::Bottom) {
        const RECT top{c.left, c.top, c.right, c.top + 1};
        FillRect(dc, &top, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    if (side() != DockSide::Top) {
        const RECT bottom{c.left, c.bottom - 1, c.right, c.bottom};
        FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    EndPaint(handle(), &ps);
}

void DockBar::onButtonDown(DockPoint p)
{
    m_drag = m_model.hitSplitter(client(), p);
    if (!m_drag)
        return;
    setCapture(true);
    followDrag(p);
    m_band.show(toScreen(m_model.dragBand(*m_drag, client(), m_dragPosition)), DockOutline::Look::Splitter);
}

void DockBar::followDrag(DockPoint p)
{
    RECT clientEdges{};
    if (m_site->clientWindow() && m_site->clientWindow()->windowRect(clientEdges))
        m_dragPosition = m_model.dragPosition(*m_drag, client(), toBar(clientEdges), p);
}

void DockBar::onMouseMove(DockPoint p)
{
    if (!m_drag) {
        const DockSizeCursor cursor = m_model.cursorAt(client(), p);
        const wchar_t* shape = cursor == DockSizeCursor::SizeNorthSouth ? IDC_SIZENS
                               : cursor == DockSizeCursor::SizeWestEast ? IDC_SIZEWE
                                                                        : IDC_ARROW;
        SetCursor(LoadCursorW(nullptr, shape));
        return;
    }
    followDrag(p);
    m_band.show(toScreen(m_model.dragBand(*m_drag, client(), m_dragPosition)), DockOutline::Look::Splitter);
}

void DockBar::onButtonUp(DockPoint p)
{
    if (!m_drag)
        return;
    followDrag(p);
    m_band.hide();
    const DockSplitterDrag drag = *m_drag;
    // Ended before the capture goes, so that losing it is not taken for a cancel.
    m_drag.reset();
    setCapture(false);
    if (const std::optional<int> thickness = m_model.finishDrag(drag, client(), m_dragPosition))
        m_site->setBarThickness(*this, *thickness);
    else
        layoutBar();
}

LRESULT DockBar::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        layoutBar();
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONDOWN:
        onButtonDown(pointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(pointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(pointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (m_drag) {
            m_band.hide();
            m_drag.reset();
        }
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace tessaly
