#pragma once

#include <windows.h>

namespace tessaly {

// The object bound to one native window. The framework's window procedure
// routes every message from WM_CREATE to WM_DESTROY (both included) to
// handleMessage and returns its result unchanged; messages before WM_CREATE
// get the system default. The handle is non-null exactly in that span.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys a native window still bound. By then the derived part is gone,
    // so its WM_DESTROY reaches only this base; a derived window that must see
    // its own WM_DESTROY destroys itself in its own destructor.
    virtual ~Window();

    // Creates the native window of a class registered with registerWindowClass.
    // Fails at once when this object already has a window, and when the
    // window's WM_CREATE handler answers -1.
    bool create(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                const Window* parent, HMENU idOrMenu);
    bool create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, const Window* parent,
                HMENU idOrMenu);
    // False, doing nothing, when there is no native window.
    bool destroy();

    HWND handle() const { return m_handle; }

    bool isVisible() const;
    bool isMaximized() const;
    bool isMinimized() const;
    // True when the window was visible before (the result of ShowWindow).
    bool show(int command);
    bool update();
    bool setPosition(HWND after, int x, int y, int cx, int cy, UINT flags);
    bool setPosition(HWND after, const RECT& rect, UINT flags);
    bool windowRect(RECT& rect) const;
    bool clientRect(RECT& rect) const;
    // Convert both corners; true only when both conversions succeed.
    bool screenToClient(RECT& rect) const;
    bool clientToScreen(RECT& rect) const;
    // Turning capture off releases it only when this window holds it.
    void setCapture(bool on);
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT defaultProcess(UINT message, WPARAM wParam, LPARAM lParam);
    bool setText(const wchar_t* text);
    bool redrawMenuBar();
    ULONG_PTR getClassLong(int index) const;
    ULONG_PTR setClassLong(int index, LONG_PTR value);
    LONG_PTR getWindowLong(int index) const;
    LONG_PTR setWindowLong(int index, LONG_PTR value);

    // The window procedure every class of the program is registered with.
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Everything not handled goes to defaultProcess.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Dialog;

    HWND m_handle = nullptr;
};

} // namespace tessaly
