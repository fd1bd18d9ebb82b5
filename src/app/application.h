#pragma once

#include <windows.h>

#include "ui/application_base.h"

namespace tessaly {

// The editor's program object. For now it owns the bare main window only;
// the models and views join it as they are built.
class Application final : public ApplicationBase {
public:
    Application() = default;
    ~Application() override;

    HWND mainWindow() const { return m_mainWindow; }

protected:
    bool initInstance() override;
    void exitInstance() override;

private:
    static LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_mainWindow = nullptr;
};

} // namespace tessaly
