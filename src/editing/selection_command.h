#pragma once

#include <cstdint>

namespace tessaly {

// The selection commands of the edit menu and the canvas popup, by their
// popup command numbers.
enum class SelectionCommand : std::int32_t {
    Cut = 10001,
    Copy = 10002,
    Paste = 10003,
    Delete = 10004,
    SelectAll = 10005,
    Commit = 10006,
    Cancel = 10007,
};

// The number the popup's item carries and its WM_COMMAND and WM_MENUSELECT
// bring back.
constexpr std::int32_t selectionCommandNumber(SelectionCommand command)
{
    return static_cast<std::int32_t>(command);
}

} // namespace tessaly
