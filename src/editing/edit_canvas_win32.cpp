#include "editing/edit_canvas_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

constexpr ColorValue grey(std::uint8_t level)
{
    return makeColor(level, level, level);
}

ClientPoint pointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

ModifierKeys keysOf(WPARAM wParam)
{
    return {(wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0};
}

} // namespace

EditCanvas::EditCanvas(EditImage& image, Palette& palette, Selection& selection, CanvasController& controller)
    : m_image(image)
    , m_palette(palette)
    , m_selection(selection)
    , m_controller(controller)
{
    CanvasBackgrounds::apply(kDefaultBackground, m_look);
    m_cursor = LoadCursorW(nullptr, IDC_ARROW);
}

EditCanvas::~EditCanvas()
{
    destroy();
}

bool EditCanvas::create(const Window& parent, const RECT& rect, int id)
{
    // The canvas paints the grey around the image in the same blit as the
    // image, so nothing flickers, and answers WM_SETCURSOR with its own cursor.
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS, id))
        return false;
    relayout(ScrollHome::Yes);
    return true;
}

void EditCanvas::setZoom(std::int32_t z)
{
    if (m_layout.setZoom(z))
        relayout(ScrollHome::Yes);
}

void EditCanvas::setBackground(int index)
{
    CanvasAppearance look = m_look;
    if (!CanvasBackgrounds::apply(index, look))
        return;
    m_backgroundIndex = index;
    changeLook(look);
}

void EditCanvas::setSolidBackground(ColorValue colour)
{
    CanvasAppearance look = m_look;
    look.twoTone = false;
    look.background1 = colour;
    changeLook(look);
}

void EditCanvas::setTwoToneBackground(std::uint8_t level1, std::uint8_t level2)
{
    CanvasAppearance look = m_look;
    look.twoTone = true;
    look.background1 = grey(level1);
    look.background2 = grey(level2);
    changeLook(look);
}

void EditCanvas::setGridColour(ColorValue colour)
{
    CanvasAppearance look = m_look;
    look.gridColour = colour;
    changeLook(look);
}

void EditCanvas::setGridShown(bool shown)
{
    CanvasAppearance look = m_look;
    look.gridShown = shown;
    changeLook(look);
}

void EditCanvas::setMaskOverlay(bool on)
{
    CanvasAppearance look = m_look;
    look.maskOverlay = on;
    changeLook(look);
}

void EditCanvas::changeLook(const CanvasAppearance& look)
{
    if (m_look == look)
        return;
    m_look = look;
    repaintAll();
}

void EditCanvas::invalidateIndexRange(std::int32_t first, std::int32_t last)
{
    if (!m_image.hasImage() || m_image.bitCount() > 8)
        return;
    invalidatePixels(m_image.valueBounds(first, last));
}

void EditCanvas::showContextMenu(HMENU menu, ClientPoint point)
{
    POINT screen{point.x, point.y};
    ClientToScreen(handle(), &screen);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, handle(), nullptr);
}

void EditCanvas::redrawAll()
{
    repaintAll();
}

void EditCanvas::toolChanged(ToolId from, ToolId to)
{
    if (to == ToolId::MaskAdjust)
        setMaskOverlay(true);
    else if (from == ToolId::MaskAdjust)
        setMaskOverlay(false);
}

void EditCanvas::relayout(ScrollHome home)
{
    if (!handle())
        return;
    const ClientPoint size = clientSize();
    m_layout.layout(m_image.width(), m_image.height(), size.x, size.y);
    setContentSize(m_layout.extent().x, m_layout.extent().y);
    InvalidateRect(handle(), nullptr, TRUE);
    if (home == ScrollHome::Yes && m_image.hasImage())
        ScrollView::scrollTo(m_layout.homePosition().x, m_layout.homePosition().y);
}

ClientPoint EditCanvas::clientSize() const
{
    RECT client{};
    clientRect(client);
    return {client.right, client.bottom};
}

void EditCanvas::repaintAll()
{
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

// CanvasGeometry

PixelPoint EditCanvas::windowToPixel(ClientPoint point) const
{
    return m_layout.zoom() > 0 ? m_layout.windowToPixel(point, scrollPosition()) : PixelPoint{-1, -1};
}

ClientPoint EditCanvas::pixelToWindow(PixelPoint pixel) const
{
    return m_layout.pixelToWindow(pixel, scrollPosition());
}

PixelPoint EditCanvas::deltaToPixels(ClientPoint delta) const
{
    return m_layout.zoom() > 0 ? m_layout.deltaToPixels(delta) : PixelPoint{};
}

PixelRect EditCanvas::visiblePixels() const
{
    return m_layout.zoom() > 0 ? m_layout.visiblePixels(clientSize(), scrollPosition()) : PixelRect{};
}

ClientPoint EditCanvas::scrollPosition() const
{
    const POINT position = ScrollView::scrollPosition();
    return {position.x, position.y};
}

void EditCanvas::scrollTo(ClientPoint position)
{
    ScrollView::scrollTo(position.x, position.y);
}

// CanvasHost

void EditCanvas::captureMouse()
{
    setCapture(true);
}

void EditCanvas::releaseMouse()
{
    m_releasing = true;
    setCapture(false);
    m_releasing = false;
}

void EditCanvas::startTimer(std::uint32_t id, std::uint32_t periodMs)
{
    SetTimer(handle(), id, periodMs, nullptr);
}

void EditCanvas::killTimer(std::uint32_t id)
{
    KillTimer(handle(), id);
}

ClientPoint EditCanvas::pointerPosition() const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(handle(), &cursor);
    return {cursor.x, cursor.y};
}

void EditCanvas::setCursor(CanvasCursor cursor)
{
    const wchar_t* shape = IDC_ARROW;
    switch (cursor) {
    case CanvasCursor::Arrow:
        break;
    case CanvasCursor::SizeAll:
        shape = IDC_SIZEALL;
        break;
    case CanvasCursor::SizeNS:
        shape = IDC_SIZENS;
        break;
    case CanvasCursor::SizeWE:
        shape = IDC_SIZEWE;
        break;
    case CanvasCursor::SizeNWSE:
        shape = IDC_SIZENWSE;
        break;
    case CanvasCursor::SizeNESW:
        shape = IDC_SIZENESW;
        break;
    }
    m_cursor = LoadCursorW(nullptr, shape);
    SetCursor(m_cursor);
}

void EditCanvas::showSelectionMenu(ClientPoint point, bool inside)
{
    if (!m_selectionMenu)
        return;
    if (HMENU menu = m_selectionMenu->prepare(inside))
        showContextMenu(menu, point);
}

void EditCanvas::canvasReadout(PixelPoint pixel)
{
    if (m_status)
        m_status->canvasReadout(pixel);
}

void EditCanvas::invalidatePixels(const PixelRect& rect)
{
    if (!handle() || rect.isEmpty() || m_layout.zoom() == 0)
        return;
    const std::int32_t zoom = m_layout.zoom();
    const ClientPoint corner = pixelToWindow({rect.top, rect.left});
    const RECT area{corner.x, corner.y, corner.x + rect.columns() * zoom + 1, corner.y + rect.rows() * zoom + 1};
    InvalidateRect(handle(), &area, FALSE);
}

void EditCanvas::invertSelectionFrame(const PixelRect& rect)
{
    if (!handle())
        return;
    HDC dc = GetDC(handle());
    RECT client{};
    clientRect(client);
    drawFrame(dc, rect, client);
    ReleaseDC(handle(), dc);
}

// Four one-pixel inverted lines on the pixel boundaries around rect, clipped
// to the image and its closing grid line, and to `within`.
void EditCanvas::drawFrame(HDC dc, const PixelRect& rect, const RECT& within) const
{
    const std::int32_t zoom = m_layout.zoom();
    if (rect.isEmpty() || zoom == 0 || !m_image.hasImage())
        return;
    const ClientPoint image = pixelToWindow({0, 0});
    const RECT area{image.x, image.y, image.x + m_image.width() * zoom + 1, image.y + m_image.height() * zoom + 1};
    RECT clip{};
    if (!IntersectRect(&clip, &area, &within))
        return;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    const ClientPoint topLeft = pixelToWindow({rect.top, rect.left});
    const ClientPoint bottomRight = pixelToWindow({rect.bottom + 1, rect.right + 1});
    const int across = rect.columns() * zoom + 1;
    const int down = rect.rows() * zoom - 1;
    PatBlt(dc, topLeft.x, topLeft.y, across, 1, DSTINVERT);
    PatBlt(dc, topLeft.x, bottomRight.y, across, 1, DSTINVERT);
    PatBlt(dc, topLeft.x, topLeft.y + 1, 1, down, DSTINVERT);
    PatBlt(dc, bottomRight.x, topLeft.y + 1, 1, down, DSTINVERT);
    RestoreDC(dc, saved);
}

// Painting

// The whole update rectangle, grey surround included, is composed off
// screen and copied with one blit: nothing is erased first, so nothing
// flickers, and the blit itself keeps to the update rectangle.
void EditCanvas::paintInto(HDC dc, const RECT& update)
{
    if (IsRectEmpty(&update))
        return;
    const std::int32_t zoom = m_layout.zoom();
    if (zoom == 0 || !m_image.hasImage()) {
        FillRect(dc, &update, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        return;
    }
    // The squares cut by the update rectangle are composed whole.
    const PixelRect range = pixelsUnder(update);
    RECT area = update;
    RECT squares{};
    if (!range.isEmpty()) {
        const ClientPoint corner = pixelToWindow({range.top, range.left});
        const CanvasPixels size = CanvasRenderer::outputSize(range, zoom, m_look);
        squares = {corner.x, corner.y, corner.x + size.width, corner.y + size.height};
        UnionRect(&area, &update, &squares);
    }
    if (!m_buffer.reserve32(area.right - area.left, area.bottom - area.top))
        return;
    OffsetRect(&squares, -area.left, -area.top);
    fillAround(squares, area.right - area.left, area.bottom - area.top);
    if (!range.isEmpty())
        composeSquares(range, ClientPoint{squares.left, squares.top});
    m_buffer.copyBitsTo(dc, update, POINT{update.left - area.left, update.top - area.top});
    drawFrame(dc, m_selection.rect(), update);
}

// Fills the buffer's top-left width x height grey, except the rectangle inside.
void EditCanvas::fillAround(const RECT& inside, std::int32_t width, std::int32_t height)
{
    constexpr ColorValue kGrey = makeColor(128, 128, 128);
    if (IsRectEmpty(&inside)) {
        m_buffer.fillRect32(RECT{0, 0, width, height}, kGrey);
        return;
    }
    m_buffer.fillRect32(RECT{0, 0, width, inside.top}, kGrey);
    m_buffer.fillRect32(RECT{0, inside.bottom, width, height}, kGrey);
    m_buffer.fillRect32(RECT{0, inside.top, inside.left, inside.bottom}, kGrey);
    m_buffer.fillRect32(RECT{inside.right, inside.top, width, inside.bottom}, kGrey);
}

void EditCanvas::composeSquares(const PixelRect& range, ClientPoint at)
{
    std::array<ColorValue, 256> palette{};
    m_palette.copyRange(0, palette);
    const CanvasPixels size = CanvasRenderer::outputSize(range, m_layout.zoom(), m_look);
    // The section is bottom-up: its top row lies last in memory.
    auto* top = reinterpret_cast<std::uint32_t*>(m_buffer.bits() + static_cast<std::ptrdiff_t>(m_buffer.bytesPerRow()) *
                                                                       (m_buffer.height() - 1 - at.y));
    const std::ptrdiff_t stride = -m_buffer.bytesPerRow() / 4;
    const CanvasPixels pixels{top + at.x, stride, size.width, size.height};
    m_renderer.render(m_image, palette, range, m_layout.zoom(), m_look, overlays(), pixels);
}

PixelRect EditCanvas::pixelsUnder(const RECT& update) const
{
    const std::int32_t zoom = m_layout.zoom();
    const ClientPoint corner = pixelToWindow({0, 0});
    const RECT image{corner.x, corner.y, corner.x + m_image.width() * zoom + 1, corner.y + m_image.height() * zoom + 1};
    RECT common{};
    if (!IntersectRect(&common, &update, &image))
        return {};
    const auto clamp = [](std::int32_t v, std::int32_t last) { return std::clamp(v, 0, last); };
    return {clamp((update.top - corner.y) / zoom, m_image.height() - 1),
            clamp((update.left - corner.x) / zoom, m_image.width() - 1),
            clamp((update.bottom - corner.y) / zoom, m_image.height() - 1),
            clamp((update.right - corner.x) / zoom, m_image.width() - 1)};
}

CanvasOverlays EditCanvas::overlays() const
{
    CanvasOverlays result;
    if (m_selection.hasContent() && m_selection.hasRect()) {
        result.floating = &m_selection.display();
        result.floatingRect = m_selection.rect();
    }
    const LineDrag& line = m_controller.lineDrag();
    result.lineActive = line.isActive();
    result.lineStart = line.startPoint();
    result.lineEnd = line.endPoint();
    result.lineValue = line.value();
    result.lineMask = line.mask();
    const RectDrag& rect = m_controller.rectDrag();
    if (rect.isActive())
        result.rectPreview = rect.rect();
    result.rectValue = rect.value();
    result.rectMask = rect.mask();
    return result;
}

void EditCanvas::onPaint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    paintInto(dc, paint.rcPaint);
    EndPaint(handle(), &paint);
}

// Messages

LRESULT EditCanvas::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        ScrollView::handleMessage(message, wParam, lParam);
        relayout(ScrollHome::No);
        return 0;
    case WM_ERASEBKGND:
        // Painting covers the whole update rectangle itself.
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_COMMAND:
        if (m_selectionMenu)
            m_selectionMenu->execute(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.timerTick(static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_MENUSELECT:
        // Also the closing menu (id 0), which empties the hint.
        if (m_status)
            m_status->selectionPopupHint(LOWORD(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT)
            return defaultProcess(message, wParam, lParam);
        SetCursor(m_cursor);
        return TRUE;
    case WM_CAPTURECHANGED:
        ScrollView::handleMessage(message, wParam, lParam);
        // Another window took the mouse (a menu, a message box) or the
        // capture was let go under the drag: its release will never arrive.
        if (!m_releasing && reinterpret_cast<HWND>(lParam) != handle())
            m_controller.captureLost();
        return 0;
    case WM_CANCELMODE:
        endMouseMode();
        return ScrollView::handleMessage(message, wParam, lParam);
    case WM_ENABLE:
        if (wParam == FALSE)
            endMouseMode();
        return ScrollView::handleMessage(message, wParam, lParam);
    case WM_DESTROY:
        endMouseMode();
        return ScrollView::handleMessage(message, wParam, lParam);
    default:
        if (mouseMessage(message, wParam, lParam))
            return 0;
        return ScrollView::handleMessage(message, wParam, lParam);
    }
}

// A cancelled mode, a disabling and the end of the window all end whatever
// drag is open; letting go of the capture then stops the base's drag too.
void EditCanvas::endMouseMode()
{
    m_controller.captureLost();
    setCapture(false);
}

// The base takes the capture and runs the drag auto-scroll; then the tool acts.
bool EditCanvas::mouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const ClientPoint point = pointOf(lParam);
    const ModifierKeys keys = keysOf(wParam);
    switch (message) {
    case WM_MOUSEMOVE:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.mouseMove(point, keys);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.buttonDown(message == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right, point, keys);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        // The base lets go of the capture first; that must not look like a
        // lost drag before the controller has seen the release.
        m_releasing = true;
        ScrollView::handleMessage(message, wParam, lParam);
        m_releasing = false;
        m_controller.buttonUp(message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right, point, keys);
        // The base lets go on the release of either button, so the other
        // button's release leaves a drag still open without the capture.
        if (GetCapture() != handle())
            m_controller.captureLost();
        return true;
    case WM_LBUTTONDBLCLK:
        m_controller.doubleClick(MouseButton::Left, point, keys);
        return true;
    default:
        return false;
    }
}

} // namespace tessaly
