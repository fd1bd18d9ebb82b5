#include "ui/dock/dock_outline_win32.h"

#include "ui/dock/dock_frame_geometry.h"
#include "ui/window_class_win32.h"

namespace tessaly {

namespace {

constexpr wchar_t kOutlineClassName[] = L"DockOutlineWindow";
// Opaque enough to see on any background, clear enough to see through.
constexpr BYTE kOutlineAlpha = 160;

int bandWidth(DockOutline::Look look)
{
    return look == DockOutline::Look::Docking ? 1 : GetSystemMetrics(SM_CXEDGE) + 1;
}

} // namespace

// A window that never takes the mouse or the activation, painted all over
// with the outline's brush and cut to its shape by a window region.
class DockOutline::ShapeWindow final : public Window {
public:
    ~ShapeWindow() override { destroy(); }
    HBRUSH brush = nullptr;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(handle(), &ps);
            RECT all{};
            clientRect(all);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            FillRect(dc, &all, brush);
            EndPaint(handle(), &ps);
            return 0;
        }
        default:
            return Window::handleMessage(message, wParam, lParam);
        }
    }
};

DockOutline::DockOutline() = default;

DockOutline::~DockOutline()
{
    hide();
}

HWND DockOutline::window() const
{
    return m_window ? m_window->handle() : nullptr;
}

void DockOutline::show(const RECT& screenRect, Look look)
{
    if (m_shown && EqualRect(&m_rect, &screenRect) && m_look == look)
        return;
    if (!m_halftone.handle())
        m_halftone.create();
    if (m_shown && !m_window)
        invert(); // take the inverted outline away before drawing it anew
    m_rect = screenRect;
    m_look = look;
    if (!showWindow())
        invert();
    m_shown = true;
}

void DockOutline::hide()
{
    if (!m_shown)
        return;
    if (m_window)
        m_window->show(SW_HIDE);
    else
        invert();
    m_shown = false;
}

bool DockOutline::showWindow()
{
    if (!m_window) {
        auto made = std::make_unique<ShapeWindow>();
        const DWORD exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        if (!registerWindowClass(kOutlineClassName, 0, nullptr, nullptr, nullptr, nullptr) ||
            !made->create(kOutlineClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
            return false;
        made->setWindowLong(GWL_EXSTYLE, exStyle);
        if (!SetLayeredWindowAttributes(made->handle(), 0, kOutlineAlpha, LWA_ALPHA))
            return false;
        m_window = std::move(made);
    }
    const DockRect r{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
    // The shape in the window's own coordinates: the four bands, or the whole band.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (m_look == Look::Splitter) {
        SetRectRgn(shape, 0, 0, r.width(), r.height());
    } else {
        for (const DockRect& band : dock_frame_geometry::outlineBands(r.offsetBy(-r.left, -r.top), bandWidth(m_look))) {
            HRGN part = CreateRectRgn(band.left, band.top, band.right, band.bottom);
            CombineRgn(shape, shape, part, RGN_OR);
            DeleteObject(part);
        }
    }
    m_window->brush = m_look == Look::Docking ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : m_halftone.handle();
    m_window->setPosition(HWND_TOPMOST, r.left, r.top, r.width(), r.height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetWindowRgn(m_window->handle(), shape, TRUE); // the window owns the region now
    InvalidateRect(m_window->handle(), nullptr, FALSE);
    return true;
}

void DockOutline::invert() const
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    HBRUSH brush = m_look == Look::Docking ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : m_halftone.handle();
    HGDIOBJ previous = SelectObject(screen, brush);
    const DockRect r{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
    if (m_look == Look::Splitter) {
        PatBlt(screen, r.left, r.top, r.width(), r.height(), PATINVERT);
    } else {
        for (const DockRect& band : dock_frame_geometry::outlineBands(r, bandWidth(m_look)))
            PatBlt(screen, band.left, band.top, band.width(), band.height(), PATINVERT);
    }
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
}

} // namespace tessaly
