#pragma once

#include <windows.h>

#include <array>

#include "app/popup_menu.h"

namespace tessaly {

// The native menus of the three list popups, built once with their texts and
// given the item states of each showing.
class ListPopupMenus {
public:
    ListPopupMenus() = default;
    ListPopupMenus(const ListPopupMenus&) = delete;
    ListPopupMenus& operator=(const ListPopupMenus&) = delete;
    ~ListPopupMenus();

    // Builds the four menus; false when one cannot be made.
    bool create();
    // The menu of the choice, its items enabled and grayed as the choice
    // says; none before create.
    HMENU prepared(const ListMenuChoice& choice);
    HMENU handle(ListMenuKind kind) const { return m_menus[static_cast<std::size_t>(kind)]; }

    // The text of a list popup item, empty for another id.
    static const wchar_t* textOf(ListMenuCommand command);

private:
    std::array<HMENU, 4> m_menus{};
};

} // namespace tessaly
