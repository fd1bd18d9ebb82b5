#include "app/import_menu.h"

namespace tessaly {

ImportMenu::ImportMenu(IconDocument& document, const IconListState& imports)
    : m_document(document)
    , m_imports(imports)
{
}

ListMenuChoice ImportMenu::prepare(bool dragging, std::int32_t position)
{
    static_cast<void>(dragging);
    static_cast<void>(position);
    const bool selected = m_imports.selectedIcon() >= 0;
    return choice(ListMenuKind::Import, [selected](ListMenuCommand) { return selected; });
}

void ImportMenu::execute(std::int32_t id)
{
    switch (static_cast<ListMenuCommand>(id)) {
    case ListMenuCommand::AddFromImport:
        m_document.addFromImport();
        break;
    case ListMenuCommand::CreateFromImport:
        m_document.createFromImport();
        break;
    default:
        break;
    }
}

} // namespace tessaly
