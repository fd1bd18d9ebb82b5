#pragma once

#include <filesystem>

#include "image/icon_file_formats.h"

namespace tessaly {

// Imports the icons of a program or library file through the system's own
// resource loader: the file is mapped as data (never run), its icon groups
// are enumerated, named and numbered ones alike, and each group's images
// are read in entry order by IconGroupReader with the mends it applies.
class ModuleIconImport {
public:
    // Empties images; false when the file cannot be loaded or holds no icon
    // group, or when its groups name more images than the file can justify
    // (the images read until then are kept).
    bool readFile(const std::filesystem::path& path, IconImageList& images);

    // Group entries whose icon resource was missing, short or damaged.
    int skippedEntries() const { return m_skipped; }

private:
    int m_skipped = 0;
};

} // namespace tessaly
