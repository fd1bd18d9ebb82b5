#include "app/main_frame.h"

#include "ui/window_class.h"

namespace tessaly {

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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

} // namespace tessaly
