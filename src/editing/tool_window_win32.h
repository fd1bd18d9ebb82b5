#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "editing/editing_status_sink.h"
#include "editing/tool_button_layout.h"
#include "editing/tool_id.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"
#include "ui/window_win32.h"

namespace tessaly {

// The small window with one button per tool: pressing a button makes its
// tool current, the current tool's button is shown pressed, and the tool
// under the pointer is named in the status bar. The two alpha tools appear
// only while the edited image is 32-bit.
class ToolWindow final : public Window, public ToolStateObserver {
public:
    static constexpr int kIconSize = 24;

    explicit ToolWindow(ToolState& toolState);
    ~ToolWindow() override;

    // Creates the child window, loading the 16 icons from the program's
    // resources (a missing icon leaves its button blank but working).
    bool create(const Window& parent, const RECT& rect, int id);
    void setStatusSink(EditingStatusSink* sink) { m_status = sink; }

    void setAlphaToolsShown(bool shown);
    bool alphaToolsShown() const { return m_alphaShown; }
    void repaintButton(ToolId id);
    // The button's client rectangle; empty (0, 0, -1, -1) while hidden.
    RECT buttonRect(ToolId id) const;
    // The tool whose button contains the point, edges included; -1 for none.
    std::int32_t hitTest(POINT point) const { return m_buttons.hitTest(point.x, point.y); }
    bool hasIcon(ToolId id) const { return m_icons[static_cast<std::size_t>(id)] != nullptr; }

    // ToolStateObserver
    void toolChanged(ToolId from, ToolId to) override;
    void colourModeChanged(std::int32_t bitCount) override { setAlphaToolsShown(ToolState::hasAlphaTools(bitCount)); }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layout();
    void paint(HDC dc, const RECT& update) const;
    void drawButton(HDC dc, ToolId id) const;
    void destroyIcons();

    ToolState& m_toolState;
    EditingStatusSink* m_status = nullptr;
    std::array<HICON, kToolCount> m_icons{};
    ToolButtonLayout m_buttons;
    bool m_alphaShown = false;
};

} // namespace tessaly
