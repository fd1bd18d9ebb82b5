#include "app/file_path_rules.h"

namespace tessaly {

namespace {

std::size_t lastSeparator(std::wstring_view path)
{
    return path.find_last_of(L"\\/");
}

} // namespace

std::wstring fileTitle(std::wstring_view path, bool fileOpen)
{
    if (!fileOpen)
        return L"Tessaly";
    if (path.empty())
        return L"無題 - Tessaly";
    const std::size_t slash = lastSeparator(path);
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring_view::npos)
        name = name.substr(0, dot);
    return std::wstring(name) + L" - Tessaly";
}

std::wstring folderOf(std::wstring_view path)
{
    const std::size_t slash = lastSeparator(path);
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring defaultSaveName(std::wstring_view path)
{
    if (path.empty())
        return L"無題";
    const std::size_t slash = lastSeparator(path);
    const std::size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring_view::npos || (slash != std::wstring_view::npos && dot < slash))
        return std::wstring(path);
    return std::wstring(path.substr(0, dot));
}

} // namespace tessaly
