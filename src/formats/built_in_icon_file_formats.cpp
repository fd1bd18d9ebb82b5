#include "formats/built_in_icon_file_formats.h"

#include "formats/bmp_reader.h"
#include "formats/ico_reader.h"
#include "formats/ico_writer.h"
#include "formats/module_icon_reader.h"
#include "formats/png_reader.h"

namespace tessaly {

namespace {

// A PNG gives one image, which replaces the collection's; a refused file
// delivers none, and the collection keeps what it had.
bool readPng(const std::filesystem::path& path, IconImageList& images)
{
    PngReader reader;
    if (!reader.read(path))
        return false;
    std::unique_ptr<IconImage> image = PngReader::fromPng(reader);
    if (!image)
        return false;
    images.clear();
    images.push_back(std::move(image));
    return true;
}

} // namespace

bool BuiltInIconFileFormats::read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const
{
    switch (kind) {
    case IconFileKind::Ico:
        return IcoReader().readFile(path, images);
    case IconFileKind::Bitmap:
        return BmpReader().readFile(path, images);
    case IconFileKind::Module:
        return ModuleIconReader().readFile(path, images);
    // JPEG needs the platform's picture loader, which only the Windows
    // build's formats (PlatformIconFileFormats) reach.
    case IconFileKind::Picture:
        return false;
    case IconFileKind::Png:
        return readPng(path, images);
    }
    return false;
}

bool BuiltInIconFileFormats::writeIco(const std::filesystem::path& path, const IconCollection& collection) const
{
    return IcoWriter().writeFile(path, collection);
}

const IconFileFormats& builtInIconFileFormats()
{
    static const BuiltInIconFileFormats formats;
    return formats;
}

} // namespace tessaly
