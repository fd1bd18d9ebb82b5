#pragma once

#include <windows.h>

namespace tessaly {

// The program object behind the entry point: start-up, the message loop and
// shut-down. The application derives from it.
class ApplicationBase {
public:
    ApplicationBase() = default;
    ApplicationBase(const ApplicationBase&) = delete;
    ApplicationBase& operator=(const ApplicationBase&) = delete;
    virtual ~ApplicationBase() = default;

    // Runs initInstance, then the message loop until WM_QUIT, then
    // exitInstance. Returns the quit message's code, or 1 when start-up failed
    // (then neither the loop nor exitInstance runs).
    int run(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

    HINSTANCE instance() const { return m_instance; }
    // Stored for completeness; the program takes no command-line arguments.
    const wchar_t* commandLine() const { return m_commandLine; }
    int showCommand() const { return m_showCommand; }

protected:
    virtual bool initInstance() { return true; }
    virtual void exitInstance() {}
    // Delivers one message taken from the queue.
    virtual void pumpMessage(const MSG& message);
    // Called when the queue is empty; false lets the loop wait for input.
    virtual bool onIdle() { return false; }

private:
    int messageLoop();

    HINSTANCE m_instance = nullptr;
    const wchar_t* m_commandLine = L"";
    int m_showCommand = SW_SHOWDEFAULT;
};

} // namespace tessaly
