#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// What the main frame derives from the current file's path (Windows style,
// backslash-separated): the window title, the folder the file dialogs start
// in next time, and the name Save As offers.
namespace file_path_rules {

// "Tessaly" with no file open; "無題 - Tessaly" for an open untitled file
// (empty path); else the file's name without its extension, " - Tessaly".
std::wstring fileTitle(std::wstring_view path, bool fileOpen);

// The path up to its last backslash; a file in a drive's root gives the root
// ("C:\"), not the bare drive, which would name the drive's current folder.
// Empty for a path without a backslash.
std::wstring folderOf(std::wstring_view path);

// The path without the extension of its last component ("無題" for an empty
// path). A dot in a folder's name is no extension, and a name without a dot
// is kept whole.
std::wstring defaultSaveName(std::wstring_view path);

} // namespace file_path_rules

} // namespace tessaly
