#pragma once

#include <windows.h>

#include <functional>

#include "app/icon_document_host.h"
#include "palette/icon_create_dialog_win32.h"
#include "palette/icon_duplicate_dialog_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

// A warning prompt with Yes, No and Cancel, owned by owner.
PromptAnswer askYesNoCancel(HWND owner, const wchar_t* text, const wchar_t* title);

// The document's dialogs and its prompt as the user sees them, owned by one
// window: the icon creation and duplication dialogs and the message box that
// asks about an edited icon's changes.
class DocumentDialogs final : public IconDocumentHost {
public:
    static constexpr wchar_t kSaveEditedTitle[] = L"アイコンを閉じています";
    static constexpr wchar_t kSaveEditedText[] = L"編集アイコンの変更を保存しますか？";

    // owner: the window that owns the dialogs (the main frame); onUntitled
    // runs when the document starts an untitled file.
    DocumentDialogs(const Window& owner, std::function<void()> onUntitled);

    bool askNewIcon(IconFormat& format) override;
    bool askConvert(IconFormat& format, ConversionType& type) override;
    PromptAnswer askSaveEditedIcon() override;
    void untitledFileStarted() override;

private:
    const Window& m_owner;
    std::function<void()> m_onUntitled;
    IconCreateDialog m_create;
    IconDuplicateDialog m_duplicate;
};

} // namespace tessaly
