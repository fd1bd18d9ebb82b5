#pragma once

#include <windows.h>

#include "app/main_frame.h"
#include "ui/application_base.h"

namespace tessaly {

// The editor's program object. For now it owns the bare main window only;
// the models and views join it as they are built.
class Application final : public ApplicationBase {
public:
    Application() = default;
    ~Application() override;

    MainFrame& mainFrame() { return m_mainFrame; }

protected:
    bool initInstance() override;
    void exitInstance() override;

private:
    MainFrame m_mainFrame;
};

} // namespace tessaly
