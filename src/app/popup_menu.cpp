#include "app/popup_menu.h"

#include <algorithm>
#include <array>

namespace tessaly {
namespace {

using enum ListMenuCommand;

constexpr std::array kEditList{NewIcon,        DuplicateIcon,      CreateIconFrom, MoveIconToTrash,
                               kMenuSeparator, OpenIconForEditing, SaveEditedIcon, CloseEditedIcon};
constexpr std::array kEditListDrag{MoveHere, CopyHere, kMenuSeparator, CancelDrag};
constexpr std::array kTrash{AddFromTrash, DeleteFromTrash, kMenuSeparator, ClearTrash};
constexpr std::array kImport{AddFromImport, CreateFromImport};

} // namespace

std::span<const ListMenuCommand> listMenuItems(ListMenuKind kind)
{
    switch (kind) {
    case ListMenuKind::EditList:
        return kEditList;
    case ListMenuKind::EditListDrag:
        return kEditListDrag;
    case ListMenuKind::Trash:
        return kTrash;
    case ListMenuKind::Import:
        return kImport;
    }
    return {};
}

bool ListMenuChoice::isEnabled(ListMenuCommand command) const
{
    const auto found = std::find_if(items.begin(), items.end(), [command](const ListMenuItem& item) {
        return item.id == static_cast<std::int32_t>(command);
    });
    return found != items.end() && found->enabled;
}

} // namespace tessaly
