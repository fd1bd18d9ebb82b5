#pragma once

#include <windows.h>

#include "app/main_frame.h"
#include "editing/clipboard_link_win32.h"
#include "editing/image_clipboard.h"
#include "ui/application_base.h"

namespace tessaly {

// The editor's program object. For now it owns the main window and the image
// clipboard with its link to the system clipboard; the other models and views
// join it as they are built.
class Application final : public ApplicationBase {
public:
    Application() = default;
    ~Application() override;

    MainFrame& mainFrame() { return m_mainFrame; }
    ImageClipboard& imageClipboard() { return m_imageClipboard; }

protected:
    bool initInstance() override;
    void exitInstance() override;

private:
    ImageClipboard m_imageClipboard;
    ClipboardLink m_clipboardLink;
    MainFrame m_mainFrame{m_imageClipboard, m_clipboardLink};
};

} // namespace tessaly
