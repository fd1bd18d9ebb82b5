#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "image/icon_image.h"

namespace tessaly {

class IconCollection;

// What a file name's extension says a file holds.
enum class IconFileKind {
    Ico,     // ".ico"
    Picture, // ".jpg", ".jpeg": through the platform's picture loader
    Png,     // ".png"
    Bitmap,  // ".bmp"
    Module,  // ".exe", ".dll": the icon resources of a program or library
};

using IconImageList = std::vector<std::unique_ptr<IconImage>>;

// The readers and the writer an IconCollection opens and saves through. The
// image model only knows this interface; the file formats implement it, and
// tests can stand in for it.
class IconFileFormats {
public:
    virtual ~IconFileFormats() = default;

    // Fills images with what the file holds (complete, valid images only, also
    // when the read fails part way); false when the file could not be read.
    // A false result with no images leaves the collection as it was.
    virtual bool read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const = 0;
    // Writes the collection as an .ico file; false when nothing or not all of
    // it was written.
    virtual bool writeIco(const std::filesystem::path& path, const IconCollection& collection) const = 0;
    // Whether files of this kind can be read at all; the portable formats,
    // for one, have no JPEG decoder.
    virtual bool canRead(IconFileKind kind) const
    {
        static_cast<void>(kind);
        return true;
    }
};

} // namespace tessaly
