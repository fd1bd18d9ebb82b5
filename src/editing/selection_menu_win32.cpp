#include "editing/selection_menu_win32.h"

#include "editing/selection_menu_items.h"

namespace tessaly {

SelectionMenu::SelectionMenu(SelectionCommands& commands)
    : m_commands(commands)
{
}

SelectionMenu::~SelectionMenu()
{
    if (m_menu)
        DestroyMenu(m_menu);
}

bool SelectionMenu::create()
{
    if (m_menu)
        return true;
    m_menu = CreatePopupMenu();
    if (!m_menu)
        return false;
    for (const SelectionMenuItem& item : kSelectionMenuItems) {
        if (!AppendMenuW(m_menu, MF_STRING, static_cast<UINT_PTR>(item.command),
                         reinterpret_cast<const wchar_t*>(item.text.data()))) {
            DestroyMenu(m_menu);
            m_menu = nullptr;
            return false;
        }
    }
    return true;
}

HMENU SelectionMenu::prepare(bool inside)
{
    if (!m_menu)
        return nullptr;
    const SelectionMenuState state = m_commands.menuState(inside);
    for (const SelectionMenuItem& item : kSelectionMenuItems)
        EnableMenuItem(m_menu, static_cast<UINT>(item.command),
                       MF_BYCOMMAND | (state.*item.enabled ? MF_ENABLED : MF_GRAYED));
    return m_menu;
}

void SelectionMenu::execute(std::int32_t id)
{
    m_commands.run(id);
}

} // namespace tessaly
