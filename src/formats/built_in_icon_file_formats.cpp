#include "formats/built_in_icon_file_formats.h"

namespace tessaly {

bool BuiltInIconFileFormats::read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const
{
    (void)path;
    (void)images;
    switch (kind) {
    // FIXME: no reader exists yet for any kind; every open fails cleanly until
    // the .ico, PNG, picture, bitmap and module readers are added here.
    case IconFileKind::Ico:
    case IconFileKind::Picture:
    case IconFileKind::Png:
    case IconFileKind::Bitmap:
    case IconFileKind::Module: return false;
    }
    return false;
}

bool BuiltInIconFileFormats::writeIco(const std::filesystem::path& path, const IconCollection& collection) const
{
    // FIXME: the .ico writer comes with the .ico reader.
    (void)path;
    (void)collection;
    return false;
}

const IconFileFormats& builtInIconFileFormats()
{
    static const BuiltInIconFileFormats formats;
    return formats;
}

} // namespace tessaly
