#pragma once

#include <windows.h>

namespace tessaly::test {

// The message loop of the viewers: until the window closes, or until
// quitAfterMs have passed when it is not 0 (for screenshots taken by scripts).
// With an accelerator table, its keys become commands to window.
inline void runViewerLoop(UINT quitAfterMs, HWND window = nullptr, HACCEL accelerators = nullptr)
{
    if (quitAfterMs > 0)
        SetTimer(nullptr, 0, quitAfterMs, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr)
            break;
        if (accelerators && TranslateAcceleratorW(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace tessaly::test
