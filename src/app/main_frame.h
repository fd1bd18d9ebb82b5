#pragma once

#include <windows.h>

#include "ui/window.h"

namespace tessaly {

// The program's top-level window. Closing it ends the message loop.
class MainFrame final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"IconEditor-MainFrame";
    static constexpr wchar_t kTitle[] = L"Tessaly";

    MainFrame() = default;
    ~MainFrame() override;

    // Registers the class (once) and creates the window, not yet shown.
    bool create();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace tessaly
