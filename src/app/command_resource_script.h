#pragma once

#include <string>

namespace tessaly {

// The resource script of the menu bar and the accelerator table, written
// from their descriptions (UTF-8, for a script compiled with code page
// 65001). src/resources/command_resources.rc is this text; the native target
// tessaly_command_resources writes it again after a change of the tables.
std::string commandResourceScript();

} // namespace tessaly
