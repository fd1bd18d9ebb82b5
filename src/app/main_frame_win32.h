#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "app/document_dialogs_win32.h"
#include "app/file_commands.h"
#include "editing/clipboard_link_win32.h"
#include "editing/image_clipboard.h"
#include "palette/palette_length_dialog_win32.h"
#include "ui/dock/dock_frame_win32.h"
#include "ui/dock/dock_host_win32.h"

namespace tessaly {

class EditCanvas;
class IconListPane;
class MainMenu;
class PaletteWindow;
class PreviewWindow;
class SelectedColorWindow;
class StatusBar;
class StatusTexts;
class ToolWindow;

// A floating frame holding one view. The icon list's frame gives the view
// its whole client area and draws nothing; the others inset it by two
// pixels and draw a sunken edge around it.
class ViewFrame final : public DockFrame {
public:
    enum class Kind : std::uint8_t { Plain, Sunken };

    explicit ViewFrame(Kind kind)
        : m_kind(kind)
    {
    }
    ~ViewFrame() override { destroy(); }
    void setContent(Window* content) { m_content = content; }
    // Where the view goes in a client rectangle of this size.
    RECT contentRect(int width, int height) const;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paintEdge();

    Kind m_kind;
    Window* m_content = nullptr;
};

// The frames in creation order, which is also their number in the layout
// record of the settings file.
enum class FrameSlot : std::uint8_t { IconList, SelectedColor, Palette, Tools, Preview };
inline constexpr std::size_t kFrameSlotCount = 5;

// The program's top-level window: the dock site with the canvas as its
// client, the five tool frames with their views, the status bar, the menu
// bar, and the dialogs and prompts of the file commands and the document.
// It is also the editor's clipboard viewer.
class MainFrame final : public DockHost, public FileCommandHost, private ImageClipboardObserver {
public:
    static constexpr wchar_t kClassName[] = L"IconEditor-MainFrame";
    static constexpr wchar_t kTitle[] = L"Tessaly";
    static constexpr UINT kRaiseFramesMessage = WM_APP + 1;

    struct Views {
        IconListPane& iconList;
        EditCanvas& canvas;
        SelectedColorWindow& selectedColor;
        PaletteWindow& palette;
        ToolWindow& tools;
        PreviewWindow& preview;
        StatusBar& statusBar;
    };
    // What the frame reports to its owner: the close box, and the commands,
    // menu events and drops of files that the menu and the status line take.
    struct Owner {
        std::function<void()> closeRequested;
        std::function<void(std::int32_t)> command;
        std::function<void()> menuOpening;
        std::function<void()> menuClosed;
        std::function<void(std::int32_t)> menuItemSelected;
        std::function<void(const std::vector<std::wstring>&, bool shift)> filesDropped;
    };

    MainFrame(const Views& views, ImageClipboard& imageClipboard, ClipboardLink& clipboardLink);
    ~MainFrame() override;

    void setOwner(Owner owner) { m_owner = std::move(owner); }
    // The dialogs call back when the document starts an untitled file.
    void setUntitledHandler(std::function<void()> handler) { m_untitled = std::move(handler); }
    DocumentDialogs& documentDialogs() { return m_documentDialogs; }

    // Registers the class (once) and creates the window with its frames and
    // views, not yet shown. menu may be none.
    bool create(HMENU menu);

    // For the message loop: true when the message was a menu key pressed in
    // a floating frame, which opens this window's menu bar.
    bool routeMenuKey(const MSG& message);

    void showFrame(FrameSlot slot, bool shown);
    bool frameVisible(FrameSlot slot) const;
    ViewFrame& frame(FrameSlot slot) { return m_frames[static_cast<std::size_t>(slot)]; }

    // FileCommandHost
    std::optional<std::wstring> askFile(FileDialogKind kind, const std::wstring& folder,
                                        const std::wstring& name) override;
    PromptAnswer askSaveFile() override;
    bool askSaveEditedBeforeSaving() override;
    bool askCloseEmptyFile() override;
    bool askPaletteLength(std::int32_t& length) override;
    void showError(const std::wstring& text, bool withSystemReason) override;
    void setTitle(const std::wstring& title) override;
    void showListTab(std::int32_t tab) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool onCreate();
    void onDestroy();
    void onDropFiles(HANDLE drop);
    void raiseFrames();
    void fitToolFrameToItsButtons();
    void imageCopied(const CellGrid& content) override;
    void clipboardChanged(WPARAM wParam, LPARAM lParam);

    Views m_views;
    ImageClipboard& m_imageClipboard;
    ClipboardLink& m_clipboardLink;
    Owner m_owner;
    std::function<void()> m_untitled;
    DocumentDialogs m_documentDialogs;
    PaletteLengthDialog m_paletteLength;
    std::array<ViewFrame, kFrameSlotCount> m_frames{ViewFrame(ViewFrame::Kind::Plain),
                                                   ViewFrame(ViewFrame::Kind::Sunken),
                                                   ViewFrame(ViewFrame::Kind::Sunken),
                                                   ViewFrame(ViewFrame::Kind::Sunken),
                                                   ViewFrame(ViewFrame::Kind::Sunken)};
};

} // namespace tessaly
