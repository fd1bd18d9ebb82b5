#pragma once

#include <array>
#include <cstdint>

#include "app/client_rect.h"
#include "app/preview_host.h"
#include "app/preview_layout.h"
#include "app/preview_renderer.h"
#include "app/preview_status_sink.h"
#include "editing/canvas_renderer.h"
#include "editing/model/edit_image.h"
#include "editing/model/edit_image_observer.h"
#include "image/color_value.h"
#include "palette/model/palette.h"
#include "palette/model/palette_image_observer.h"

namespace tessaly {

// The preview's state and rules, apart from its window: the view options,
// the layout, which part of the window each change of the image or the
// palette repaints, what a paint composes, and the readout for the status
// bar. It keeps no copy of the image: every paint reads the edit image.
class PreviewController final : public EditImageObserver, public PaletteImageObserver {
public:
    PreviewController(const EditImage& image, const Palette& palette);
    PreviewController(const PreviewController&) = delete;
    PreviewController& operator=(const PreviewController&) = delete;

    void setHost(PreviewHost* host) { m_host = host; }
    void setStatusSink(PreviewStatusSink* sink) { m_status = sink; }

    // 0x00BBGGRR; a change repaints everything.
    void setBackground(ColorValue colour);
    ColorValue background() const { return m_background; }
    void setAutoZoom(bool on);
    bool autoZoom() const { return m_autoZoom; }
    void setShowSelected(bool on);
    bool showSelected() const { return m_showSelected; }

    // The window's new client size.
    void resize(std::int32_t clientWidth, std::int32_t clientHeight);
    // Lays out again and repaints everything, erasing.
    void relayout();
    const PreviewLayout& layout() const { return m_layout; }

    // Repaints the part of the window that shows the image pixels of rect.
    void repaintPixels(const PixelRect& rect);
    // In palette mode, repaints the pixels whose index lies in first..last.
    void repaintIndices(std::int32_t first, std::int32_t last);
    // The pointer moved over the window: tell the status bar the scale.
    void pointerMoved();

    // What to compose for a client update area (nothing outside the image).
    PreviewPaint paintFor(const ClientRect& update) const { return m_layout.paintFor(update); }
    // Composes paint into out, which holds paint.destination's size;
    // highlight is the system's highlight colour. False when there is
    // nothing to copy to the screen.
    bool compose(const PreviewPaint& paint, ColorValue highlight, const CanvasPixels& out);

    // EditImageObserver
    void pixelsChanged(const PixelRect& rect) override { repaintPixels(rect); }
    void imageReplaced() override { relayout(); }

    // PaletteImageObserver
    void redrawAll() override { relayout(); }
    void repaintIndexRange(std::int32_t first, std::int32_t last) override { repaintIndices(first, last); }

private:
    void invalidateAll(PreviewHost::Erase erase);

    const EditImage& m_image;
    const Palette& m_palette;
    PreviewHost* m_host = nullptr;
    PreviewStatusSink* m_status = nullptr;
    ColorValue m_background = makeColor(255, 255, 255);
    bool m_autoZoom = false;
    bool m_showSelected = false;
    std::int32_t m_clientWidth = 0;
    std::int32_t m_clientHeight = 0;
    PreviewLayout m_layout;
    PreviewRenderer m_renderer;
    std::array<ColorValue, 256> m_colours{};
};

} // namespace tessaly
