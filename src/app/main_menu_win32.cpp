#include "app/main_menu_win32.h"

#include "app/command_table.h"
#include "app/main_menu_layout.h"

namespace tessaly {

MainMenu::MainMenu(CommandTarget& target)
    : m_target(target)
{
}

bool MainMenu::load()
{
    return m_menu.load(kMainMenuResourceId);
}

void MainMenu::execute(std::int32_t id)
{
    command_table::execute(id, m_target, *this);
}

void MainMenu::updateStates()
{
    command_table::updateStates(m_target.menuConditions(), *this);
}

void MainMenu::enableAcceleratedItems()
{
    command_table::enableAcceleratedItems(*this);
}

void MainMenu::setEnabled(std::uint16_t id, bool enabled)
{
    m_menu.enable(id, enabled ? MF_ENABLED : MF_GRAYED);
}

void MainMenu::setChecked(std::uint16_t id, bool checked)
{
    m_menu.check(id, checked ? MF_CHECKED : MF_UNCHECKED);
}

bool MainMenu::isChecked(std::uint16_t id) const
{
    const UINT state = m_menu.state(id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

} // namespace tessaly
