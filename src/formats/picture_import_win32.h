#pragma once

#include <filesystem>

#include "image/icon_file_formats.h"

namespace tessaly {

// Imports a JPEG picture (or any other the platform's picture loader
// understands as a bitmap) as one opaque 24-bit icon image.
class PictureImport {
public:
    // Empties images; false when the file cannot be read, the loader refuses
    // it, or it is no bitmap picture (a metafile or an icon): nothing is
    // then delivered, so the list being filled keeps what it had.
    static bool readFile(const std::filesystem::path& path, IconImageList& images);
};

} // namespace tessaly
