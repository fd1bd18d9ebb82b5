#pragma once

#include <windows.h>

#include "palette/model/palette.h"
#include "palette/palette_view.h"
#include "palette/palette_window_controller.h"
#include "ui/scroll_view_win32.h"

namespace tessaly {

// The palette as a scrolling grid of colour cells. The controller decides
// everything; this window paints what it has laid out, hands it the mouse
// and shows the context menu.
class PaletteWindow final : public ScrollView, public PaletteView {
public:
    PaletteWindow(Palette& palette, PaletteWindowController& controller);
    ~PaletteWindow() override;

    // Creates the child window with its vertical scroll bar.
    bool create(const Window& parent, const RECT& rect, int id);

    // What erasing and WM_PAINT draw for an update rectangle, into any
    // device context (the tests render into their own bitmap this way).
    void paintInto(HDC dc, const RECT& update);
    // The native context menu, its states as last prepared.
    HMENU contextMenu() const { return m_menu; }

    // PaletteView
    ClientPoint scrollPosition() const override;
    void setContentHeight(std::int32_t height) override;
    void invalidate(const ViewRect& area) override;
    void drawOutline(const ViewRect& outline, ColorValue colour) override;
    void showMenu(ClientPoint point, const PaletteMenu& menu) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void erase(HDC dc, const RECT& client) const;
    void paintCells(HDC dc, const RECT& update) const;
    void invertRangeMarks(HDC dc, const PaletteGrid::CellSpan& span) const;
    void prepareMenu(const PaletteMenu& menu);
    bool mouseMessage(UINT message, LPARAM lParam, WPARAM wParam);

    Palette& m_palette;
    PaletteWindowController& m_controller;
    HMENU m_menu = nullptr;
    HBITMAP m_patternBitmap = nullptr;
    HBRUSH m_pattern = nullptr;
    // Set while the window lets go of the mouse itself on the right release,
    // so that this is not taken for a lost press.
    bool m_releasing = false;
};

} // namespace tessaly
