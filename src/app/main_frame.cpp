#include "app/main_frame.h"

#include "ui/window_class.h"

namespace tessaly {

MainFrame::MainFrame(ImageClipboard& imageClipboard, ClipboardLink& clipboardLink)
    : m_imageClipboard(imageClipboard)
    , m_clipboardLink(clipboardLink)
{
}

MainFrame::~MainFrame()
{
    // Here rather than in the base, so that WM_DESTROY still reaches this class.
    destroy();
}

bool MainFrame::create()
{
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    auto* background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    if (!registerWindowClass(kClassName, 0, nullptr, arrow, background, nullptr))
        return false;
    return Window::create(kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                          600, nullptr, nullptr);
}

LRESULT MainFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_clipboardLink.setOwner(handle());
        m_imageClipboard.setObserver(this);
        // Joining sends the first WM_DRAWCLIPBOARD at once, which picks up
        // whatever picture is already on the clipboard.
        m_clipboardLink.joinViewerChain(handle());
        return 0;
    case WM_DESTROY:
        m_clipboardLink.leaveViewerChain();
        m_imageClipboard.setObserver(nullptr);
        m_clipboardLink.setOwner(nullptr);
        PostQuitMessage(0);
        return 0;
    case WM_CHANGECBCHAIN:
        m_clipboardLink.chainChanged(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWCLIPBOARD:
        clipboardChanged(wParam, lParam);
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

void MainFrame::imageCopied(const CellGrid& content)
{
    m_clipboardLink.copyToClipboard(content);
}

void MainFrame::clipboardChanged(WPARAM wParam, LPARAM lParam)
{
    // Our own copy is already in the buffer, with its alpha and masks, which
    // the clipboard's bitmap does not carry; only other programs' changes
    // replace it.
    if (!m_clipboardLink.clipboardChanged(wParam, lParam))
        return;
    m_imageClipboard.clear();
    if (!m_clipboardLink.clipboardHasDib())
        return;
    CellGrid content;
    m_clipboardLink.readClipboard(content);
    m_imageClipboard.mirror(std::move(content));
}

} // namespace tessaly
