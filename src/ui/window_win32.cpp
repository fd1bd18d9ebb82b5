#include "ui/window_win32.h"

#include "ui/module_instance_win32.h"

namespace tessaly {

Window::~Window()
{
    if (m_handle)
        DestroyWindow(m_handle);
}

bool Window::create(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                    const Window* parent, HMENU idOrMenu)
{
    if (m_handle)
        return false;
    HWND created = CreateWindowExW(0, className, title, style, x, y, width, height, parent ? parent->handle() : nullptr,
                                   idOrMenu, moduleInstance(), this);
    if (!created) {
        // A WM_CREATE answered with -1 destroys the window again; whatever the
        // system sent on the way out, no native window is left to point to.
        m_handle = nullptr;
        return false;
    }
    if (!m_handle) {
        // The class does not route through the framework, so nothing was
        // bound; do not leave a window behind that no object owns.
        DestroyWindow(created);
        return false;
    }
    return true;
}

bool Window::create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, const Window* parent,
                    HMENU idOrMenu)
{
    return create(className, title, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                  idOrMenu);
}

bool Window::destroy()
{
    if (!m_handle)
        return false;
    return DestroyWindow(m_handle) != FALSE;
}

bool Window::isVisible() const
{
    return IsWindowVisible(m_handle) != FALSE;
}

bool Window::isMaximized() const
{
    return IsZoomed(m_handle) != FALSE;
}

bool Window::isMinimized() const
{
    return IsIconic(m_handle) != FALSE;
}

bool Window::show(int command)
{
    return ShowWindow(m_handle, command) != FALSE;
}

bool Window::update()
{
    return UpdateWindow(m_handle) != FALSE;
}

bool Window::setPosition(HWND after, int x, int y, int cx, int cy, UINT flags)
{
    return SetWindowPos(m_handle, after, x, y, cx, cy, flags) != FALSE;
}

bool Window::setPosition(HWND after, const RECT& rect, UINT flags)
{
    return setPosition(after, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

bool Window::windowRect(RECT& rect) const
{
    return GetWindowRect(m_handle, &rect) != FALSE;
}

bool Window::clientRect(RECT& rect) const
{
    return GetClientRect(m_handle, &rect) != FALSE;
}

namespace {

// Converts both corners of a rectangle with a point conversion such as
// ScreenToClient; true only when both succeed.
template <typename Convert> bool convertCorners(HWND window, RECT& rect, Convert convert)
{
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    const bool first = convert(window, &topLeft) != FALSE;
    const bool second = convert(window, &bottomRight) != FALSE;
    rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return first && second;
}

} // namespace

bool Window::screenToClient(RECT& rect) const
{
    return convertCorners(m_handle, rect, ScreenToClient);
}

bool Window::clientToScreen(RECT& rect) const
{
    return convertCorners(m_handle, rect, ClientToScreen);
}

void Window::setCapture(bool on)
{
    if (!m_handle)
        return;
    if (on)
        SetCapture(m_handle);
    else if (GetCapture() == m_handle)
        ReleaseCapture();
}

LRESULT Window::send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(m_handle, message, wParam, lParam);
}

LRESULT Window::defaultProcess(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_handle, message, wParam, lParam);
}

bool Window::setText(const wchar_t* text)
{
    return SetWindowTextW(m_handle, text) != FALSE;
}

bool Window::redrawMenuBar()
{
    return DrawMenuBar(m_handle) != FALSE;
}

ULONG_PTR Window::getClassLong(int index) const
{
    return GetClassLongPtrW(m_handle, index);
}

ULONG_PTR Window::setClassLong(int index, LONG_PTR value)
{
    return SetClassLongPtrW(m_handle, index, value);
}

LONG_PTR Window::getWindowLong(int index) const
{
    return GetWindowLongPtrW(m_handle, index);
}

LONG_PTR Window::setWindowLong(int index, LONG_PTR value)
{
    return SetWindowLongPtrW(m_handle, index, value);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProcess(message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object) {
        if (message != WM_CREATE)
            return DefWindowProcW(window, message, wParam, lParam);
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        object = static_cast<Window*>(creation->lpCreateParams);
        // A window of a framework class made without an object behind it
        // (for instance by a dialog template) stays a plain default window.
        if (!object)
            return DefWindowProcW(window, message, wParam, lParam);
        object->m_handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    const LRESULT result = object->handleMessage(message, wParam, lParam);
    if (message == WM_DESTROY) {
        object->m_handle = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return result;
}

} // namespace tessaly
