#include "app/icon_list_pane_win32.h"

#include <windowsx.h>

#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

// A run of pixels in a system colour.
void line(HDC dc, int left, int top, int right, int bottom, int colourIndex)
{
    if (right <= left || bottom <= top)
        return;
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(colourIndex));
}

RECT toRect(const ClientRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

} // namespace

IconListPane::IconListPane(IconListView& editView, IconListView& trashView, IconListView& importView)
    : m_views{editView, trashView, importView}
{
}

IconListPane::~IconListPane()
{
    destroy();
}

const wchar_t* IconListPane::tabText(std::int32_t tab)
{
    switch (tab) {
    case kEditTab:
        return L"エディット";
    case kTrashTab:
        return L"ごみ箱";
    case kImportTab:
        return L"インポート";
    default:
        return L"";
    }
}

bool IconListPane::create(const Window& parent, const RECT& rect, int id)
{
    if (!createViewWindow(*this, parent, rect, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, id))
        return false;
    RECT client{};
    clientRect(client);
    m_layout.layout(client.right, client.bottom);
    const RECT content = toRect(m_layout.contentRect());
    for (std::int32_t tab = 0; tab < IconListPaneLayout::kTabCount; ++tab) {
        if (!view(tab).create(*this, content, 1 + tab, tab == m_tab))
            return false;
    }
    return true;
}

void IconListPane::selectTab(std::int32_t tab)
{
    if (tab < 0 || tab >= IconListPaneLayout::kTabCount || tab == m_tab)
        return;
    IconListView& previous = view(m_tab);
    m_tab = tab;
    view(tab).show(SW_SHOW);
    SetFocus(view(tab).handle());
    previous.show(SW_HIDE);
    InvalidateRect(handle(), nullptr, TRUE);
}

void IconListPane::onSize(int width, int height)
{
    m_layout.layout(width, height);
    const ClientRect& content = m_layout.contentRect();
    for (std::int32_t tab = 0; tab < IconListPaneLayout::kTabCount; ++tab)
        view(tab).setPosition(nullptr, toRect(content), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle(), nullptr, TRUE);
}

void IconListPane::paintInto(HDC dc) const
{
    RECT client{};
    clientRect(client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!m_layout.contentRect().isEmpty())
        drawFrame(dc);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x000000);
    for (std::int32_t tab = 0; tab < IconListPaneLayout::kTabCount; ++tab)
        drawTab(dc, tab);
    SelectObject(dc, oldFont);
}

// A raised outer edge and, two pixels in, a sunken edge two pixels thick.
void IconListPane::drawFrame(HDC dc) const
{
    const ClientRect f = m_layout.frameRect();
    line(dc, f.left, f.top, f.right - 1, f.top + 1, COLOR_BTNHIGHLIGHT);
    line(dc, f.left, f.top, f.left + 1, f.bottom - 1, COLOR_BTNHIGHLIGHT);
    line(dc, f.left, f.bottom - 1, f.right, f.bottom, COLOR_3DDKSHADOW);
    line(dc, f.right - 1, f.top, f.right, f.bottom, COLOR_3DDKSHADOW);
    line(dc, f.left + 1, f.bottom - 2, f.right - 1, f.bottom - 1, COLOR_BTNSHADOW);
    line(dc, f.right - 2, f.top + 1, f.right - 1, f.bottom - 1, COLOR_BTNSHADOW);

    const ClientRect s{f.left + 2, f.top + 2, f.right - 2, f.bottom - 2};
    line(dc, s.left, s.top, s.right - 1, s.top + 1, COLOR_BTNSHADOW);
    line(dc, s.left, s.top, s.left + 1, s.bottom - 1, COLOR_BTNSHADOW);
    line(dc, s.left + 1, s.top + 1, s.right - 2, s.top + 2, COLOR_3DDKSHADOW);
    line(dc, s.left + 1, s.top + 1, s.left + 2, s.bottom - 2, COLOR_3DDKSHADOW);
    line(dc, s.left, s.bottom - 1, s.right, s.bottom, COLOR_BTNHIGHLIGHT);
    line(dc, s.right - 1, s.top, s.right, s.bottom, COLOR_BTNHIGHLIGHT);
    line(dc, s.left + 1, s.bottom - 2, s.right - 1, s.bottom - 1, COLOR_3DLIGHT);
    line(dc, s.right - 2, s.top + 1, s.right - 1, s.bottom - 1, COLOR_3DLIGHT);
}

// A tab hangs from the frame: a light left edge, a double dark right edge
// and bottom with the corners cut round. The chosen tab covers the frame
// above it so that it joins its view, and its text sits a pixel higher.
void IconListPane::drawTab(HDC dc, std::int32_t tab) const
{
    const ClientRect t = m_layout.tabRect(tab);
    if (t.isEmpty())
        return;
    const bool chosen = tab == m_tab;
    if (chosen)
        line(dc, t.left + 1, t.top, t.right - 2, t.top + 2, COLOR_BTNFACE);
    line(dc, t.left, t.top, t.left + 1, t.bottom - 2, COLOR_BTNHIGHLIGHT);
    line(dc, t.right - 2, t.top, t.right - 1, t.bottom - 2, COLOR_BTNSHADOW);
    line(dc, t.right - 1, t.top, t.right, t.bottom - 3, COLOR_BTNSHADOW);
    line(dc, t.left + 2, t.bottom - 2, t.right - 2, t.bottom - 1, COLOR_BTNSHADOW);
    line(dc, t.left + 3, t.bottom - 1, t.right - 3, t.bottom, COLOR_BTNSHADOW);
    line(dc, t.left + 1, t.bottom - 2, t.left + 2, t.bottom - 1, COLOR_BTNHIGHLIGHT);
    line(dc, t.right - 2, t.bottom - 2, t.right - 1, t.bottom - 1, COLOR_BTNSHADOW);
    RECT text{t.left + 7, t.top - (chosen ? 1 : 0), t.right - 4, t.bottom - (chosen ? 1 : 0)};
    DrawTextW(dc, tabText(tab), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

LRESULT IconListPane::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(handle(), &paint);
        paintInto(dc);
        EndPaint(handle(), &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        selectTab(m_layout.tabAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    case WM_SETFOCUS:
        SetFocus(view(m_tab).handle());
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

} // namespace tessaly
