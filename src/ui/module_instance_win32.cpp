#include "ui/module_instance_win32.h"

namespace tessaly {

namespace {
HINSTANCE g_moduleInstance = nullptr;
}

void setModuleInstance(HINSTANCE instance) { g_moduleInstance = instance; }

HINSTANCE moduleInstance()
{
    // Before start-up stored it (tests, tools), the executable's own handle is
    // the right one.
    return g_moduleInstance ? g_moduleInstance : GetModuleHandleW(nullptr);
}

} // namespace tessaly
