#pragma once

#include <windows.h>

#include "ui/window_win32.h"

namespace tessaly {

// A window over content larger than itself, scrolled with the window's own
// scroll bars, the mouse wheel, and (when enabled) by dragging past an edge
// with a button held. The scroll position is always what the native bars
// report back, so the bars do all the clamping. The window needs the
// WS_HSCROLL and WS_VSCROLL styles.
class ScrollView : public Window {
public:
    static constexpr int kLineStep = 8;
    static constexpr int kWheelUnit = 120;
    static constexpr UINT_PTR kAutoScrollTimerId = 1000;
    static constexpr UINT kAutoScrollInterval = 1; // milliseconds

    // Negative sizes count as 0; the position is kept as far as the new
    // range allows. Nothing is scrolled on screen.
    void setContentSize(int width, int height);
    int contentWidth() const { return m_contentWidth; }
    int contentHeight() const { return m_contentHeight; }
    POINT scrollPosition() const { return POINT{m_positionX, m_positionY}; }
    // Moves to (x, y) as far as the bars allow and scrolls the client area
    // by the distance actually moved.
    void scrollTo(int x, int y);
    void setAutoScroll(bool enabled) { m_autoScrollEnabled = enabled; }
    bool autoScrollEnabled() const { return m_autoScrollEnabled; }
    bool buttonHeld() const { return m_buttonHeld; }
    bool autoScrollTimerRunning() const { return m_timerRunning; }

protected:
    // Routes size, timer, scroll, mouse-move, button and wheel messages to the
    // handlers below; everything else goes to the default procedure.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The handlers, for derived views that handle these messages themselves.
    void onSize(int width, int height);
    void onTimer(UINT_PTR id);
    void onHScroll(int code);
    void onVScroll(int code);
    void onMouseMove(int x, int y);
    void onButtonDown();
    void onButtonUp();
    // Scrolls by whole wheel units (a smaller delta scrolls nothing), then
    // lets hover feedback follow the content with a synthetic mouse move.
    LRESULT onMouseWheel(int delta);

private:
    // Applies a new position along one bar, reads it back and returns it.
    int setBarPosition(int bar, int position);
    int readBarPosition(int bar) const;
    void onScroll(int bar, int code);
    // The cursor in client coordinates, sent as a mouse move without buttons.
    POINT cursorInClient() const;
    void sendCursorMove(POINT cursor);

    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_positionX = 0;
    int m_positionY = 0;
    bool m_buttonHeld = false;
    bool m_timerRunning = false;
    int m_autoStepX = 0;
    int m_autoStepY = 0;
    bool m_autoScrollEnabled = false;
};

} // namespace tessaly
