#pragma once

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/canvas_mapping.h"

namespace tessaly::test {

// How a fake canvas lays the image out: screen pixels per image pixel, where
// the image's top-left corner lies in the scrolled area, the scroll position,
// the client size and the scroll range.
struct CanvasLayout {
    std::int32_t zoom = 1;
    ClientPoint origin;
    ClientPoint scroll;
    ClientPoint clientSize{400, 300};
    ClientPoint maxScroll{1000, 1000};
};

inline void PrintTo(const CanvasLayout& layout, std::ostream* os)
{
    *os << "zoom " << layout.zoom << " origin " << layout.origin.x << "," << layout.origin.y << " scroll "
        << layout.scroll.x << "," << layout.scroll.y;
}

// The canvas window as the tools see it: the edit canvas's own coordinate
// mapping over a given layout, and every request the tools make, recorded.
class FakeCanvas final : public CanvasGeometry, public CanvasHost {
public:
    FakeCanvas(CanvasLayout layout, std::int32_t imageWidth, std::int32_t imageHeight)
        : m_layout(layout)
        , m_mapping(layout.zoom, layout.origin, imageWidth, imageHeight)
    {
    }

    // A client point in the middle of a pixel (left of its centre when the zoom is even).
    ClientPoint centreOf(std::int32_t row, std::int32_t column) const
    {
        const ClientPoint corner = pixelToWindow(PixelPoint{row, column});
        return ClientPoint{corner.x + (m_layout.zoom - 1) / 2, corner.y + (m_layout.zoom - 1) / 2};
    }
    std::int32_t zoom() const { return m_layout.zoom; }

    PixelPoint windowToPixel(ClientPoint point) const override
    {
        return m_mapping.windowToPixel(point, m_layout.scroll);
    }
    ClientPoint pixelToWindow(PixelPoint pixel) const override
    {
        return m_mapping.pixelToWindow(pixel, m_layout.scroll);
    }
    PixelPoint deltaToPixels(ClientPoint delta) const override { return m_mapping.deltaToPixels(delta); }
    PixelRect visiblePixels() const override { return m_mapping.visiblePixels(m_layout.clientSize, m_layout.scroll); }
    ClientPoint scrollPosition() const override { return m_layout.scroll; }
    void scrollTo(ClientPoint position) override
    {
        m_layout.scroll = ClientPoint{std::clamp(position.x, 0, m_layout.maxScroll.x),
                                      std::clamp(position.y, 0, m_layout.maxScroll.y)};
    }

    void captureMouse() override { ++captures; }
    void releaseMouse() override { ++releases; }
    void startTimer(std::uint32_t id, std::uint32_t periodMs) override
    {
        timersStarted.push_back(id);
        timerPeriod = periodMs;
    }
    void killTimer(std::uint32_t id) override { timersKilled.push_back(id); }
    void setAutoScroll(bool enabled) override { autoScroll.push_back(enabled); }
    ClientPoint pointerPosition() const override { return pointer; }
    void setCursor(CanvasCursor c) override { cursor = c; }
    void showSelectionMenu(ClientPoint point, bool inside) override { menus.push_back(Menu{point, inside}); }
    void canvasReadout(PixelPoint pixel) override { readouts.push_back(pixel); }
    void invalidatePixels(const PixelRect& rect) override { invalidated.push_back(rect); }
    void invertSelectionFrame(const PixelRect& rect) override { frames.push_back(rect); }

    struct Menu {
        ClientPoint point;
        bool inside = false;
    };

    int captures = 0;
    int releases = 0;
    std::vector<std::uint32_t> timersStarted;
    std::vector<std::uint32_t> timersKilled;
    std::uint32_t timerPeriod = 0;
    std::vector<bool> autoScroll;
    ClientPoint pointer;
    CanvasCursor cursor = CanvasCursor::Arrow;
    std::vector<Menu> menus;
    std::vector<PixelPoint> readouts;
    std::vector<PixelRect> invalidated;
    std::vector<PixelRect> frames;

private:
    CanvasLayout m_layout;
    CanvasMapping m_mapping;
};

} // namespace tessaly::test
