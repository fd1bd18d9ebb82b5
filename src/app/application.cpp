#include "app/application.h"

#include "ui/module_instance.h"

namespace tessaly {

Application::~Application()
{
    exitInstance();
}

bool Application::initInstance()
{
    setModuleInstance(instance());
    if (!m_mainFrame.create())
        return false;
    m_mainFrame.show(showCommand());
    m_mainFrame.update();
    return true;
}

void Application::exitInstance()
{
    // Closing the window destroys it before the loop ends; this covers the
    // other ways out.
    m_mainFrame.destroy();
}

} // namespace tessaly
