#include "ui/scroll_view_win32.h"

#include <windowsx.h>

#include <algorithm>

namespace tessaly {

void ScrollView::setContentSize(int width, int height)
{
    m_contentWidth = std::max(width, 0);
    m_contentHeight = std::max(height, 0);
    if (!handle())
        return;
    // The page goes with the range: the system clamps a page to the range it
    // is given, so a page kept from a smaller content would be too small now
    // and show a bar that the window's size does not need.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    RECT client{};
    clientRect(client);
    info.nMax = m_contentWidth - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(client.right, 0));
    info.nPos = m_positionX;
    SetScrollInfo(handle(), SB_HORZ, &info, TRUE);
    m_positionX = readBarPosition(SB_HORZ);
    clientRect(client);
    info.nMax = m_contentHeight - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
    info.nPos = m_positionY;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
    m_positionY = readBarPosition(SB_VERT);
}

void ScrollView::scrollTo(int x, int y)
{
    if (!handle())
        return;
    const int oldX = m_positionX;
    const int oldY = m_positionY;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = y;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
    info.nPos = x;
    SetScrollInfo(handle(), SB_HORZ, &info, TRUE);
    m_positionX = readBarPosition(SB_HORZ);
    m_positionY = readBarPosition(SB_VERT);
    if (m_positionX == oldX && m_positionY == oldY)
        return;
    ScrollWindow(handle(), oldX - m_positionX, oldY - m_positionY, nullptr, nullptr);
}

LRESULT ScrollView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_HSCROLL:
        onHScroll(LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        onVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        onButtonDown();
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onButtonUp();
        return 0;
    case WM_MOUSEWHEEL:
        return onMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a menu, a message box): the button-up
        // will not come here, so the drag ends now instead of scrolling on.
        if (reinterpret_cast<HWND>(lParam) != handle())
            onButtonUp();
        return 0;
    default:
        return defaultProcess(message, wParam, lParam);
    }
}

void ScrollView::onSize(int width, int height)
{
    const int oldX = m_positionX;
    const int oldY = m_positionY;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_POS;
    info.nPage = static_cast<UINT>(std::max(height, 0));
    info.nPos = m_positionY;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
    info.nPage = static_cast<UINT>(std::max(width, 0));
    info.nPos = m_positionX;
    SetScrollInfo(handle(), SB_HORZ, &info, TRUE);
    m_positionX = readBarPosition(SB_HORZ);
    m_positionY = readBarPosition(SB_VERT);
    if (m_positionX != oldX || m_positionY != oldY)
        ScrollWindow(handle(), oldX - m_positionX, oldY - m_positionY, nullptr, nullptr);
}

void ScrollView::onTimer(UINT_PTR id)
{
    if (id != kAutoScrollTimerId)
        return;
    const POINT cursor = cursorInClient();
    scrollTo(m_positionX + m_autoStepX, m_positionY + m_autoStepY);
    sendCursorMove(cursor);
}

void ScrollView::onHScroll(int code)
{
    onScroll(SB_HORZ, code);
}

void ScrollView::onVScroll(int code)
{
    onScroll(SB_VERT, code);
}

void ScrollView::onScroll(int bar, int code)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(handle(), bar, &info))
        return;
    const int page = static_cast<int>(info.nPage);
    int target = info.nPos;
    switch (code) {
    case SB_LINEUP:
        target = info.nPos - kLineStep;
        break;
    case SB_LINEDOWN:
        target = info.nPos + kLineStep;
        break;
    case SB_PAGEUP:
        target = info.nPos - page;
        break;
    case SB_PAGEDOWN:
        target = info.nPos + page;
        break;
    case SB_THUMBTRACK:
        target = info.nTrackPos;
        break;
    case SB_TOP:
        target = info.nMin;
        break;
    case SB_BOTTOM:
        target = info.nMax;
        break;
    default:
        return;
    }
    int& stored = bar == SB_HORZ ? m_positionX : m_positionY;
    const int old = stored;
    stored = setBarPosition(bar, target);
    if (stored == old)
        return;
    if (bar == SB_HORZ)
        ScrollWindow(handle(), old - stored, 0, nullptr, nullptr);
    else
        ScrollWindow(handle(), 0, old - stored, nullptr, nullptr);
}

void ScrollView::onMouseMove(int x, int y)
{
    if (!m_autoScrollEnabled || !m_buttonHeld)
        return;
    RECT client{};
    clientRect(client);
    m_autoStepX = x <= client.left ? -kLineStep : (x >= client.right ? kLineStep : 0);
    m_autoStepY = y <= client.top ? -kLineStep : (y >= client.bottom ? kLineStep : 0);
    const bool outside = m_autoStepX != 0 || m_autoStepY != 0;
    if (m_timerRunning && !outside) {
        KillTimer(handle(), kAutoScrollTimerId);
        m_timerRunning = false;
    } else if (!m_timerRunning && outside) {
        m_timerRunning = SetTimer(handle(), kAutoScrollTimerId, kAutoScrollInterval, nullptr) != 0;
    }
}

void ScrollView::onButtonDown()
{
    setCapture(true);
    m_buttonHeld = true;
}

void ScrollView::onButtonUp()
{
    if (!m_buttonHeld)
        return;
    // Cleared first: releasing the capture sends WM_CAPTURECHANGED back here.
    m_buttonHeld = false;
    setCapture(false);
    if (m_timerRunning) {
        KillTimer(handle(), kAutoScrollTimerId);
        m_timerRunning = false;
    }
}

LRESULT ScrollView::onMouseWheel(int delta)
{
    const POINT cursor = cursorInClient();
    // Whole wheel units only; the division truncates toward zero.
    scrollTo(m_positionX, m_positionY - (delta / kWheelUnit) * kLineStep);
    sendCursorMove(cursor);
    return 1;
}

int ScrollView::setBarPosition(int bar, int position)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(handle(), bar, &info, TRUE);
    return readBarPosition(bar);
}

int ScrollView::readBarPosition(int bar) const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    return GetScrollInfo(handle(), bar, &info) ? info.nPos : 0;
}

POINT ScrollView::cursorInClient() const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(handle(), &cursor);
    return cursor;
}

void ScrollView::sendCursorMove(POINT cursor)
{
    send(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y)));
}

} // namespace tessaly
