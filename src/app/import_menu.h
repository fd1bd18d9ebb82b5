#pragma once

#include <cstdint>

#include "app/icon_document.h"
#include "app/icon_list_state.h"
#include "app/popup_menu.h"

namespace tessaly {

// The import list's popup: add the selected icon to the edit list as it is
// or converted. A right-drag changes nothing here.
class ImportMenu final : public PopupMenu {
public:
    ImportMenu(IconDocument& document, const IconListState& imports);

    ListMenuChoice prepare(bool dragging, std::int32_t position) override;
    void execute(std::int32_t id) override;

private:
    IconDocument& m_document;
    const IconListState& m_imports;
};

} // namespace tessaly
