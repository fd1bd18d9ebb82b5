// Feeds arbitrary bytes to the .bmp reader. What it accepts must be one
// complete, opaque image whose size matches the header it came from.

#include <cstdint>
#include <cstdlib>

#include "formats/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaly::IconImageList images;
    tessaly::BmpReader reader;
    const bool ok = reader.read({data, size}, images);
    if (ok != (images.size() == 1))
        std::abort();
    if (!ok)
        return 0;
    const tessaly::IconImage& image = *images[0];
    const std::int32_t width = static_cast<std::int32_t>(data[18] | data[19] << 8 | data[20] << 16 |
                                                         static_cast<std::uint32_t>(data[21]) << 24);
    if (image.width() != width)
        std::abort();
    for (const std::uint8_t maskByte : image.maskData())
        if (maskByte != 0)
            std::abort();
    return 0;
}
