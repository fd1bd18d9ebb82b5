#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "app/main_frame_child_ids.h"
#include "app/status_line.h"
#include "ui/window_win32.h"

namespace tessaly {

// The main window's bottom line: the common controls' status window, laid
// out in parts by layout number and showing the status texts. Its messages
// are the control's own; the parent only forwards its size changes.
class StatusBar final : public StatusLine {
public:
    static constexpr int kChildId = kStatusBarChildId;

    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;
    ~StatusBar() override;

    // Creates the visible child at the parent's bottom edge, with layout 0;
    // false when the window cannot be made or one already exists.
    bool create(const Window& parent, int id = kChildId);
    HWND handle() const { return m_handle; }

    // Sets the parts of layout n unless n is the current layout; numbers of
    // 20 and above are remembered without setting any parts.
    void setLayout(std::int32_t n);
    std::int32_t layout() const { return m_layout; }
    // The layout, then text i into part i.
    void show(std::int32_t layout, std::span<const std::u16string> parts) override;
    // The parent's size changed: the control places itself again.
    void parentResized();

private:
    HWND m_handle = nullptr;
    HWND m_parent = nullptr;
    // None yet, so that the first layout is always applied.
    std::int32_t m_layout = -1;
};

} // namespace tessaly
