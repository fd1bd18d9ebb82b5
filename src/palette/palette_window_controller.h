#pragma once

#include <cstdint>

#include "editing/client_point.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"
#include "palette/model/palette.h"
#include "palette/model/palette_window_observer.h"
#include "palette/palette_grid.h"
#include "palette/palette_menu.h"
#include "palette/palette_status_sink.h"
#include "palette/palette_view.h"

namespace tessaly {

// Everything the palette window does, without the window: the grid laid out
// for the client size, the framed (selected) entry that colour edits go to,
// the highlighted range, and the mouse. A left click picks the drawing
// colour; a right press, an optional drag and the release mark one entry or
// a range and open the context menu.
class PaletteWindowController final : public PaletteWindowObserver, public ToolStateObserver {
public:
    static constexpr ColorValue kGridColour = makeColor(0x3F, 0x3F, 0x5F);
    static constexpr ColorValue kFrameColour = makeColor(0xFF, 0xFF, 0xFF);
    // How far the pointer moves from the right press before a range is marked.
    static constexpr std::int32_t kRangeThreshold = 4;

    PaletteWindowController(Palette& palette, ToolState& toolState, PaletteMenu& menu);
    PaletteWindowController(const PaletteWindowController&) = delete;
    PaletteWindowController& operator=(const PaletteWindowController&) = delete;

    void setView(PaletteView* view) { m_view = view; }
    void setStatusSink(PaletteStatusSink* sink) { m_status = sink; }

    // The client area changed size.
    void resize(std::int32_t width, std::int32_t height);
    void relayout();
    void setShowWhole(bool showWhole);
    bool showWhole() const { return m_showWhole; }
    // Marks start..end as the range (end < start: none), repainting only
    // the cells that leave or join it.
    void setRange(std::int32_t start, std::int32_t end);

    const PaletteGrid& grid() const { return m_grid; }
    std::int32_t selectedIndex() const { return m_selectedIndex; }
    std::int32_t rangeStart() const { return m_rangeStart; }
    std::int32_t rangeEnd() const { return m_rangeEnd; }
    bool rangeShown() const { return m_rangeEnd >= m_rangeStart; }
    bool isPressed() const { return m_dragging; }
    bool inRangeMode() const { return m_rangeMode; }
    std::int32_t indexAt(ClientPoint point) const;
    bool hitTest(ClientPoint point) const;

    // Mouse, in client coordinates.
    void leftButtonDown(ClientPoint point);
    void rightButtonDown(ClientPoint point);
    void mouseMove(ClientPoint point);
    void rightButtonUp(ClientPoint point);
    // The window lost the mouse before the right release: the press ends
    // without a menu and the range goes away.
    void captureLost();
    // The context menu's chosen item, and the item it highlights.
    void menuCommand(std::uint32_t id);
    void menuHighlight(std::uint32_t id);

    // PaletteWindowObserver
    void relayoutAndReset() override;
    void repaintCells(std::int32_t first, std::int32_t last) override;
    void selectIndex(std::int32_t index) override;

    // ToolStateObserver: in palette modes the drawing value is the entry to frame.
    void drawingValueChanged(std::uint32_t value) override;

private:
    ClientPoint scroll() const;
    void invalidateSquares(std::int32_t first, std::int32_t last);
    void endPress();

    Palette& m_palette;
    ToolState& m_toolState;
    PaletteMenu& m_menu;
    PaletteView* m_view = nullptr;
    PaletteStatusSink* m_status = nullptr;
    PaletteGrid m_grid;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_showWhole = false;
    std::int32_t m_selectedIndex = -1;
    std::int32_t m_rangeStart = 0;
    std::int32_t m_rangeEnd = -1;
    bool m_dragging = false;
    bool m_rangeMode = false;
    std::int32_t m_anchor = -1;
    std::int32_t m_current = -1;
    ClientPoint m_pressPoint;
};

} // namespace tessaly
