#include "ui/dock/dock_outline_win32.h"

#include "ui/dock/dock_frame_geometry.h"

namespace tessaly {

void DockOutline::show(const RECT& screenRect, Look look)
{
    if (m_shown && EqualRect(&m_rect, &screenRect) && m_look == look)
        return;
    hide();
    if (!m_halftone.handle())
        m_halftone.create();
    m_rect = screenRect;
    m_look = look;
    invert();
    m_shown = true;
}

void DockOutline::hide()
{
    if (!m_shown)
        return;
    invert();
    m_shown = false;
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
        const int width = m_look == Look::Docking ? 1 : GetSystemMetrics(SM_CXEDGE) + 1;
        for (const DockRect& band : dock_frame_geometry::outlineBands(r, width))
            PatBlt(screen, band.left, band.top, band.width(), band.height(), PATINVERT);
    }
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
}

} // namespace tessaly
