#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// The commands of the three icon list popups, by their item numbers.
enum class ListMenuCommand : std::int32_t {
    NewIcon = 1001,
    DuplicateIcon = 1002,
    CreateIconFrom = 1003,
    MoveIconToTrash = 1004,
    OpenIconForEditing = 1005,
    SaveEditedIcon = 1006,
    CloseEditedIcon = 1007,
    MoveHere = 1010,
    CopyHere = 1011,
    CancelDrag = 1012,
    AddFromTrash = 1101,
    DeleteFromTrash = 1102,
    ClearTrash = 1103,
    AddFromImport = 1201,
    CreateFromImport = 1202,
};

// The native menus the list popups show.
enum class ListMenuKind : std::uint8_t {
    EditList,
    EditListDrag,
    Trash,
    Import,
};

// Where a popup has a separator among its items.
constexpr ListMenuCommand kMenuSeparator = static_cast<ListMenuCommand>(0);

// The items of a popup in order, with its separators.
std::span<const ListMenuCommand> listMenuItems(ListMenuKind kind);

// One command item of a popup about to be shown.
struct ListMenuItem {
    std::int32_t id = 0;
    bool enabled = false;

    friend bool operator==(const ListMenuItem&, const ListMenuItem&) = default;
};

// The popup to show and the state of each of its command items (separators
// left out), in menu order.
struct ListMenuChoice {
    ListMenuKind kind = ListMenuKind::EditList;
    std::vector<ListMenuItem> items;

    // False for an id that is not an item of the menu.
    bool isEnabled(ListMenuCommand command) const;
};

// A list view's popup: which menu to show for a right-button release, with
// its item states, and what each item does.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;

    // dragging: the release ends a right-drag of an icon; position: the
    // insertion point under the pointer.
    virtual ListMenuChoice prepare(bool dragging, std::int32_t position) = 0;
    // An id that is not one of the popup's items does nothing.
    virtual void execute(std::int32_t id) = 0;

protected:
    // The menu's items with the enabled state `enabled` gives each command.
    template <typename Enabled> static ListMenuChoice choice(ListMenuKind kind, Enabled enabled)
    {
        ListMenuChoice result{kind, {}};
        for (const ListMenuCommand item : listMenuItems(kind)) {
            if (item != kMenuSeparator)
                result.items.push_back({static_cast<std::int32_t>(item), enabled(item)});
        }
        return result;
    }
};

} // namespace tessaly
