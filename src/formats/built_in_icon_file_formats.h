#pragma once

#include "image/icon_file_formats.h"

namespace tessaly {

// The program's own readers and .ico writer, chosen by IconCollection from a
// file name's extension.
class BuiltInIconFileFormats final : public IconFileFormats {
public:
    bool read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const override;
    bool writeIco(const std::filesystem::path& path, const IconCollection& collection) const override;
    // Every kind but JPEG pictures, which need the platform's picture loader.
    bool canRead(IconFileKind kind) const override { return kind != IconFileKind::Picture; }
};

// The one instance the program's collections share.
const IconFileFormats& builtInIconFileFormats();

} // namespace tessaly
