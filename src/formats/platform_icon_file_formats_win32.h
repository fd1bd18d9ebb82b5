#pragma once

#include "image/icon_file_formats.h"

namespace tessaly {

// The program's readers on Windows: the built-in ones, with JPEG pictures
// and program files read through the system (its picture loader and its
// resource loader).
class PlatformIconFileFormats final : public IconFileFormats {
public:
    bool read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const override;
    bool writeIco(const std::filesystem::path& path, const IconCollection& collection) const override;
};

// The one instance the Windows program's collections share.
const IconFileFormats& platformIconFileFormats();

} // namespace tessaly
