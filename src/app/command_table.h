#pragma once

#include <cstdint>

#include "app/command_id.h"
#include "app/command_target.h"
#include "app/menu_conditions.h"
#include "app/menu_items.h"

namespace tessaly {

// The main menu's rules: when each item is grayed or checked, and what each
// command does. A command runs only while its item would be enabled, because
// the accelerated items stay enabled between menu uses and the accelerators
// reach their commands in any state.
namespace command_table {

// False when the item is grayed under these conditions (every item grayed
// without a file is grayed whenever no file is open, whatever its own rule).
bool isAvailable(CommandId id, const MenuConditions& conditions);

// Sets every state the menu shows, as the menu opens. Items that no rule
// touches (exit, new, open, import, load palette) keep the state they have;
// the apply-colour-changes check is refreshed only while the palette is free.
void updateStates(const MenuConditions& conditions, MenuItems& items);

// Enables the ten items that have accelerators, as the menu closes.
void enableAcceleratedItems(MenuItems& items);

// Runs command `number` on target when its precondition holds; the toggles
// take their new value from the opposite of the item's check mark. False for
// a number that is no command and for a command that did not run.
bool execute(std::int32_t number, CommandTarget& target, const MenuItems& items);

} // namespace command_table

} // namespace tessaly
