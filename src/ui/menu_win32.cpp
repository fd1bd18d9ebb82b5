#include "ui/menu_win32.h"

#include "ui/module_instance_win32.h"

namespace tessaly {

Menu::~Menu()
{
    destroy();
}

bool Menu::load(int resourceId)
{
    if (m_handle)
        return false;
    m_handle = LoadMenuW(moduleInstance(), MAKEINTRESOURCEW(resourceId));
    return m_handle != nullptr;
}

int Menu::enable(UINT id, UINT flags)
{
    if (!m_handle)
        return -1;
    return EnableMenuItem(m_handle, id, MF_BYCOMMAND | flags);
}

int Menu::check(UINT id, UINT flags)
{
    if (!m_handle)
        return -1;
    return static_cast<int>(CheckMenuItem(m_handle, id, MF_BYCOMMAND | flags));
}

UINT Menu::state(UINT id, UINT flags) const
{
    if (!m_handle)
        return static_cast<UINT>(-1);
    return GetMenuState(m_handle, id, MF_BYCOMMAND | flags);
}

bool Menu::destroy()
{
    if (!m_handle)
        return false;
    const bool destroyed = DestroyMenu(m_handle) != FALSE;
    m_handle = nullptr;
    return destroyed;
}

} // namespace tessaly
