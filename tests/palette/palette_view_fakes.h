#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "palette/color_window_view.h"
#include "palette/palette_menu.h"
#include "palette/palette_status_sink.h"
#include "palette/palette_view.h"

namespace tessaly::test {

// Stands in for the palette window: records repaints and outlines, and
// shows the menu by handing its states to onMenu (which may choose an item).
class FakePaletteView final : public PaletteView {
public:
    struct Outline {
        ViewRect rect;
        ColorValue colour;
    };
    struct MenuShown {
        ClientPoint point;
        std::array<bool, 3> enabled; // in the menu's order: copy, gradient, paste
        std::int32_t start;
        std::int32_t end;
    };

    ClientPoint scroll;
    std::int32_t contentHeight = -1;
    std::vector<ViewRect> invalidated;
    std::vector<Outline> outlines;
    std::vector<MenuShown> menus;
    std::function<void()> onMenu;

    ClientPoint scrollPosition() const override { return scroll; }
    void setContentHeight(std::int32_t height) override { contentHeight = height; }
    void invalidate(const ViewRect& area) override { invalidated.push_back(area); }
    void drawOutline(const ViewRect& outline, ColorValue colour) override { outlines.push_back({outline, colour}); }
    void showMenu(ClientPoint point, const PaletteMenu& menu) override
    {
        std::array<bool, 3> enabled{};
        for (std::size_t i = 0; i < enabled.size(); ++i)
            enabled[i] = menu.items()[i].enabled;
        menus.push_back({point, enabled, menu.start(), menu.end()});
        if (onMenu)
            onMenu();
    }
};

// Stands in for the status bar's palette texts.
class RecordingPaletteStatus final : public PaletteStatusSink {
public:
    struct Readout {
        std::int32_t index;
        std::int32_t rangeStart;
        std::int32_t rangeEnd;
        friend bool operator==(const Readout&, const Readout&) = default;
    };
    std::vector<Readout> readouts;
    std::vector<std::int32_t> hints;

    void paletteReadout(std::int32_t index, std::int32_t rangeStart, std::int32_t rangeEnd) override
    {
        readouts.push_back({index, rangeStart, rangeEnd});
    }
    void palettePopupHint(std::int32_t commandId) override { hints.push_back(commandId); }
};

// Stands in for the colour window: four value boxes that hold text, and a
// count of repaints. Like an edit control, a box reports a change of its
// text back (through onChange) when the controller writes it.
class FakeColorView final : public ColorWindowView {
public:
    std::array<std::string, 4> boxes{"0", "0", "0", "0"};
    std::array<bool, 4> boxShown{};
    std::int32_t focusedBox = -1;
    bool captured = false;
    std::int32_t invalidations = 0;
    std::function<void(std::int32_t)> onChange;

    void invalidate(const ViewRect&, Erase) override { ++invalidations; }
    void invalidateAll() override { ++invalidations; }
    void updateNow() override {}
    std::string boxText(std::int32_t box) const override { return boxes[static_cast<std::size_t>(box)]; }
    void setBoxText(std::int32_t box, const std::string& text) override
    {
        boxes[static_cast<std::size_t>(box)] = text;
        if (onChange)
            onChange(box);
    }
    void placeBox(std::int32_t box, const ViewRect&, bool shown) override
    {
        boxShown[static_cast<std::size_t>(box)] = shown;
    }
    void focusBox(std::int32_t box) override { focusedBox = box; }
    void captureMouse() override { captured = true; }
    void releaseMouse() override { captured = false; }
};

} // namespace tessaly::test
