#include "app/status_hints.h"

#include <span>

#include "app/command_id.h"
#include "app/popup_menu.h"
#include "editing/selection_command.h"
#include "palette/palette_menu.h"

namespace tessaly::status_hints {
namespace {

struct Hint {
    std::int32_t id;
    std::u16string_view text;
};

template <typename Command> constexpr std::int32_t number(Command command)
{
    return static_cast<std::int32_t>(command);
}

// clang-format off
constexpr Hint kMenuHints[] = {
    {number(CommandId::Exit), u" 変更したファイルの保存を確認し、アプリケーションを終了"},
    {number(CommandId::NewFile), u" 新規にファイルを作成"},
    {number(CommandId::Open), u" 既存のファイルを開く"},
    {number(CommandId::Close), u" 作業中のファイルを閉じる"},
    {number(CommandId::Save), u" 作業中のファイルを上書き保存"},
    {number(CommandId::SaveAs), u" 作業中のファイルに名前を付けて保存"},
    {number(CommandId::Import), u" 別のファイルからアイコンを取り込む"},
    {number(CommandId::ZoomAuto), u" イメージをウィンドウの大きさに合わせて表示"},
    {number(CommandId::Zoom1), u" イメージを１倍で表示"},
    {number(CommandId::Zoom2), u" イメージを２倍で表示"},
    {number(CommandId::Zoom4), u" イメージを４倍で表示"},
    {number(CommandId::Zoom8), u" イメージを８倍で表示"},
    {number(CommandId::Zoom12), u" イメージを１２倍で表示"},
    {number(CommandId::Zoom16), u" イメージを１６倍で表示"},
    {number(CommandId::Grid), u" グリッド表示の有無"},
    {number(CommandId::CanvasLight), u" 背景色を明るいトーンにする"},
    {number(CommandId::CanvasDark), u" 背景色を暗いトーンにする"},
    {number(CommandId::CanvasWhite), u" 背景色を白色にする"},
    {number(CommandId::CanvasBlack), u" 背景色を黒色にする"},
    {number(CommandId::CanvasGrey), u" 背景色を灰色にする"},
    {number(CommandId::CanvasBlue), u" 背景色を青色にする"},
    {number(CommandId::CanvasRed), u" 背景色を赤色にする"},
    {number(CommandId::CanvasGreen), u" 背景色を緑色にする"},
    {number(CommandId::PreviewDesktop), u" プレビューの背景をデスクトップの色に変更"},
    {number(CommandId::PreviewExplorer), u" プレビューの背景をエクスプローラの色(白)に変更"},
    {number(CommandId::PreviewActiveTitle), u" プレビューの背景をアクティブなタイトルの色に変更"},
    {number(CommandId::PreviewInactiveTitle), u" プレビューの背景を非アクティブなタイトルの色に変更"},
    {number(CommandId::PreviewTaskbar), u" プレビューの背景をタスクバーの色に変更"},
    {number(CommandId::PaletteShowWhole), u" パレット１マスの大きさを可変にし、全体が常に表示されるようにする"},
    {number(CommandId::PreviewAutoZoom), u" プレビューの表示をウィンドウの大きさに合わせて伸縮する（整数倍）"},
    {number(CommandId::PreviewSelected), u" プレビューを非選択・選択どちらの状態で表示するかを切り替える"},
    {number(CommandId::Undo), u" 直前の操作を元に戻す"},
    {number(CommandId::Redo), u" 元に戻した操作をやり直す"},
    {number(CommandId::Copy), u" 選択範囲をコピー"},
    {number(CommandId::Paste), u" コピーした内容を貼り付ける"},
    {number(CommandId::Cut), u" 選択範囲を切り取る"},
    {number(CommandId::SelectAll), u" イメージ全体を選択する"},
    {number(CommandId::Delete), u" 選択範囲を削除"},
    {number(CommandId::NewIcon), u" アイコンを新規作成して編集リストに追加する"},
    {number(CommandId::MoveIconToTrash), u" 選択中アイコンをごみ箱に移動する"},
    {number(CommandId::DuplicateIcon), u" 選択中アイコンのコピーを作成し、編集リストに追加する"},
    {number(CommandId::CreateIconFrom), u" 選択中アイコンを元に新たなアイコンを作成し、編集リストに追加する"},
    {number(CommandId::CreateFromImport), u" インポートの選択中アイコンを指定の形式に変換して編集リストに追加する"},
    {number(CommandId::AddFromImport), u" インポートの選択中アイコンをそのまま編集リストに追加する"},
    {number(CommandId::AddFromTrash), u" ごみ箱の選択中アイコンを編集リストに追加する"},
    {number(CommandId::OpenIconForEditing), u" 選択中アイコンを開いて編集を開始する"},
    {number(CommandId::SaveEditedIcon), u" 編集中アイコンの内容を元のアイコンに上書きする"},
    {number(CommandId::CloseEditedIcon), u" 編集中アイコンを閉じる"},
    {number(CommandId::NewPalette), u" パレットを新規作成"},
    {number(CommandId::SavePalette), u" 現在のパレットに名前を付けて保存する"},
    {number(CommandId::LoadPalette), u" パレットファイルから読み込む"},
    {number(CommandId::ApplyColorChanges), u" 選択色の変更を選択中のパレットに適用するかどうか"},
    {number(CommandId::IconListFrame), u" アイコンリストウィンドウ 表示の切り替え"},
    {number(CommandId::PaletteFrame), u" パレットウィンドウ 表示の切り替え"},
    {number(CommandId::SelectedColorFrame), u" 選択色ウィンドウ 表示の切り替え"},
    {number(CommandId::PreviewFrame), u" プレビューウィンドウ 表示の切り替え"},
};

constexpr Hint kListPopupHints[] = {
    {number(ListMenuCommand::NewIcon), u" アイコンを新規作成"},
    {number(ListMenuCommand::DuplicateIcon), u" このアイコンのコピーを作成して追加"},
    {number(ListMenuCommand::CreateIconFrom), u" このアイコンを元に新たなアイコンを作成して追加"},
    {number(ListMenuCommand::MoveIconToTrash), u" このアイコンをごみ箱に移動"},
    {number(ListMenuCommand::OpenIconForEditing), u" このアイコンを開いて編集を開始する"},
    {number(ListMenuCommand::SaveEditedIcon), u" このアイコンの編集内容を上書きする"},
    {number(ListMenuCommand::CloseEditedIcon), u" このアイコンを閉じて編集を終了する"},
    {number(ListMenuCommand::MoveHere), u" ドラッグ中アイコンをこの位置に移動する"},
    {number(ListMenuCommand::CopyHere), u" ドラッグ中アイコンのコピーをこの位置に挿入する"},
    {number(ListMenuCommand::CancelDrag), u" ドラッグの操作をキャンセルする"},
    {number(ListMenuCommand::AddFromTrash), u" このアイコンを編集リストに追加"},
    {number(ListMenuCommand::DeleteFromTrash), u" このアイコンをごみ箱から削除する　（復元不可能）"},
    {number(ListMenuCommand::ClearTrash), u" ごみ箱の中身を空にする　（復元不可能）"},
    {number(ListMenuCommand::AddFromImport), u" このアイコンをそのまま編集リストに追加"},
    {number(ListMenuCommand::CreateFromImport), u" このアイコンを元に新たなアイコンを作成して編集リストに追加"},
};

constexpr Hint kSelectionPopupHints[] = {
    {selectionCommandNumber(SelectionCommand::Cut), u" 選択範囲を切り取り"},
    {selectionCommandNumber(SelectionCommand::Copy), u" 選択範囲をコピー"},
    {selectionCommandNumber(SelectionCommand::Paste), u" 選択範囲を貼り付け"},
    {selectionCommandNumber(SelectionCommand::Delete), u" 選択範囲を削除"},
    {selectionCommandNumber(SelectionCommand::SelectAll), u" イメージ全体を選択"},
    {selectionCommandNumber(SelectionCommand::Commit), u" 決定して選択を終了する"},
    {selectionCommandNumber(SelectionCommand::Cancel), u" キャンセルして選択を終了する"},
};

constexpr Hint kPalettePopupHints[] = {
    {number(PaletteMenu::kCopy), u" 選択範囲をコピー"},
    {number(PaletteMenu::kPaste), u" コピーしたパレットを貼り付け （挿入ではなく上書き）"},
    {number(PaletteMenu::kGradient), u" 選択範囲を始点・終点の色でグラデーション"},
};

// By tool number. The wide blanks are U+3000 IDEOGRAPHIC SPACE, two of them
// between the action and what it does.
struct ToolHint {
    std::u16string_view name;
    std::u16string_view use;
};

constexpr ToolHint kToolHints[] = {
    {u" 鉛筆ツール", u" 左クリック　　選択色で描画"},
    {u" 消しゴムツール", u" 左クリック　　背景色に戻す"},
    {u" 塗り潰しツール", u" 左クリック　　選択色で同じ色とマスクが続く領域を塗り潰す"},
    {u" 剥ぎ取りツール", u" 左クリック　　背景色で同じ色とマスクが続く領域を塗り潰す"},
    {u" スポイトツール", u" 左クリック　　色を取得"},
    {u" 消しゴム付き鉛筆ツール", u" 複合ツール　　左：鉛筆　右：消しゴム"},
    {u" スポイト付き鉛筆ツール", u" 複合ツール　　左：鉛筆　右：スポイト"},
    {u" 剥ぎ取り付き塗り潰しツール", u" 複合ツール　　左：塗り潰し　右：剥ぎ取り"},
    {u" スポイト付き塗り潰しツール", u" 複合ツール　　左：塗り潰し　右：スポイト"},
    {u" 透明度変更ツール", u" イメージの透明度のみを編集　　左：透明度設定　右：透明度取得"},
    {u" 透明度微調整ツール", u" 押し続けると徐々に透明度を変化させる　　左：透明度減少　右：透明度増加"},
    {u" 線引きツール", u" ドラッグの始点と終点を結ぶ線を引く　　左：選択色　右：背景色"},
    {u" 四角形塗りツール", u" ドラッグの始点と終点で囲まれる四角形を塗り潰す　　左：選択色　右：背景色"},
    {u" マスク調整ツール", u" イメージのマスク部分のみを編集　　左：マスクあり　右：マスクなし"},
    {u" 選択ツール", u" 左ドラッグで範囲を選択する　（移動・コピー・貼り付け等に使用する）"},
    {u" 移動ツール", u" 左ドラッグ＆ドロップでイメージの表示位置を変更する"},
};
// clang-format on

std::u16string_view find(std::span<const Hint> hints, std::int32_t id)
{
    for (const Hint& hint : hints) {
        if (hint.id == id)
            return hint.text;
    }
    return {};
}

bool isTool(std::int32_t tool)
{
    return tool >= 0 && tool < static_cast<std::int32_t>(std::size(kToolHints));
}

} // namespace

std::u16string_view menuHint(std::int32_t commandId)
{
    return find(kMenuHints, commandId);
}

std::u16string_view listPopupHint(std::int32_t commandId)
{
    return find(kListPopupHints, commandId);
}

std::u16string_view selectionPopupHint(std::int32_t commandId)
{
    return find(kSelectionPopupHints, commandId);
}

std::u16string_view palettePopupHint(std::int32_t commandId)
{
    return find(kPalettePopupHints, commandId);
}

std::u16string_view toolName(std::int32_t tool)
{
    return isTool(tool) ? kToolHints[tool].name : std::u16string_view{};
}

std::u16string_view toolUse(std::int32_t tool)
{
    return isTool(tool) ? kToolHints[tool].use : std::u16string_view{};
}

} // namespace tessaly::status_hints
