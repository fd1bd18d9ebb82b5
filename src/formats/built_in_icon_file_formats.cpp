#include "formats/built_in_icon_file_formats.h"

#include "formats/bmp_reader.h"
#include "formats/ico_reader.h"
#include "formats/ico_writer.h"
#include "formats/module_icon_reader.h"

namespace tessaly {

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
    // FIXME: no reader exists yet for PNG; the open fails cleanly until the
    // PNG reader is added here.
    case IconFileKind::Png:
        return false;
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
