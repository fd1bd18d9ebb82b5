// Feeds arbitrary bytes to the reading of icon resources from program files.
// Images it returns must be complete; problems must be reported, never hit.

#include <cstdint>
#include <cstdlib>

#include "formats/module_icon_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaly::IconImageList images;
    tessaly::ModuleIconReader reader;
    const bool ok = reader.read({data, size}, images);
    if (!ok && (!images.empty() || reader.problem() == tessaly::PeProblem::None))
        std::abort();
    for (const auto& image : images) {
        if (!image || static_cast<std::size_t>(image->dataBytes()) !=
                          image->paletteData().size() + image->pixelData().size() + image->maskData().size())
            std::abort();
    }
    return 0;
}
