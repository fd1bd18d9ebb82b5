#include "app/status_bar_win32.h"

#include <commctrl.h>

#include <vector>

#include "app/status_bar_layout.h"

namespace tessaly {
namespace {

void setPartText(HWND bar, std::size_t part, const std::u16string& text, WPARAM flags)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(part & 0xFF) | flags,
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(text.c_str())));
}

} // namespace

StatusBar::~StatusBar()
{
    // The parent usually took the control with it already; a handle that
    // names another window by now is not ours to destroy.
    if (m_handle && IsWindow(m_handle) && GetParent(m_handle) == m_parent)
        DestroyWindow(m_handle);
}

bool StatusBar::create(const Window& parent, int id)
{
    if (m_handle || !parent.handle())
        return false;
    InitCommonControls();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_DLGFRAME | SBARS_SIZEGRIP | CCS_BOTTOM;
    m_handle = CreateStatusWindowW(static_cast<LONG>(style), L"", parent.handle(), static_cast<UINT>(id));
    if (!m_handle)
        return false;
    m_parent = parent.handle();
    m_layout = -1;
    setLayout(0);
    return true;
}

void StatusBar::setLayout(std::int32_t n)
{
    if (n == m_layout)
        return;
    m_layout = n;
    const std::span<const std::int32_t> edges = status_bar_layout::partEdges(n);
    if (!m_handle || edges.empty())
        return;
    std::vector<int> rights(edges.begin(), edges.end());
    SendMessageW(m_handle, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    if (n == 0)
        setPartText(m_handle, 0, std::u16string(), SBT_NOBORDERS);
}

void StatusBar::show(std::int32_t layout, std::span<const std::u16string> parts)
{
    setLayout(layout);
    if (!m_handle)
        return;
    const WPARAM flags = status_bar_layout::withoutBorders(layout) ? SBT_NOBORDERS : 0;
    for (std::size_t i = 0; i < parts.size(); ++i)
        setPartText(m_handle, i, parts[i], flags);
}

void StatusBar::parentResized()
{
    if (m_handle)
        SendMessageW(m_handle, WM_SIZE, 0, 0);
}

} // namespace tessaly
