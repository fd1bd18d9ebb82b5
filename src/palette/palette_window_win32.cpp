#include "palette/palette_window_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "palette/colour_blit_win32.h"
#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

ClientPoint pointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

std::wstring wideOf(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

} // namespace

PaletteWindow::PaletteWindow(Palette& palette, PaletteWindowController& controller)
    : m_palette(palette)
    , m_controller(controller)
{
    // The 50 % checkerboard the range marks are inverted with; rows are
    // padded to 16 bits.
    static constexpr WORD kRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    m_patternBitmap = CreateBitmap(8, 8, 1, 1, kRows);
    if (m_patternBitmap)
        m_pattern = CreatePatternBrush(m_patternBitmap);
}

PaletteWindow::~PaletteWindow()
{
    destroy();
    m_controller.setView(nullptr);
    if (m_menu)
        DestroyMenu(m_menu);
    if (m_pattern)
        DeleteObject(m_pattern);
    if (m_patternBitmap)
        DeleteObject(m_patternBitmap);
}

bool PaletteWindow::create(const Window& parent, const RECT& rect, int id)
{
    if (!m_menu) {
        m_menu = CreatePopupMenu();
        for (const PaletteMenu::Item& item : PaletteMenu::kLayout)
            AppendMenuW(m_menu, MF_STRING, item.id, wideOf(item.text).c_str());
    }
    m_controller.setView(this);
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, id)) {
        m_controller.setView(nullptr);
        return false;
    }
    setAutoScroll(true);
    RECT client{};
    clientRect(client);
    m_controller.resize(client.right, client.bottom);
    return true;
}

// PaletteView

ClientPoint PaletteWindow::scrollPosition() const
{
    const POINT position = ScrollView::scrollPosition();
    return {position.x, position.y};
}

void PaletteWindow::setContentHeight(std::int32_t height)
{
    setContentSize(0, height);
    if (handle())
        InvalidateRect(handle(), nullptr, TRUE);
}

void PaletteWindow::invalidate(const ViewRect& area)
{
    if (!handle() || area.isEmpty())
        return;
    const RECT rect = rectOf(area);
    InvalidateRect(handle(), &rect, FALSE);
}

void PaletteWindow::drawOutline(const ViewRect& outline, ColorValue colour)
{
    if (!handle())
        return;
    HDC dc = GetDC(handle());
    HBRUSH brush = CreateSolidBrush(colorRefOf(colour));
    const RECT rect = rectOf(outline);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
    ReleaseDC(handle(), dc);
}

void PaletteWindow::prepareMenu(const PaletteMenu& menu)
{
    for (const PaletteMenu::Item& item : menu.items())
        EnableMenuItem(m_menu, item.id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
}

void PaletteWindow::showMenu(ClientPoint point, const PaletteMenu& menu)
{
    if (!m_menu || !handle())
        return;
    prepareMenu(menu);
    POINT screen{point.x, point.y};
    ClientToScreen(handle(), &screen);
    TrackPopupMenu(m_menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, handle(), nullptr);
}

// Painting

void PaletteWindow::paintInto(HDC dc, const RECT& update)
{
    RECT client{};
    clientRect(client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, update.left, update.top, update.right, update.bottom);
    erase(dc, client);
    RestoreDC(dc, saved);
    paintCells(dc, update);
}

// Grid colour where the cells are (they paint over it), the button face
// right of and below the grid.
void PaletteWindow::erase(HDC dc, const RECT& client) const
{
    const PaletteGrid& grid = m_controller.grid();
    const ColorValue face = colorValueOf(GetSysColor(COLOR_BTNFACE));
    const ViewRect all{client.left, client.top, client.right, client.bottom};
    if (!grid.drawsAnything()) {
        fillSolid(dc, all, face);
        return;
    }
    const ClientPoint end = grid.gridEnd(scrollPosition());
    fillSolid(dc, ViewRect{0, 0, end.x, end.y}, PaletteWindowController::kGridColour);
    fillSolid(dc, ViewRect{end.x, 0, all.right, end.y}, face);
    fillSolid(dc, ViewRect{0, end.y, all.right, all.bottom}, face);
}

void PaletteWindow::paintCells(HDC dc, const RECT& update) const
{
    const PaletteGrid& grid = m_controller.grid();
    const ClientPoint scroll = scrollPosition();
    const PaletteGrid::CellSpan span =
        grid.cellsMeeting(ViewRect{update.left, update.top, update.right, update.bottom}, scroll);
    if (span.isEmpty())
        return;
    const ColorValue face = colorValueOf(GetSysColor(COLOR_BTNFACE));
    const std::int32_t n = m_palette.length();
    for (std::int32_t row = span.firstRow; row <= span.lastRow; ++row) {
        for (std::int32_t column = span.firstColumn; column <= span.lastColumn; ++column) {
            const std::int64_t index = static_cast<std::int64_t>(row) * grid.columns() + column;
            if (index < n) {
                const auto i = static_cast<std::int32_t>(index);
                fillSolid(dc, grid.colourSquare(i, scroll), m_palette.entry(i) & 0x00FFFFFFu);
            } else {
                fillSolid(dc, grid.missingCell(static_cast<std::int32_t>(index), scroll), face);
            }
        }
    }
    invertRangeMarks(dc, span);
    const std::int32_t selected = m_controller.selectedIndex();
    if (selected >= 0) {
        HBRUSH white = CreateSolidBrush(colorRefOf(PaletteWindowController::kFrameColour));
        const RECT frame = rectOf(grid.frame(selected, scroll));
        FrameRect(dc, &frame, white);
        DeleteObject(white);
    }
}

// Only the marks of cells painted in this pass: inverting any other would
// turn it back.
void PaletteWindow::invertRangeMarks(HDC dc, const PaletteGrid::CellSpan& span) const
{
    if (!m_controller.rangeShown() || !m_pattern)
        return;
    const PaletteGrid& grid = m_controller.grid();
    const ClientPoint scroll = scrollPosition();
    // The pattern is tied to the content, not the client area, so that marks
    // moved by scrolling and marks painted afterwards match.
    POINT oldOrigin{};
    SetBrushOrgEx(dc, (8 - scroll.x % 8) % 8, (8 - scroll.y % 8) % 8, &oldOrigin);
    const HGDIOBJ oldBrush = SelectObject(dc, m_pattern);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const std::int32_t last = std::min(m_controller.rangeEnd(), m_palette.length() - 1);
    for (std::int32_t i = std::max(m_controller.rangeStart(), 0); i <= last; ++i) {
        const std::int32_t row = i / grid.columns();
        const std::int32_t column = i % grid.columns();
        if (row < span.firstRow || row > span.lastRow || column < span.firstColumn || column > span.lastColumn)
            continue;
        const ViewRect mark = grid.rangeMark(i, scroll);
        PatBlt(dc, mark.left, mark.top, mark.width(), mark.height(), PATINVERT);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldBrush);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

// Messages

LRESULT PaletteWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        ScrollView::handleMessage(message, wParam, lParam);
        // Setting the page can show or hide the bar, which sends a size
        // change of its own first: the size this message carries may be old.
        RECT client{};
        clientRect(client);
        m_controller.resize(client.right, client.bottom);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        clientRect(client);
        erase(reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(handle(), &paint);
        paintCells(dc, paint.rcPaint);
        EndPaint(handle(), &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        clientRect(client);
        paintInto(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_COMMAND:
        m_controller.menuCommand(LOWORD(wParam));
        return 0;
    case WM_MENUSELECT:
        // Also the closing menu (id 0), which empties the hint.
        m_controller.menuHighlight(LOWORD(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        ScrollView::handleMessage(message, wParam, lParam);
        if (!m_releasing && reinterpret_cast<HWND>(lParam) != handle())
            m_controller.captureLost();
        return 0;
    default:
        if (mouseMessage(message, lParam, wParam))
            return 0;
        return ScrollView::handleMessage(message, wParam, lParam);
    }
}

// The scroll view takes the capture and scrolls while a button is held
// outside; then the controller acts.
bool PaletteWindow::mouseMessage(UINT message, LPARAM lParam, WPARAM wParam)
{
    const ClientPoint point = pointOf(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.mouseMove(point);
        return true;
    case WM_LBUTTONDOWN:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.leftButtonDown(point);
        return true;
    case WM_RBUTTONDOWN:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.rightButtonDown(point);
        return true;
    case WM_RBUTTONUP:
        m_releasing = true;
        ScrollView::handleMessage(message, wParam, lParam);
        m_releasing = false;
        m_controller.rightButtonUp(point);
        return true;
    default:
        return false;
    }
}

} // namespace tessaly
