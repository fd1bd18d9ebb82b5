#pragma once

#include <windows.h>

#include <cstdint>

#include "convert/dib_section_win32.h"
#include "editing/canvas_backgrounds.h"
#include "editing/canvas_controller.h"
#include "editing/canvas_geometry.h"
#include "editing/canvas_host.h"
#include "editing/canvas_layout.h"
#include "editing/canvas_renderer.h"
#include "editing/editing_status_sink.h"
#include "editing/model/edit_image.h"
#include "editing/model/edit_image_observer.h"
#include "editing/selection.h"
#include "editing/selection_menu_win32.h"
#include "editing/tool_state_observer.h"
#include "palette/model/palette.h"
#include "palette/model/palette_image_observer.h"
#include "ui/scroll_view_win32.h"

namespace tessaly {

// The scrolling window that shows the image under edit magnified, on the
// chosen background, with the grid, the mask overlay, the floating selection
// and the rubber bands, and hands every mouse, timer and popup event to the
// canvas controller. Painting composes the damaged part into one off-screen
// bitmap and copies it to the window once.
class EditCanvas final : public ScrollView,
                         public CanvasGeometry,
                         public CanvasHost,
                         public EditImageObserver,
                         public PaletteImageObserver,
                         public ToolStateObserver {
public:
    static constexpr int kBackgroundCount = CanvasBackgrounds::kCount;
    static constexpr int kDefaultBackground = CanvasBackgrounds::kDefault;

    EditCanvas(EditImage& image, Palette& palette, Selection& selection, CanvasController& controller);
    ~EditCanvas() override;

    // Creates the child window (scroll bars included) and lays out.
    bool create(const Window& parent, const RECT& rect, int id);
    void setStatusSink(EditingStatusSink* sink) { m_status = sink; }
    // The popup the select tool's right button shows, and whose commands
    // come back to this window.
    void setSelectionMenu(SelectionMenu* menu) { m_selectionMenu = menu; }

    // 0 (automatic) or 1, 2, 4, 8, 12, 16; a change lays out and scrolls home.
    void setZoom(std::int32_t z);
    std::int32_t currentZoomSetting() const { return m_layout.currentZoomSetting(); }
    std::int32_t zoom() const { return m_layout.zoom(); }
    ClientPoint origin() const { return m_layout.origin(); }
    // One of the eight backgrounds of the view menu, with its grid colour;
    // an index outside 0..7 is ignored.
    void setBackground(int index);
    int backgroundIndex() const { return m_backgroundIndex; }
    void setSolidBackground(ColorValue colour);
    void setTwoToneBackground(std::uint8_t level1, std::uint8_t level2);
    void setGridColour(ColorValue colour);
    void setGridShown(bool shown);
    void setMaskOverlay(bool on);
    const CanvasAppearance& appearance() const { return m_look; }

    void invalidateIndex(std::int32_t index) { invalidateIndexRange(index, index); }
    void invalidateIndexRange(std::int32_t first, std::int32_t last);
    // Tracks a popup menu at a client point, commands coming back to this window.
    void showContextMenu(HMENU menu, ClientPoint point);

    // What WM_PAINT draws for an update rectangle, the grey around the image
    // included, into any device context (the tests render into their own
    // bitmap this way). Nothing outside the rectangle is touched.
    void paintInto(HDC dc, const RECT& update);

    // CanvasGeometry
    PixelPoint windowToPixel(ClientPoint point) const override;
    ClientPoint pixelToWindow(PixelPoint pixel) const override;
    PixelPoint deltaToPixels(ClientPoint delta) const override;
    PixelRect visiblePixels() const override;
    ClientPoint scrollPosition() const override;
    void scrollTo(ClientPoint position) override;

    // CanvasHost
    void captureMouse() override;
    void releaseMouse() override;
    void startTimer(std::uint32_t id, std::uint32_t periodMs) override;
    void killTimer(std::uint32_t id) override;
    void setAutoScroll(bool enabled) override { ScrollView::setAutoScroll(enabled); }
    ClientPoint pointerPosition() const override;
    void setCursor(CanvasCursor cursor) override;
    void showSelectionMenu(ClientPoint point, bool inside) override;
    void canvasReadout(PixelPoint pixel) override;
    void invalidatePixels(const PixelRect& rect) override;
    void invertSelectionFrame(const PixelRect& rect) override;

    // EditImageObserver
    void pixelsChanged(const PixelRect& rect) override { invalidatePixels(rect); }
    void imageReplaced() override { relayout(ScrollHome::Yes); }

    // PaletteImageObserver
    void redrawAll() override;
    void repaintIndexRange(std::int32_t first, std::int32_t last) override { invalidateIndexRange(first, last); }

    // ToolStateObserver: the mask overlay is shown while the mask tool is current.
    void toolChanged(ToolId from, ToolId to) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class ScrollHome : bool { No, Yes };

    void relayout(ScrollHome home);
    // Takes the new look, repainting everything when it differs.
    void changeLook(const CanvasAppearance& look);
    ClientPoint clientSize() const;
    bool mouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void endMouseMode();
    void onPaint();
    // The image pixels a client rectangle touches, clipped to the image.
    PixelRect pixelsUnder(const RECT& update) const;
    CanvasOverlays overlays() const;
    void fillAround(const RECT& inside, std::int32_t width, std::int32_t height);
    // Renders range into the buffer with its top-left square at `at`.
    void composeSquares(const PixelRect& range, ClientPoint at);
    void drawFrame(HDC dc, const PixelRect& rect, const RECT& within) const;
    void repaintAll();

    EditImage& m_image;
    Palette& m_palette;
    Selection& m_selection;
    CanvasController& m_controller;
    EditingStatusSink* m_status = nullptr;
    SelectionMenu* m_selectionMenu = nullptr;
    CanvasLayout m_layout;
    CanvasAppearance m_look;
    int m_backgroundIndex = kDefaultBackground;
    CanvasRenderer m_renderer;
    DibSection m_buffer;
    HCURSOR m_cursor = nullptr;
    // Set while the controller releases the capture itself, so that the
    // capture change this causes is not taken for a lost drag.
    bool m_releasing = false;
};

} // namespace tessaly
