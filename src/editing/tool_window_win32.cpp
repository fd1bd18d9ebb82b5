#include "editing/tool_window_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "editing/edit_canvas_win32.h"
#include "ui/window_class_win32.h"
#include "resources/tool_icons.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

void fill(HDC dc, int left, int top, int right, int bottom, int colourIndex)
{
    const RECT strip{left, top, right, bottom};
    FillRect(dc, &strip, GetSysColorBrush(colourIndex));
}

} // namespace

ToolWindow::ToolWindow(ToolState& toolState)
    : m_toolState(toolState)
{
}

ToolWindow::~ToolWindow()
{
    destroy();
    destroyIcons();
}

bool ToolWindow::create(const Window& parent, const RECT& rect, int id)
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    destroyIcons();
    for (int tool = 0; tool < kToolCount; ++tool)
        m_icons[static_cast<std::size_t>(tool)] =
            static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(toolIconResource(static_cast<ToolId>(tool))),
                                          IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, id))
        return false;
    layout();
    return true;
}

void ToolWindow::destroyIcons()
{
    for (HICON& icon : m_icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

void ToolWindow::setAlphaToolsShown(bool shown)
{
    if (m_alphaShown == shown)
        return;
    m_alphaShown = shown;
    layout();
}

RECT ToolWindow::buttonRect(ToolId id) const
{
    const ViewRect& r = m_buttons.buttonRect(id);
    return RECT{r.left, r.top, r.right, r.bottom};
}

void ToolWindow::repaintButton(ToolId id)
{
    const RECT rect = buttonRect(id);
    if (handle() && !m_buttons.buttonRect(id).isEmpty())
        InvalidateRect(handle(), &rect, TRUE);
}

void ToolWindow::toolChanged(ToolId from, ToolId to)
{
    repaintButton(from);
    repaintButton(to);
}

void ToolWindow::layout()
{
    RECT client{};
    if (handle())
        clientRect(client);
    m_buttons.layout(client.right, m_alphaShown);
    if (handle())
        InvalidateRect(handle(), nullptr, TRUE);
}

void ToolWindow::paint(HDC dc, const RECT& update) const
{
    for (int tool = 0; tool < kToolCount; ++tool) {
        const RECT rect = buttonRect(static_cast<ToolId>(tool));
        RECT common{};
        if (rect.right > rect.left && IntersectRect(&common, &rect, &update))
            drawButton(dc, static_cast<ToolId>(tool));
    }
}

// A raised or sunken 3D frame two pixels deep, the icon inside it moved one
// pixel down and right when pressed.
void ToolWindow::drawButton(HDC dc, ToolId id) const
{
    const RECT r = buttonRect(id);
    const bool pressed = m_toolState.tool() == id;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const int outerTopLeft = pressed ? COLOR_BTNSHADOW : COLOR_3DLIGHT;
    const int innerTopLeft = pressed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT;
    const int innerBottomRight = pressed ? COLOR_3DLIGHT : COLOR_BTNSHADOW;
    const int outerBottomRight = pressed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW;
    fill(dc, L, T, R, T + 1, outerTopLeft);
    fill(dc, L, T, L + 1, B, outerTopLeft);
    fill(dc, L, T + 1, R, T + 2, innerTopLeft);
    fill(dc, L + 1, T, L + 2, B, innerTopLeft);
    fill(dc, R - 2, T + 1, R - 1, B, innerBottomRight);
    fill(dc, L + 1, B - 2, R, B - 1, innerBottomRight);
    fill(dc, R - 1, T, R, B, outerBottomRight);
    fill(dc, L, B - 1, R, B, outerBottomRight);
    const HICON icon = m_icons[static_cast<std::size_t>(id)];
    const int shift = pressed ? 1 : 0;
    if (icon)
        DrawIconEx(dc, L + 2 + shift, T + 2 + shift, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
}

LRESULT ToolWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        clientRect(client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(handle(), &ps);
        paint(dc, ps.rcPaint);
        EndPaint(handle(), &ps);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_status)
            m_status->toolHint(hitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    case WM_LBUTTONDOWN: {
        const std::int32_t tool = hitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (tool != EditingStatusSink::kNoTool)
            m_toolState.setTool(static_cast<ToolId>(tool));
        return 0;
    }
    default:
        return defaultProcess(message, wParam, lParam);
    }
}

} // namespace tessaly
