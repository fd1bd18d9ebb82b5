#include "app/trash_menu.h"

namespace tessaly {

TrashMenu::TrashMenu(IconDocument& document, const IconListState& trash)
    : m_document(document)
    , m_trash(trash)
{
}

ListMenuChoice TrashMenu::prepare(bool dragging, std::int32_t position)
{
    static_cast<void>(dragging);
    static_cast<void>(position);
    const bool selected = m_trash.selectedIcon() >= 0;
    // Emptying is offered only for a click beside the icons, never on one.
    const bool clearable = m_trash.count() > 0 && !selected;
    return choice(ListMenuKind::Trash, [&](ListMenuCommand command) {
        return command == ListMenuCommand::ClearTrash ? clearable : selected;
    });
}

void TrashMenu::execute(std::int32_t id)
{
    switch (static_cast<ListMenuCommand>(id)) {
    case ListMenuCommand::AddFromTrash:
        m_document.addFromTrash();
        break;
    case ListMenuCommand::DeleteFromTrash:
        m_document.deleteFromTrash();
        break;
    case ListMenuCommand::ClearTrash:
        m_document.clearTrash();
        break;
    default:
        break;
    }
}

} // namespace tessaly
