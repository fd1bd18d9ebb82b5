#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "palette/color_window_controller.h"
#include "palette/color_window_view.h"
#include "ui/window_win32.h"

namespace tessaly {

// The drawing colour's window: swatch, mask lamp, a bar with thumb, value
// box and minus and plus buttons per channel, the hue field and the
// lightness field. The controller decides everything; this window paints
// what it has laid out, runs the four edit controls and hands on the mouse.
class SelectedColorWindow final : public Window, public ColorWindowView {
public:
    explicit SelectedColorWindow(ColorWindowController& controller);
    ~SelectedColorWindow() override;

    bool create(const Window& parent, const RECT& rect, int id);

    // What erasing and WM_PAINT draw for an update rectangle, into any
    // device context; the value boxes are windows of their own and not in it.
    void paintInto(HDC dc, const RECT& update);
    HWND valueBox(std::int32_t box) const { return m_boxes[static_cast<std::size_t>(box)]; }

    // ColorWindowView
    void invalidate(const ViewRect& area, Erase erase) override;
    void invalidateAll() override;
    void updateNow() override;
    std::string boxText(std::int32_t box) const override;
    void setBoxText(std::int32_t box, const std::string& text) override;
    void placeBox(std::int32_t box, const ViewRect& rect, bool shown) override;
    void focusBox(std::int32_t box) override;
    void captureMouse() override;
    void releaseMouse() override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool createBoxes();
    void destroyBoxes();
    bool ownsWindow(HWND window) const;
    std::int32_t boxIndex(HWND box) const;
    static LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    void paint(HDC dc, const RECT& update);
    void paintSwatch(HDC dc) const;
    void paintLamp(HDC dc) const;
    void paintChannel(HDC dc, std::int32_t i) const;
    void paintFields(HDC dc);

    ColorWindowController& m_controller;
    std::array<HWND, ColorWindowLayout::kMaxChannels> m_boxes{};
    // The hue field only changes with its size.
    std::vector<ColorValue> m_hue;
    ViewRect m_hueRect;
    bool m_releasing = false;
};

} // namespace tessaly
