#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/dock/dock_bar_model.h"
#include "ui/dock/dock_outline_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

class DockFrame;
class DockHost;

// A strip along one side of the host holding docked frames side by side,
// with splitters between them and a sash along its inner edge that sets how
// thick the bar is. All the arithmetic is its DockBarModel's; the bar moves
// the frames' windows to what the model computes.
class DockBar final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"DockBarClass";

    DockBar() = default;
    ~DockBar() override;

    // Registers the class (once) and makes the bar a visible child of the site.
    bool create(DockHost& site, DockSide side);

    // Drop rectangles are in screen coordinates.
    bool addFrame(DockFrame& frame, const RECT& drop);
    bool removeFrame(DockFrame& frame);
    bool moveFrame(DockFrame& frame, const RECT& drop);
    bool containsFrame(const DockFrame& frame) const;
    // Shows or hides the frame's entry and lays out the bar and the site.
    void setFrameVisible(DockFrame& frame, bool visible);
    std::vector<std::int32_t> getExtents() const { return m_model.getExtents(); }
    bool setExtents(std::span<const std::int32_t> extents) { return m_model.setExtents(extents); }
    // Moves the frames to their places; hides the bar when none shows.
    void layoutBar();

    DockSide side() const { return m_model.side(); }
    const DockBarModel& model() const { return m_model; }
    bool sizing() const { return m_drag.has_value(); }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    DockRect client() const;
    DockRect toBar(const RECT& screen) const;
    RECT toScreen(const DockRect& bar) const;
    void paint();
    void followDrag(DockPoint p);
    void onButtonDown(DockPoint p);
    void onMouseMove(DockPoint p);
    void onButtonUp(DockPoint p);

    DockHost* m_site = nullptr;
    DockBarModel m_model{DockSide::Top};
    std::optional<DockSplitterDrag> m_drag;
    int m_dragPosition = 0;
    DockOutline m_band;
};

} // namespace tessaly
