#pragma once

#include <windows.h>

#include <cstdint>

#include "app/preview_controller.h"
#include "app/preview_host.h"
#include "convert/dib_section_win32.h"
#include "editing/model/edit_image.h"
#include "palette/model/palette.h"
#include "ui/window_win32.h"

namespace tessaly {

// The child window that shows the image under edit as the desktop would:
// its PreviewController decides what is shown where; the window turns
// messages into calls on it and copies the composed pixels to the screen
// in one blit per paint. The area around the image is the face colour.
class PreviewWindow final : public Window, private PreviewHost {
public:
    // The background choices, in the order settings keep them: desktop,
    // active title, inactive title, Explorer (white), taskbar.
    static constexpr std::int32_t kBackgroundChoices = 5;
    static constexpr std::int32_t kDefaultBackgroundChoice = 3;

    PreviewWindow(const EditImage& image, const Palette& palette);
    ~PreviewWindow() override;

    bool create(const Window& parent, const RECT& rect, int id);
    // The observer of the edit image and the palette, and the view options.
    PreviewController& controller() { return m_controller; }
    const PreviewController& controller() const { return m_controller; }
    void setStatusSink(PreviewStatusSink* sink) { m_controller.setStatusSink(sink); }

    // The colour of a background choice as the system has it now; a choice
    // outside 0..4 is black.
    static ColorValue backgroundColour(std::int32_t choice);
    void setBackgroundChoice(std::int32_t choice) { m_controller.setBackground(backgroundColour(choice)); }

    // What WM_PAINT copies for an update rectangle, into any device context
    // (the tests paint into their own bitmap this way); only the image's
    // part of it: WM_ERASEBKGND paints around the image.
    void paintInto(HDC dc, const RECT& update);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // PreviewHost
    void invalidateAll(Erase erase) override;
    void invalidateArea(const ClientRect& area) override;

    void eraseAroundImage(HDC dc);
    void onPaint();

    PreviewController m_controller;
    DibSection m_buffer;
};

} // namespace tessaly
