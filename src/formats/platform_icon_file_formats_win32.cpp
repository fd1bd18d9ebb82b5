#include "formats/platform_icon_file_formats_win32.h"

#include "formats/built_in_icon_file_formats.h"
#include "formats/module_icon_import_win32.h"
#include "formats/picture_import_win32.h"

namespace tessaly {

bool PlatformIconFileFormats::read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const
{
    switch (kind) {
    case IconFileKind::Picture:
        return PictureImport::readFile(path, images);
    case IconFileKind::Module:
        return ModuleIconImport().readFile(path, images);
    default:
        return builtInIconFileFormats().read(kind, path, images);
    }
}

bool PlatformIconFileFormats::writeIco(const std::filesystem::path& path, const IconCollection& collection) const
{
    return builtInIconFileFormats().writeIco(path, collection);
}

const IconFileFormats& platformIconFileFormats()
{
    static const PlatformIconFileFormats formats;
    return formats;
}

} // namespace tessaly
