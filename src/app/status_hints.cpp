#include "app/status_hints.h"

#include <span>

#include "editing/selection_command.h"

namespace tessaly::status_hints {
namespace {

struct Hint {
    std::int32_t id;
    std::u16string_view text;
};

// clang-format off
constexpr Hint kMenuHints[] = {
    {40001, u" 変更したファイルの保存を確認し、アプリケーションを終了"},
    {40002, u" 新規にファイルを作成"},
    {40003, u" 既存のファイルを開く"},
    {40004, u" 作業中のファイルを閉じる"},
    {40005, u" 作業中のファイルを上書き保存"},
    {40006, u" 作業中のファイルに名前を付けて保存"},
    {40007, u" 別のファイルからアイコンを取り込む"},
    {40008, u" イメージをウィンドウの大きさに合わせて表示"},
    {40009, u" イメージを１倍で表示"},
    {40010, u" イメージを２倍で表示"},
    {40011, u" イメージを４倍で表示"},
    {40012, u" イメージを８倍で表示"},
    {40013, u" イメージを１２倍で表示"},
    {40014, u" イメージを１６倍で表示"},
    {40015, u" グリッド表示の有無"},
    {40016, u" 背景色を明るいトーンにする"},
    {40017, u" 背景色を暗いトーンにする"},
    {40018, u" 背景色を白色にする"},
    {40019, u" 背景色を黒色にする"},
    {40020, u" 背景色を灰色にする"},
    {40021, u" 背景色を青色にする"},
    {40022, u" 背景色を赤色にする"},
    {40023, u" 背景色を緑色にする"},
    {40024, u" プレビューの背景をデスクトップの色に変更"},
    {40025, u" プレビューの背景をエクスプローラの色(白)に変更"},
    {40026, u" プレビューの背景をアクティブなタイトルの色に変更"},
    {40027, u" プレビューの背景を非アクティブなタイトルの色に変更"},
    {40028, u" プレビューの背景をタスクバーの色に変更"},
    {40029, u" パレット１マスの大きさを可変にし、全体が常に表示されるようにする"},
    {40030, u" プレビューの表示をウィンドウの大きさに合わせて伸縮する（整数倍）"},
    {40031, u" プレビューを非選択・選択どちらの状態で表示するかを切り替える"},
    {40032, u" 直前の操作を元に戻す"},
    {40033, u" 元に戻した操作をやり直す"},
    {40034, u" 選択範囲をコピー"},
    {40035, u" コピーした内容を貼り付ける"},
    {40036, u" 選択範囲を切り取る"},
    {40037, u" イメージ全体を選択する"},
    {40038, u" 選択範囲を削除"},
    {40039, u" アイコンを新規作成して編集リストに追加する"},
    {40040, u" 選択中アイコンをごみ箱に移動する"},
    {40041, u" 選択中アイコンのコピーを作成し、編集リストに追加する"},
    {40042, u" 選択中アイコンを元に新たなアイコンを作成し、編集リストに追加する"},
    {40043, u" インポートの選択中アイコンを指定の形式に変換して編集リストに追加する"},
    {40044, u" インポートの選択中アイコンをそのまま編集リストに追加する"},
    {40045, u" ごみ箱の選択中アイコンを編集リストに追加する"},
    {40046, u" 選択中アイコンを開いて編集を開始する"},
    {40047, u" 編集中アイコンの内容を元のアイコンに上書きする"},
    {40048, u" 編集中アイコンを閉じる"},
    {40049, u" パレットを新規作成"},
    {40050, u" 現在のパレットに名前を付けて保存する"},
    {40051, u" パレットファイルから読み込む"},
    {40052, u" 選択色の変更を選択中のパレットに適用するかどうか"},
    {40053, u" アイコンリストウィンドウ 表示の切り替え"},
    {40054, u" パレットウィンドウ 表示の切り替え"},
    {40055, u" 選択色ウィンドウ 表示の切り替え"},
    {40056, u" プレビューウィンドウ 表示の切り替え"},
};

constexpr Hint kListPopupHints[] = {
    {1001, u" アイコンを新規作成"},
    {1002, u" このアイコンのコピーを作成して追加"},
    {1003, u" このアイコンを元に新たなアイコンを作成して追加"},
    {1004, u" このアイコンをごみ箱に移動"},
    {1005, u" このアイコンを開いて編集を開始する"},
    {1006, u" このアイコンの編集内容を上書きする"},
    {1007, u" このアイコンを閉じて編集を終了する"},
    {1010, u" ドラッグ中アイコンをこの位置に移動する"},
    {1011, u" ドラッグ中アイコンのコピーをこの位置に挿入する"},
    {1012, u" ドラッグの操作をキャンセルする"},
    {1101, u" このアイコンを編集リストに追加"},
    {1102, u" このアイコンをごみ箱から削除する　（復元不可能）"},
    {1103, u" ごみ箱の中身を空にする　（復元不可能）"},
    {1201, u" このアイコンをそのまま編集リストに追加"},
    {1202, u" このアイコンを元に新たなアイコンを作成して編集リストに追加"},
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
    {5001, u" 選択範囲をコピー"},
    {5002, u" コピーしたパレットを貼り付け （挿入ではなく上書き）"},
    {5003, u" 選択範囲を始点・終点の色でグラデーション"},
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
