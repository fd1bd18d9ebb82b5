#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "image/pointer_array.h"
#include "ui/dock/dock_bar_win32.h"
#include "ui/dock/dock_layout_record.h"
#include "ui/dock/dock_side.h"
#include "ui/dock/dock_targets.h"
#include "ui/window_win32.h"

namespace tessaly {

class DockFrame;

// The part of a main window that docks: the bars along its four sides, every
// DockFrame it owns, the client window filling what the bars leave (a
// "DockClientWindow" placeholder until a view takes its place) and the status
// bar along the bottom. It keeps the floating frames' captions looking
// active together with its own. A window built on it hands the messages it
// does not handle to it.
class DockHost : public Window {
public:
    static constexpr wchar_t kClientClassName[] = L"DockClientWindow";

    DockHost() = default;
    // Here rather than in the base, so that WM_DESTROY still reaches this class.
    ~DockHost() override;

    // The window takes the client window's place and size; an owned
    // placeholder is destroyed. The site does not own the window.
    void setClientWindow(Window* window);
    Window* clientWindow() const { return m_client; }
    void setStatusBar(HWND statusBar);

    // Docks or floats a frame at the end of its caption drag (rect in screen
    // coordinates, the frame's floating size at the pointer).
    void dropFrame(DockFrame& frame, const RECT& rect);
    void layoutSite();
    void setBarThickness(DockBar& bar, int pixels);
    int barThickness(const DockBar& bar) const;

    void saveLayout(ByteWriter& out) const;
    // Restores a layout saved with the same frames. A damaged record puts
    // every frame back where it was created and gives false; the reader is
    // then failed. Whatever the record says, every frame stays within reach.
    bool loadLayout(ByteReader& in);

    // The site is enabled and this program has the foreground.
    bool isActive() const;
    // Draws the site's caption and every floating frame's small caption, all
    // active or all inactive.
    void refreshCaptions();

    std::int32_t barCount(DockSide side) const { return m_sides[sideIndex(side)].bars.count(); }
    DockBar& bar(DockSide side, std::int32_t index) const { return *m_sides[sideIndex(side)].bars.get(index); }
    std::int32_t frameCount() const { return m_frames.count(); }
    DockFrame& frame(std::int32_t index) const { return *m_frames.get(index); }
    DockFrame* frameByNumber(std::int32_t number) const;
    // The site as a frame dragged over it sees it, on the screen.
    DockTargets targetsFor(const DockFrame& frame) const;

    // For frames: joining gives the frame its number.
    std::int32_t joinFrames(DockFrame& frame);
    void leaveFrames(DockFrame& frame);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The creation and destruction steps, for windows built on the site that
    // handle WM_CREATE and WM_DESTROY themselves.
    bool createSite();
    void destroySite();

private:
    struct Side {
        PointerArray<std::unique_ptr<DockBar>> bars{16};
        PointerArray<std::int32_t> thicknesses{16};
    };

    bool findBar(const DockBar& bar, DockSide& side, std::int32_t& index) const;
    DockBar* addBar(DockSide side, int thickness);
    void removeEmptyBars();
    void removeAllBars();
    void applyLayout(const DockLayoutRecord& record);
    DockScreen screen() const;
    void drawCaption(bool active);

    Window* m_client = nullptr;
    std::unique_ptr<Window> m_ownedClient;
    HWND m_statusBar = nullptr;
    std::array<Side, kDockSideCount> m_sides;
    PointerArray<DockFrame*> m_frames{16};
    std::int32_t m_nextNumber = 0;
    bool m_destroying = false;
};

} // namespace tessaly
