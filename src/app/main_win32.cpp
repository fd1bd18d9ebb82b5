#include <windows.h>

#include <memory>
#include <new>

#include "app/application_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    std::unique_ptr<tessaly::Application> application(new (std::nothrow) tessaly::Application);
    if (!application)
        return -1;
    return application->run(instance, commandLine, showCommand);
}
