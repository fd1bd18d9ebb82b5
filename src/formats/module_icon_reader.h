#pragma once

#include <filesystem>
#include <span>

#include "formats/pe_resource_directory.h"
#include "image/icon_file_formats.h"

namespace tessaly {

// Reads the icons of a program or library file (.exe, .dll) from its bytes:
// every icon group in the order the system enumerates them, groups named by
// text as well as numbered ones, each group's images in entry order. The
// file is never loaded or run, so this works on any platform and on files
// built for any processor.
class ModuleIconReader {
public:
    // Empties images; false when the file is no PE file, its resources are
    // damaged, or it holds no icon group, or when its groups name more images
    // than the file can justify (the images read until then are kept).
    bool readFile(const std::filesystem::path& path, IconImageList& images);
    bool read(std::span<const std::uint8_t> file, IconImageList& images);

    PeProblem problem() const { return m_problem; }
    // Group entries whose icon resource was missing, short or damaged.
    int skippedEntries() const { return m_skipped; }

private:
    PeProblem m_problem = PeProblem::None;
    int m_skipped = 0;
};

} // namespace tessaly
