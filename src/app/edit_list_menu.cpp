#include "app/edit_list_menu.h"

namespace tessaly {

EditListMenu::EditListMenu(IconDocument& document, const IconListState& editList)
    : m_document(document)
    , m_editList(editList)
{
}

ListMenuChoice EditListMenu::prepare(bool dragging, std::int32_t position)
{
    m_dropPosition = position;
    if (dragging)
        return choice(ListMenuKind::EditListDrag, [](ListMenuCommand) { return true; });
    const std::int32_t selected = m_editList.selectedIcon();
    const bool isEdited = selected >= 0 && selected == m_editList.editedIcon();
    const bool fileOpen = m_document.isFileOpen();
    return choice(ListMenuKind::EditList, [&](ListMenuCommand command) {
        switch (command) {
        case ListMenuCommand::NewIcon:
            return fileOpen && selected < 0;
        case ListMenuCommand::OpenIconForEditing:
            return selected >= 0 && !isEdited;
        case ListMenuCommand::SaveEditedIcon:
        case ListMenuCommand::CloseEditedIcon:
            return isEdited;
        default:
            return selected >= 0;
        }
    });
}

void EditListMenu::execute(std::int32_t id)
{
    switch (static_cast<ListMenuCommand>(id)) {
    case ListMenuCommand::NewIcon:
        m_document.newIcon();
        break;
    case ListMenuCommand::DuplicateIcon:
        m_document.duplicateIcon();
        break;
    case ListMenuCommand::CreateIconFrom:
        m_document.createIconFrom();
        break;
    case ListMenuCommand::MoveIconToTrash:
        m_document.moveIconToTrash();
        break;
    case ListMenuCommand::OpenIconForEditing:
        m_document.openIconForEditing();
        break;
    case ListMenuCommand::SaveEditedIcon:
        m_document.saveEditedIcon();
        break;
    case ListMenuCommand::CloseEditedIcon:
        m_document.closeEditedIcon();
        break;
    case ListMenuCommand::MoveHere:
        m_document.moveIconTo(m_dropPosition);
        break;
    case ListMenuCommand::CopyHere:
        m_document.copyIconTo(m_dropPosition);
        break;
    default:
        break;
    }
}

} // namespace tessaly
