#pragma once

#include <cstdint>

#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"

namespace tessaly::test {

// A canvas at zoom 1 with the image at the client origin, that grants every
// request and records nothing: for the benchmarks, which must not grow.
class PlainCanvas final : public CanvasGeometry, public CanvasHost {
public:
    explicit PlainCanvas(std::int32_t side)
        : m_side(side)
    {
    }

    PixelPoint windowToPixel(ClientPoint p) const override { return {p.y, p.x}; }
    ClientPoint pixelToWindow(PixelPoint p) const override { return {p.column, p.row}; }
    PixelPoint deltaToPixels(ClientPoint d) const override { return {d.y, d.x}; }
    PixelRect visiblePixels() const override { return {0, 0, m_side - 1, m_side - 1}; }
    ClientPoint scrollPosition() const override { return {}; }
    void scrollTo(ClientPoint) override {}
    void captureMouse() override {}
    void releaseMouse() override {}
    void startTimer(std::uint32_t, std::uint32_t) override {}
    void killTimer(std::uint32_t) override {}
    void setAutoScroll(bool) override {}
    ClientPoint pointerPosition() const override { return {}; }
    void setCursor(CanvasCursor) override {}
    void showSelectionMenu(ClientPoint, bool) override {}
    void canvasReadout(PixelPoint) override {}
    void invalidatePixels(const PixelRect&) override {}
    void invertSelectionFrame(const PixelRect&) override {}

private:
    std::int32_t m_side;
};

} // namespace tessaly::test
