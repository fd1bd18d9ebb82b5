#pragma once

#include <windows.h>

#include <cstdint>

#include "app/command_target.h"
#include "app/menu_items.h"
#include "ui/menu_win32.h"

namespace tessaly {

// The menu bar (resource IDR_MAIN_MENU) and its commands: the main frame hands it
// every WM_COMMAND, and the opening and closing of the menu, which set the
// items' states. The states live in the native menu only.
class MainMenu final : private MenuItems {
public:
    explicit MainMenu(CommandTarget& target);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;
    ~MainMenu() override = default;

    // False when the resource does not load (start-up fails then).
    bool load();
    // The window that shows it takes it off again in its WM_DESTROY
    // (SetMenu with none), so that the menu is destroyed once, by this object.
    HMENU handle() const { return m_menu.handle(); }

    // A command of the menu or of an accelerator; other numbers do nothing.
    void execute(std::int32_t id);
    // WM_ENTERMENULOOP
    void updateStates();
    // WM_EXITMENULOOP
    void enableAcceleratedItems();

private:
    void setEnabled(std::uint16_t id, bool enabled) override;
    void setChecked(std::uint16_t id, bool checked) override;
    bool isChecked(std::uint16_t id) const override;

    CommandTarget& m_target;
    Menu m_menu;
};

} // namespace tessaly
