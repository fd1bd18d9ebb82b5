#pragma once

#include <cstdint>

#include "app/icon_document.h"
#include "app/icon_list_state.h"
#include "app/popup_menu.h"

namespace tessaly {

// The trash's popup: add the selected icon back, delete it, or empty the
// trash. A right-drag changes nothing here.
class TrashMenu final : public PopupMenu {
public:
    TrashMenu(IconDocument& document, const IconListState& trash);

    ListMenuChoice prepare(bool dragging, std::int32_t position) override;
    void execute(std::int32_t id) override;

private:
    IconDocument& m_document;
    const IconListState& m_trash;
};

} // namespace tessaly
