#pragma once

#include <cstdint>
#include <string_view>

#include "app/command_id.h"
#include "resources/resource_ids.h"

namespace tessaly {

// The resource numbers of the menu bar and of the accelerator table.
inline constexpr int kMainMenuResourceId = IDR_MAIN_MENU;
inline constexpr int kAcceleratorResourceId = IDR_ACCELERATORS;

// One line of the menu bar's description: a command item, a separator, the
// start of a submenu (the top-level popups are submenus too) or its end.
struct MenuEntry {
    enum class Kind : std::uint8_t { Item, Separator, Submenu, EndSubmenu };

    Kind kind = Kind::Item;
    std::uint16_t id = 0;
    // The text as the menu holds it: & marks the mnemonic, a tab separates
    // the accelerator's text.
    std::u16string_view text;
};

namespace menu_layout {

constexpr MenuEntry item(CommandId id, std::u16string_view text)
{
    return MenuEntry{MenuEntry::Kind::Item, commandNumber(id), text};
}
constexpr MenuEntry submenu(std::u16string_view text)
{
    return MenuEntry{MenuEntry::Kind::Submenu, 0, text};
}
inline constexpr MenuEntry kSeparator{MenuEntry::Kind::Separator, 0, {}};
inline constexpr MenuEntry kEnd{MenuEntry::Kind::EndSubmenu, 0, {}};

} // namespace menu_layout

// The main menu bar in order. The resource script's menu is written from it
// (tessaly_command_resources) and a test keeps the two equal.
inline constexpr MenuEntry kMainMenuLayout[] = {
    menu_layout::submenu(u"ファイル(&F)"),
    menu_layout::item(CommandId::NewFile, u"新規作成(&N)\tCtrl+N"),
    menu_layout::item(CommandId::Open, u"開く(&O)\tCtrl+O"),
    menu_layout::item(CommandId::Close, u"閉じる(&C)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::Save, u"上書き保存(&S)\tCtrl+S"),
    menu_layout::item(CommandId::SaveAs, u"名前を付けて保存(&A)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::Import, u"インポート(&I)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::Exit, u"アプリケーションの終了(&X)"),
    menu_layout::kEnd,

    menu_layout::submenu(u"編集(&E)"),
    menu_layout::item(CommandId::Undo, u"元に戻す(&U)\tCtrl+Z"),
    menu_layout::item(CommandId::Redo, u"やり直す(&R)\tCtrl+Y"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::Cut, u"切り取り(&T)\tCtrl+X"),
    menu_layout::item(CommandId::Copy, u"コピー(&C)\tCtrl+C"),
    menu_layout::item(CommandId::Paste, u"貼り付け(&P)\tCtrl+V"),
    menu_layout::item(CommandId::Delete, u"削除(&D)\tDel"),
    menu_layout::item(CommandId::SelectAll, u"全て選択(&L)\tCtrl+A"),
    menu_layout::kEnd,

    menu_layout::submenu(u"表示(&V)"),
    menu_layout::submenu(u"イメージ(&I)"),
    menu_layout::submenu(u"背景色(&B)"),
    menu_layout::item(CommandId::CanvasLight, u"明(&L)"),
    menu_layout::item(CommandId::CanvasDark, u"暗(&D)"),
    menu_layout::item(CommandId::CanvasWhite, u"白(&W)"),
    menu_layout::item(CommandId::CanvasBlack, u"黒(&K)"),
    menu_layout::item(CommandId::CanvasGrey, u"灰(&Y)"),
    menu_layout::item(CommandId::CanvasGreen, u"緑(&G)"),
    menu_layout::item(CommandId::CanvasBlue, u"青(&B)"),
    menu_layout::item(CommandId::CanvasRed, u"赤(&R)"),
    menu_layout::kEnd,
    menu_layout::submenu(u"表示倍率(&Z)"),
    menu_layout::item(CommandId::ZoomAuto, u"自動調節(&A)"),
    menu_layout::item(CommandId::Zoom1, u"×　１(&1)"),
    menu_layout::item(CommandId::Zoom2, u"×　２(&2)"),
    menu_layout::item(CommandId::Zoom4, u"×　４(&3)"),
    menu_layout::item(CommandId::Zoom8, u"×　８(&4)"),
    menu_layout::item(CommandId::Zoom12, u"×１２(&5)"),
    menu_layout::item(CommandId::Zoom16, u"×１６(&6)"),
    menu_layout::kEnd,
    menu_layout::item(CommandId::Grid, u"グリッドを表示(&G)"),
    menu_layout::kEnd,
    menu_layout::submenu(u"パレット(&P)"),
    menu_layout::item(CommandId::PaletteShowWhole, u"全体を常に表示(&W)"),
    menu_layout::kEnd,
    menu_layout::submenu(u"プレビュー(&R)"),
    menu_layout::submenu(u"背景色(&B)"),
    menu_layout::item(CommandId::PreviewDesktop, u"デスクトップ(&D)"),
    menu_layout::item(CommandId::PreviewExplorer, u"エクスプローラ(&E)"),
    menu_layout::item(CommandId::PreviewActiveTitle, u"アクティブなタイトル(&A)"),
    menu_layout::item(CommandId::PreviewInactiveTitle, u"非アクティブなタイトル(&I)"),
    menu_layout::item(CommandId::PreviewTaskbar, u"タスクバー(&T)"),
    menu_layout::kEnd,
    menu_layout::item(CommandId::PreviewAutoZoom, u"自動倍率(&Z)"),
    menu_layout::item(CommandId::PreviewSelected, u"選択状態(&S)"),
    menu_layout::kEnd,
    menu_layout::kEnd,

    menu_layout::submenu(u"アイコン(&I)"),
    menu_layout::item(CommandId::NewIcon, u"新規アイコンの追加(&N)"),
    menu_layout::item(CommandId::DuplicateIcon, u"選択アイコンを複製(&L)"),
    menu_layout::item(CommandId::CreateIconFrom, u"選択アイコンを元に作成(&F)"),
    menu_layout::item(CommandId::MoveIconToTrash, u"選択アイコンの削除(&D)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::OpenIconForEditing, u"選択アイコンを開く(&O)"),
    menu_layout::item(CommandId::SaveEditedIcon, u"編集内容の保存(&S)"),
    menu_layout::item(CommandId::CloseEditedIcon, u"編集アイコンを閉じる(&C)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::AddFromImport, u"インポートから追加(&I)"),
    menu_layout::item(CommandId::CreateFromImport, u"インポートから作成(&T)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::AddFromTrash, u"ごみ箱から追加(&R)"),
    menu_layout::kEnd,

    menu_layout::submenu(u"パレット(&P)"),
    menu_layout::item(CommandId::NewPalette, u"新規作成(&N)"),
    menu_layout::item(CommandId::LoadPalette, u"ファイルから読み込み(&L)"),
    menu_layout::item(CommandId::SavePalette, u"名前を付けて保存(&S)"),
    menu_layout::kSeparator,
    menu_layout::item(CommandId::ApplyColorChanges, u"色の変更を適用(&E)"),
    menu_layout::kEnd,

    menu_layout::submenu(u"ウィンドウ(&W)"),
    menu_layout::item(CommandId::IconListFrame, u"アイコンリスト(&1)"),
    menu_layout::item(CommandId::SelectedColorFrame, u"選択色(&2)"),
    menu_layout::item(CommandId::PaletteFrame, u"パレット(&3)"),
    menu_layout::item(CommandId::PreviewFrame, u"プレビュー(&4)"),
    menu_layout::kEnd,
};

// One entry of the accelerator table: a virtual key, with or without Ctrl.
struct AcceleratorEntry {
    std::uint16_t virtualKey = 0;
    bool control = false;
    CommandId command = CommandId::Exit;
};

inline constexpr std::uint16_t kVirtualKeyDelete = 0x2E;

// The ten accelerators; their items are the ones kept enabled between menu uses.
inline constexpr AcceleratorEntry kAccelerators[] = {
    {'A', true, CommandId::SelectAll},
    {'C', true, CommandId::Copy},
    {'N', true, CommandId::NewFile},
    {'O', true, CommandId::Open},
    {'S', true, CommandId::Save},
    {'V', true, CommandId::Paste},
    {kVirtualKeyDelete, false, CommandId::Delete},
    {'X', true, CommandId::Cut},
    {'Y', true, CommandId::Redo},
    {'Z', true, CommandId::Undo},
};

} // namespace tessaly
