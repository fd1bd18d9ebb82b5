#pragma once

#include <string_view>

#include "editing/selection_commands.h"
#include "editing/selection_menu_state.h"

namespace tessaly {

// One item of the canvas's selection popup: its command, its text and the
// state that enables it.
struct SelectionMenuItem {
    SelectionCommand command;
    std::u16string_view text;
    bool SelectionMenuState::*enabled;
};

// The popup's items in order.
inline constexpr SelectionMenuItem kSelectionMenuItems[] = {
    {SelectionCommand::Cut, u"切り取り", &SelectionMenuState::cut},
    {SelectionCommand::Copy, u"コピー", &SelectionMenuState::copy},
    {SelectionCommand::Paste, u"貼り付け", &SelectionMenuState::paste},
    {SelectionCommand::Delete, u"削除", &SelectionMenuState::deleteSelection},
    {SelectionCommand::SelectAll, u"全て選択", &SelectionMenuState::selectAll},
    {SelectionCommand::Commit, u"選択を終了", &SelectionMenuState::commit},
    {SelectionCommand::Cancel, u"選択を解除", &SelectionMenuState::cancel},
};

} // namespace tessaly
