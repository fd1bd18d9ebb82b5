#pragma once

#include <windows.h>

namespace tessaly {

// The program module's instance handle, stored once at start-up before any
// window, menu or dialog is made, and used wherever Win32 asks for it.
void setModuleInstance(HINSTANCE instance);
HINSTANCE moduleInstance();

} // namespace tessaly
