#pragma once

#include <string>
#include <string_view>

namespace tessaly {

std::wstring fileTitle(std::wstring_view path, bool fileOpen);
std::wstring folderOf(std::wstring_view path);
std::wstring defaultSaveName(std::wstring_view path);

} // namespace tessaly
