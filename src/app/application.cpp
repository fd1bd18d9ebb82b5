#include "app/application.h"

#include "ui/module_instance.h"

namespace tessaly {

namespace {
constexpr wchar_t kMainFrameClass[] = L"IconEditor-MainFrame";
constexpr wchar_t kTitle[] = L"Tessaly";
} // namespace

Application::~Application() { exitInstance(); }

bool Application::initInstance()
{
    setModuleInstance(instance());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(moduleInstance(), kMainFrameClass, &windowClass)) {
        windowClass = WNDCLASSEXW{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Application::mainWindowProcedure;
        windowClass.hInstance = moduleInstance();
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = kMainFrameClass;
        if (!RegisterClassExW(&windowClass))
            return false;
    }
    m_mainWindow = CreateWindowExW(0, kMainFrameClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 800, 600, nullptr, nullptr, moduleInstance(), nullptr);
    if (!m_mainWindow)
        return false;
    ShowWindow(m_mainWindow, showCommand());
    UpdateWindow(m_mainWindow);
    return true;
}

void Application::exitInstance()
{
    // Closing the window destroys it before the loop ends.
    if (m_mainWindow && IsWindow(m_mainWindow))
        DestroyWindow(m_mainWindow);
    m_mainWindow = nullptr;
}

LRESULT CALLBACK Application::mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace tessaly
