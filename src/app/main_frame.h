#pragma once

#include <windows.h>

#include "editing/clipboard_link_win32.h"
#include "editing/image_clipboard.h"
#include "ui/window.h"

namespace tessaly {

// The program's top-level window. Closing it ends the message loop. While it
// exists it is the editor's clipboard viewer: it keeps the image clipboard
// buffer in step with the system clipboard and puts the editor's copies there.
class MainFrame final : public Window, private ImageClipboardObserver {
public:
    static constexpr wchar_t kClassName[] = L"IconEditor-MainFrame";
    static constexpr wchar_t kTitle[] = L"Tessaly";

    MainFrame(ImageClipboard& imageClipboard, ClipboardLink& clipboardLink);
    ~MainFrame() override;

    // Registers the class (once) and creates the window, not yet shown.
    bool create();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void imageCopied(const CellGrid& content) override;
    void clipboardChanged(WPARAM wParam, LPARAM lParam);

    ImageClipboard& m_imageClipboard;
    ClipboardLink& m_clipboardLink;
};

} // namespace tessaly
