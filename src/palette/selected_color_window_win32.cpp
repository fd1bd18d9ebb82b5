#include "palette/selected_color_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "palette/color_window_colors.h"
#include "palette/colour_blit_win32.h"
#include "palette/value_box_rules.h"
#include "ui/module_instance_win32.h"
#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

constexpr UINT_PTR kBoxSubclass = 1;
constexpr const wchar_t* kChannelLabels[ColorWindowLayout::kMaxChannels] = {L"赤", L"緑", L"青", L"透"};
constexpr const wchar_t* kLampLabel = L"反";

ColorValue systemColour(int index)
{
    return colorValueOf(GetSysColor(index));
}

bool meets(const ViewRect& area, const RECT& update)
{
    return !area.isEmpty() && area.left < update.right && area.right > update.left && area.top < update.bottom &&
           area.bottom > update.top;
}

// A one-pixel frame just outside area: shadow on the top and left,
// highlight on the bottom and right.
void drawSunkenBorder(HDC dc, const ViewRect& r)
{
    const ColorValue shadow = systemColour(COLOR_BTNSHADOW);
    const ColorValue light = systemColour(COLOR_BTNHIGHLIGHT);
    fillSolid(dc, ViewRect{r.left - 1, r.top - 1, r.right, r.top}, shadow);
    fillSolid(dc, ViewRect{r.left - 1, r.top, r.left, r.bottom}, shadow);
    fillSolid(dc, ViewRect{r.left - 1, r.bottom, r.right + 1, r.bottom + 1}, light);
    fillSolid(dc, ViewRect{r.right, r.top - 1, r.right + 1, r.bottom}, light);
}

void drawLabel(HDC dc, const ViewRect& box, const wchar_t* text)
{
    RECT rect = rectOf(box);
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

// The outline triangle in the thumb's box, pointing up at the bar; its
// bottom line runs one pixel past the right corner so that it is drawn too.
void drawThumb(HDC dc, const ViewRect& box)
{
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int apex = box.left + ColorWindowLayout::kThumbWidth / 2;
    MoveToEx(dc, apex, box.top, nullptr);
    LineTo(dc, box.left, box.bottom);
    MoveToEx(dc, apex, box.top, nullptr);
    LineTo(dc, box.right, box.bottom);
    MoveToEx(dc, box.left, box.bottom, nullptr);
    LineTo(dc, box.right + 1, box.bottom);
    SelectObject(dc, oldPen);
}

void drawGlyph(HDC dc, const ViewRect& button, bool plus)
{
    if (button.isEmpty())
        return;
    const ColorValue text = systemColour(COLOR_BTNTEXT);
    const std::int32_t midY = button.top + button.height() / 2;
    fillSolid(dc, ViewRect{button.left, midY, button.right, midY + 1}, text);
    if (plus) {
        const std::int32_t midX = button.left + button.width() / 2;
        fillSolid(dc, ViewRect{midX, button.top, midX + 1, button.bottom}, text);
    }
}

} // namespace

SelectedColorWindow::SelectedColorWindow(ColorWindowController& controller)
    : m_controller(controller)
{
}

SelectedColorWindow::~SelectedColorWindow()
{
    destroy();
    m_controller.setView(nullptr);
}

bool SelectedColorWindow::create(const Window& parent, const RECT& rect, int id)
{
    m_controller.setView(this);
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, id)) {
        m_controller.setView(nullptr);
        return false;
    }
    RECT client{};
    clientRect(client);
    m_controller.resize(client.right, client.bottom);
    return true;
}

// The value boxes

bool SelectedColorWindow::createBoxes()
{
    for (std::int32_t i = 0; i < ColorWindowLayout::kMaxChannels; ++i) {
        HWND box =
            CreateWindowExW(0, L"EDIT", L"0", WS_CHILD | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, 0, 0, 0, 0, handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), moduleInstance(), nullptr);
        if (!box)
            return false;
        m_boxes[static_cast<std::size_t>(i)] = box;
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SendMessageW(box, EM_LIMITTEXT, ValueBoxRules::kMaxCharacters, 0);
        // The box is 20 pixels wide: three digits fit only without the
        // control's own margins.
        SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        SetWindowSubclass(box, boxProcedure, kBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
    return true;
}

void SelectedColorWindow::destroyBoxes()
{
    for (HWND& box : m_boxes) {
        if (!box)
            continue;
        RemoveWindowSubclass(box, boxProcedure, kBoxSubclass);
        DestroyWindow(box);
        box = nullptr;
    }
}

bool SelectedColorWindow::ownsWindow(HWND window) const
{
    return window != nullptr && (window == handle() || boxIndex(window) >= 0);
}

std::int32_t SelectedColorWindow::boxIndex(HWND box) const
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i] == box)
            return static_cast<std::int32_t>(i);
    }
    return -1;
}

LRESULT CALLBACK SelectedColorWindow::boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                   DWORD_PTR self)
{
    auto* window = reinterpret_cast<SelectedColorWindow*>(self);
    const std::int32_t index = window->boxIndex(box);
    switch (message) {
    case WM_KEYDOWN: {
        using Key = ColorWindowController::BoxKey;
        const bool known = wParam == VK_TAB || wParam == VK_UP || wParam == VK_DOWN;
        const Key key = wParam == VK_TAB ? Key::Tab : (wParam == VK_UP ? Key::Up : Key::Down);
        if (known && index >= 0 && window->m_controller.boxKey(index, key))
            return 0;
        break;
    }
    case WM_CHAR:
        if (wParam == L'\t')
            return 0; // the Tab went to the focus already
        break;
    case WM_KILLFOCUS:
        window->m_controller.focusLeft(window->ownsWindow(reinterpret_cast<HWND>(wParam)));
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// ColorWindowView

void SelectedColorWindow::invalidate(const ViewRect& area, Erase erase)
{
    if (!handle() || area.isEmpty())
        return;
    const RECT rect = rectOf(area);
    InvalidateRect(handle(), &rect, erase == Erase::Yes ? TRUE : FALSE);
}

void SelectedColorWindow::invalidateAll()
{
    if (handle())
        InvalidateRect(handle(), nullptr, TRUE);
}

void SelectedColorWindow::updateNow()
{
    if (handle())
        UpdateWindow(handle());
}

std::string SelectedColorWindow::boxText(std::int32_t box) const
{
    HWND edit = valueBox(box);
    if (!edit)
        return {};
    wchar_t text[16]{};
    const int length = GetWindowTextW(edit, text, 16);
    std::string narrow;
    for (int i = 0; i < length; ++i)
        narrow.push_back(text[i] < 128 ? static_cast<char>(text[i]) : '?');
    return narrow;
}

void SelectedColorWindow::setBoxText(std::int32_t box, const std::string& text)
{
    HWND edit = valueBox(box);
    if (!edit)
        return;
    const std::wstring wide(text.begin(), text.end());
    SetWindowTextW(edit, wide.c_str());
    const auto end = static_cast<WPARAM>(wide.size());
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void SelectedColorWindow::placeBox(std::int32_t box, const ViewRect& rect, bool shown)
{
    HWND edit = valueBox(box);
    if (!edit)
        return;
    SetWindowPos(edit, nullptr, rect.left, rect.top, std::max(rect.width(), 0), std::max(rect.height(), 0),
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void SelectedColorWindow::focusBox(std::int32_t box)
{
    if (HWND edit = valueBox(box))
        SetFocus(edit);
}

void SelectedColorWindow::captureMouse()
{
    setCapture(true);
}

void SelectedColorWindow::releaseMouse()
{
    m_releasing = true;
    setCapture(false);
    m_releasing = false;
}

// Painting

void SelectedColorWindow::paintInto(HDC dc, const RECT& update)
{
    fillSolid(dc, ViewRect{update.left, update.top, update.right, update.bottom}, systemColour(COLOR_BTNFACE));
    paint(dc, update);
}

void SelectedColorWindow::paint(HDC dc, const RECT& update)
{
    const ColorWindowLayout& layout = m_controller.layout();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, update.left, update.top, update.right, update.bottom);
    const ViewRect swatch = layout.swatch();
    if (meets(ViewRect{swatch.left - 1, swatch.top - 1, swatch.right + 1, swatch.bottom + 1}, update))
        paintSwatch(dc);
    if (meets(layout.lamp(), update))
        paintLamp(dc);
    if (meets(layout.lampLabel(), update))
        drawLabel(dc, layout.lampLabel(), kLampLabel);
    for (std::int32_t i = 0; i < layout.channelCount(); ++i)
        paintChannel(dc, i);
    paintFields(dc);
    RestoreDC(dc, saved);
}

void SelectedColorWindow::paintSwatch(HDC dc) const
{
    const ViewRect& swatch = m_controller.layout().swatch();
    drawSunkenBorder(dc, swatch);
    const ColorValue overFirst = m_controller.swatchOver(m_controller.background1());
    const ColorValue overSecond =
        m_controller.twoToneBackground() ? m_controller.swatchOver(m_controller.background2()) : overFirst;
    const auto pixels = ColorWindowColors::swatchPixels(swatch.width(), swatch.height(),
                                                        m_controller.twoToneBackground(), overFirst, overSecond);
    blitColours(dc, swatch.left, swatch.top, swatch.width(), swatch.height(), pixels);
}

void SelectedColorWindow::paintLamp(HDC dc) const
{
    const ViewRect& lamp = m_controller.layout().lamp();
    const ColorWindowColors::LampTones tones{systemColour(COLOR_BTNFACE), systemColour(COLOR_BTNSHADOW),
                                             systemColour(COLOR_BTNHIGHLIGHT)};
    const auto pixels = ColorWindowColors::lampPixels(tones, m_controller.lampLit());
    blitColours(dc, lamp.left, lamp.top, ColorWindowColors::kLampSize, ColorWindowColors::kLampSize, pixels);
}

void SelectedColorWindow::paintChannel(HDC dc, std::int32_t i) const
{
    const ColorWindowLayout::Channel& c = m_controller.layout().channel(i);
    const ColorValue shown = m_controller.shownColor();
    const std::vector<ColorValue> columns =
        ColorWindowColors::barColumns(i, c.bar.width(), shown, m_controller.background1());
    if (!columns.empty()) {
        std::vector<ColorValue> pixels;
        pixels.reserve(columns.size() * static_cast<std::size_t>(c.bar.height()));
        for (std::int32_t y = 0; y < c.bar.height(); ++y)
            pixels.insert(pixels.end(), columns.begin(), columns.end());
        blitColours(dc, c.bar.left, c.bar.top, c.bar.width(), c.bar.height(), pixels);
    }
    drawLabel(dc, c.label, kChannelLabels[i]);
    if (m_controller.layout().barUsable(i))
        drawThumb(dc, m_controller.layout().thumb(i, static_cast<std::uint8_t>(shown >> (8 * i))));
    if (!c.bar.isEmpty())
        drawSunkenBorder(dc, c.bar);
    if (c.boxShown) {
        const ViewRect around{c.box.left - 3, c.box.top - 1, c.box.right + 3, c.box.bottom + 1};
        fillSolid(dc, around, makeColor(255, 255, 255));
        drawSunkenBorder(dc, around);
    }
    drawGlyph(dc, c.minus, false);
    drawGlyph(dc, c.plus, true);
}

void SelectedColorWindow::paintFields(HDC dc)
{
    const ColorWindowLayout& layout = m_controller.layout();
    const ViewRect& hue = layout.hueField();
    if (!hue.isEmpty()) {
        if (!(hue == m_hueRect)) {
            m_hue = ColorWindowColors::hueField(hue.width(), hue.height());
            m_hueRect = hue;
        }
        blitColours(dc, hue.left, hue.top, hue.width(), hue.height(), m_hue);
        drawSunkenBorder(dc, hue);
    }
    const ViewRect& lightness = layout.lightnessField();
    if (!lightness.isEmpty() && lightness.width() > 2) {
        std::vector<ColorValue> row(static_cast<std::size_t>(lightness.width()));
        for (std::int32_t x = 0; x < lightness.width(); ++x)
            row[static_cast<std::size_t>(x)] =
                ColorWindowColors::lightnessAt(x, lightness.width(), m_controller.midColor());
        std::vector<ColorValue> pixels;
        pixels.reserve(row.size() * static_cast<std::size_t>(lightness.height()));
        for (std::int32_t y = 0; y < lightness.height(); ++y)
            pixels.insert(pixels.end(), row.begin(), row.end());
        blitColours(dc, lightness.left, lightness.top, lightness.width(), lightness.height(), pixels);
        drawSunkenBorder(dc, lightness);
    }
}

// Messages

LRESULT SelectedColorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const ClientPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        return createBoxes() ? 0 : -1;
    case WM_DESTROY:
        destroyBoxes();
        return 0;
    case WM_SIZE:
        m_controller.resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KILLFOCUS:
        m_controller.focusLeft(ownsWindow(reinterpret_cast<HWND>(wParam)));
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        clientRect(client);
        fillSolid(reinterpret_cast<HDC>(wParam), ViewRect{0, 0, client.right, client.bottom},
                  systemColour(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(handle(), &ps);
        paint(dc, ps.rcPaint);
        EndPaint(handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        clientRect(client);
        paintInto(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE)
            m_controller.boxChanged(LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        m_controller.buttonDown(point);
        return 0;
    case WM_MOUSEMOVE:
        m_controller.mouseMove(point);
        return 0;
    case WM_LBUTTONUP:
        m_controller.buttonUp(point);
        return 0;
    case WM_CAPTURECHANGED:
        if (!m_releasing && reinterpret_cast<HWND>(lParam) != handle())
            m_controller.captureLost();
        return 0;
    default:
        return defaultProcess(message, wParam, lParam);
    }
}

} // namespace tessaly
