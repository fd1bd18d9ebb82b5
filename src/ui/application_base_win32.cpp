#include "ui/application_base_win32.h"

namespace tessaly {

int ApplicationBase::run(HINSTANCE instance, const wchar_t* commandLine, int showCommand)
{
    m_instance = instance;
    m_commandLine = commandLine ? commandLine : L"";
    m_showCommand = showCommand;
    if (!initInstance())
        return 1;
    const int code = messageLoop();
    exitInstance();
    return code;
}

int ApplicationBase::messageLoop()
{
    MSG message{};
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            pumpMessage(message);
        } else if (!onIdle()) {
            WaitMessage();
        }
    }
}

void ApplicationBase::pumpMessage(const MSG& message)
{
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace tessaly
