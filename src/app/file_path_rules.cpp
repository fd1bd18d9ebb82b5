#include "app/file_path_rules.h"

namespace tessaly::file_path_rules {

namespace {

constexpr std::wstring_view kProgramName = L"Tessaly";
constexpr std::wstring_view kUntitled = L"無題";
constexpr std::wstring_view kTitleSeparator = L" - ";

// Windows takes a forward slash as a separator too, and so do the dialogs'
// answers on other systems.
constexpr std::wstring_view kSeparators = L"\\/";

// Where the last component begins: after the last separator, else at 0.
std::size_t lastComponentStart(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(kSeparators);
    return slash == std::wstring_view::npos ? 0 : slash + 1;
}

// The path without the extension of its last component; a last component
// without a dot is returned whole.
std::wstring_view withoutExtension(std::wstring_view path)
{
    const std::size_t start = lastComponentStart(path);
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos || dot < start)
        return path;
    return path.substr(0, dot);
}

} // namespace

std::wstring fileTitle(std::wstring_view path, bool fileOpen)
{
    if (!fileOpen)
        return std::wstring(kProgramName);
    std::wstring title;
    if (path.empty()) {
        title = kUntitled;
    } else {
        const std::wstring_view stem = withoutExtension(path);
        title = stem.substr(lastComponentStart(path));
    }
    title += kTitleSeparator;
    title += kProgramName;
    return title;
}

std::wstring folderOf(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(kSeparators);
    if (slash == std::wstring_view::npos)
        return {};
    // "C:\icon.ico": the folder is the root, "C:\".
    if (slash == 2 && path[1] == L':')
        return std::wstring(path.substr(0, 3));
    return std::wstring(path.substr(0, slash));
}

std::wstring defaultSaveName(std::wstring_view path)
{
    if (path.empty())
        return std::wstring(kUntitled);
    return std::wstring(withoutExtension(path));
}

} // namespace tessaly::file_path_rules
