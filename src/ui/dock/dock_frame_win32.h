#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/dock/dock_drag.h"
#include "ui/dock/dock_frame_sizes.h"
#include "ui/dock/dock_outline_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

class DockBar;
class DockHost;

// A tool window that floats above its host as a small-caption tool window or
// lies docked in one of the host's bars. It is moved by its caption (or, when
// docked, its grip), sized by its borders, and switched between floating and
// docked by a double click on the caption. Tool windows derive from it and
// hand it every message they do not handle.
class DockFrame : public Window {
public:
    static constexpr wchar_t kClassName[] = L"IconEditor-FrameWindow";
    // The style the editor's frames are made with: with no system menu, no
    // close box; the host's menu shows and hides them.
    static constexpr DWORD kStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_THICKFRAME;
    static constexpr DWORD kExStyle = WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW;

    DockFrame() = default;
    // Here rather than in the base, so that WM_DESTROY still reaches this class.
    ~DockFrame() override;

    // Registers kClassName once, in the extended form without icons, with
    // the arrow cursor and a hollow brush. Whoever makes frames of the class
    // calls it first. True when the class exists afterwards.
    static bool registerClass();
    // Makes the frame's window, floating at (x, y) with the given size and
    // owned by the site's window. The class must be registered already.
    bool create(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                DockHost& site);
    // Puts the frame into the bar at the drop rectangle (screen coordinates),
    // out of the bar it was in.
    bool dock(DockBar& bar, const RECT& drop);
    // Floats the frame at rect (screen coordinates). A frame leaving a bar
    // keeps an invisible entry there, to return to.
    void floatAt(const RECT& rect);
    // The minimum becomes the given size, the floating size grows to at least
    // it, and a floating frame takes that size at once.
    void setMinimumSize(int width, int height);
    // Whether the user has a way to show the frame again once it is hidden.
    // A frame that has none is shown whatever the loaded layout says.
    void setHideable(bool hideable) { m_hideable = hideable; }
    bool hideable() const { return m_hideable; }

    DockHost* site() const { return m_site; }
    DockBar* bar() const { return m_bar; }
    bool isDocked() const { return m_docked; }
    // The number the site knows the frame by in its bars.
    std::int32_t number() const { return m_number; }
    const DockFrameSizes& sizes() const { return m_sizes; }
    RECT floatingRect() const;
    const RECT& creationRect() const { return m_creation; }
    bool dragging() const { return m_drag.active(); }

    // For the site. leaveBar takes the frame out of its bar (a docked frame
    // becomes a top-level window again, not shown); forgetBar drops the bar
    // without touching it, when the site deletes its bars.
    void leaveBar();
    void forgetBar() { m_bar = nullptr; }
    void setDockedSize(int width, int height);
    void rememberFloatingRect(const RECT& rect);
    // Draws the small caption of a floating frame as active or inactive.
    void drawSmallCaption(bool active);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onCreate(const CREATESTRUCTW& creation);
    void onDestroy();
    void onWindowPosChanged();
    LRESULT onNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT onNcHitTest(LPARAM lParam);
    void paintDockedFrame();
    bool beginDrag(int hitCode, POINT screen);
    void followDrag(POINT screen);
    void finishDrag(POINT screen);
    void cancelDrag();
    void onCaptionDoubleClick();
    // Becomes a child of the bar's window, or a top-level window owned by the
    // site again, with the frame's non-client area redone.
    void attachTo(HWND bar);
    void detachToOwner();
    bool horizontalBar() const;
    POINT toScreen(LPARAM clientPoint) const;

    DockHost* m_site = nullptr;
    DockBar* m_bar = nullptr;
    bool m_docked = false;
    DockFrameSizes m_sizes;
    DockDrag m_drag;
    DockOutline m_outline;
    HWND m_previousParent = nullptr;
    int m_floatingX = 0;
    int m_floatingY = 0;
    RECT m_creation{};
    DWORD m_floatingStyle = 0;
    std::int32_t m_number = -1;
    bool m_hideable = true;
};

} // namespace tessaly
