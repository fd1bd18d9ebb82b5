#include "app/preview_window_win32.h"

#include <array>

#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

constexpr int kWhite = -1;

// The system colour each background choice takes, or white.
constexpr std::array<int, PreviewWindow::kBackgroundChoices> kBackgroundSources{
    COLOR_BACKGROUND, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION, kWhite, COLOR_BTNFACE};

RECT toRect(const ClientRect& area)
{
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace

PreviewWindow::PreviewWindow(const EditImage& image, const Palette& palette)
    : m_controller(image, palette)
{
    m_controller.setHost(this);
}

PreviewWindow::~PreviewWindow()
{
    destroy();
}

bool PreviewWindow::create(const Window& parent, const RECT& rect, int id)
{
    // The erase paints only around the image, which the paint covers, so
    // nothing flickers.
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, id))
        return false;
    RECT client{};
    clientRect(client);
    m_controller.resize(client.right, client.bottom);
    return true;
}

ColorValue PreviewWindow::backgroundColour(std::int32_t choice)
{
    if (choice < 0 || choice >= kBackgroundChoices)
        return makeColor(0, 0, 0);
    const int source = kBackgroundSources[static_cast<std::size_t>(choice)];
    return source == kWhite ? makeColor(255, 255, 255) : static_cast<ColorValue>(GetSysColor(source));
}

void PreviewWindow::invalidateAll(Erase erase)
{
    if (handle())
        InvalidateRect(handle(), nullptr, erase == Erase::Yes ? TRUE : FALSE);
}

void PreviewWindow::invalidateArea(const ClientRect& area)
{
    if (!handle())
        return;
    const RECT rect = toRect(area);
    InvalidateRect(handle(), &rect, FALSE);
}

void PreviewWindow::eraseAroundImage(HDC dc)
{
    RECT client{};
    clientRect(client);
    const RECT image = toRect(m_controller.layout().imageArea());
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, image.left, image.top, image.right, image.bottom);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
}

void PreviewWindow::paintInto(HDC dc, const RECT& update)
{
    const PreviewPaint paint = m_controller.paintFor({update.left, update.top, update.right, update.bottom});
    if (paint.isEmpty())
        return;
    const std::int32_t width = paint.destination.width();
    const std::int32_t height = paint.destination.height();
    if (!m_buffer.reserve32(width, height))
        return;
    // The section is bottom-up: its top row lies last in memory.
    auto* top = reinterpret_cast<std::uint32_t*>(m_buffer.bits() + static_cast<std::ptrdiff_t>(m_buffer.bytesPerRow()) *
                                                                       (m_buffer.height() - 1));
    const CanvasPixels pixels{top, -m_buffer.bytesPerRow() / 4, width, height};
    if (m_controller.compose(paint, static_cast<ColorValue>(GetSysColor(COLOR_HIGHLIGHT)), pixels))
        m_buffer.copyBitsTo(dc, toRect(paint.destination), POINT{0, 0});
}

void PreviewWindow::onPaint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    paintInto(dc, paint.rcPaint);
    EndPaint(handle(), &paint);
}

LRESULT PreviewWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        m_controller.resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        eraseAroundImage(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_MOUSEMOVE:
        m_controller.pointerMoved();
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

} // namespace tessaly
