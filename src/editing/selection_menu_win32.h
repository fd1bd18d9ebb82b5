#pragma once

#include <windows.h>

#include <cstdint>

#include "editing/selection_commands.h"

namespace tessaly {

// The canvas's selection popup: one native menu built at start-up, given
// the item states of each showing, whose commands run on the selection.
class SelectionMenu {
public:
    explicit SelectionMenu(SelectionCommands& commands);
    SelectionMenu(const SelectionMenu&) = delete;
    SelectionMenu& operator=(const SelectionMenu&) = delete;
    ~SelectionMenu();

    // Builds the menu once; false when it cannot be made (start-up fails).
    bool create();
    // The menu with its items enabled for a release inside the selection
    // rectangle or outside it; none before create.
    HMENU prepare(bool inside);
    // An id that is not one of the popup's items does nothing.
    void execute(std::int32_t id);
    HMENU handle() const { return m_menu; }

private:
    SelectionCommands& m_commands;
    HMENU m_menu = nullptr;
};

} // namespace tessaly
