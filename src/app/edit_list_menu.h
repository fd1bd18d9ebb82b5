#pragma once

#include <cstdint>

#include "app/icon_document.h"
#include "app/icon_list_state.h"
#include "app/popup_menu.h"

namespace tessaly {

// The edit list's popup: the icon commands on a click, "move here" and
// "copy here" at the end of a right-drag, which act on the insertion point
// the last prepare was given.
class EditListMenu final : public PopupMenu {
public:
    EditListMenu(IconDocument& document, const IconListState& editList);

    ListMenuChoice prepare(bool dragging, std::int32_t position) override;
    void execute(std::int32_t id) override;

    std::int32_t dropPosition() const { return m_dropPosition; }

private:
    IconDocument& m_document;
    const IconListState& m_editList;
    std::int32_t m_dropPosition = -1;
};

} // namespace tessaly
