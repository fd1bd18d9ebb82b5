#include "app/list_popup_menus_win32.h"

namespace tessaly {

ListPopupMenus::~ListPopupMenus()
{
    for (HMENU menu : m_menus) {
        if (menu)
            DestroyMenu(menu);
    }
}

const wchar_t* ListPopupMenus::textOf(ListMenuCommand command)
{
    switch (command) {
    case ListMenuCommand::NewIcon:
        return L"新規作成";
    case ListMenuCommand::DuplicateIcon:
        return L"このアイコンのコピーを作成";
    case ListMenuCommand::CreateIconFrom:
        return L"このアイコンを元に作成";
    case ListMenuCommand::MoveIconToTrash:
        return L"ごみ箱に移動";
    case ListMenuCommand::OpenIconForEditing:
        return L"編集を開始する";
    case ListMenuCommand::SaveEditedIcon:
        return L"編集内容を保存";
    case ListMenuCommand::CloseEditedIcon:
        return L"編集を終了する";
    case ListMenuCommand::MoveHere:
        return L"ここに移動";
    case ListMenuCommand::CopyHere:
        return L"ここにコピー";
    case ListMenuCommand::CancelDrag:
        return L"キャンセル";
    case ListMenuCommand::AddFromTrash:
        return L"編集リストへ追加";
    case ListMenuCommand::DeleteFromTrash:
        return L"ごみ箱から削除";
    case ListMenuCommand::ClearTrash:
        return L"ごみ箱をクリア";
    case ListMenuCommand::AddFromImport:
        return L"このアイコンを追加";
    case ListMenuCommand::CreateFromImport:
        return L"このアイコンから作成";
    }
    return L"";
}

bool ListPopupMenus::create()
{
    for (const ListMenuKind kind :
         {ListMenuKind::EditList, ListMenuKind::EditListDrag, ListMenuKind::Trash, ListMenuKind::Import}) {
        HMENU& menu = m_menus[static_cast<std::size_t>(kind)];
        if (menu)
            continue;
        menu = CreatePopupMenu();
        if (!menu)
            return false;
        for (const ListMenuCommand item : listMenuItems(kind)) {
            if (item == kMenuSeparator)
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item), textOf(item));
        }
    }
    return true;
}

HMENU ListPopupMenus::prepared(const ListMenuChoice& choice)
{
    HMENU menu = handle(choice.kind);
    if (!menu)
        return nullptr;
    for (const ListMenuItem& item : choice.items)
        EnableMenuItem(menu, static_cast<UINT>(item.id), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    return menu;
}

} // namespace tessaly
