#include "formats/built_in_icon_file_formats.h"

#include "formats/ico_reader.h"
#include "formats/ico_writer.h"

namespace tessaly {

bool BuiltInIconFileFormats::read(IconFileKind kind, const std::filesystem::path& path, IconImageList& images) const
{
    (void)path;
    (void)images;
    switch (kind) {
    case IconFileKind::Ico: return IcoReader().readFile(path, images);
    // FIXME: no reader exists yet for the other kinds; each open fails cleanly
    // until the PNG, picture, bitmap and module readers are added here.
    case IconFileKind::Picture:
    case IconFileKind::Png:
    case IconFileKind::Bitmap:
    case IconFileKind::Module: return false;
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
