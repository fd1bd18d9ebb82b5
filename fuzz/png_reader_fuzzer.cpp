// Feeds arbitrary bytes to both PNG decodings. Whatever they accept must be
// consistent: the import's image has the file's size and is opaque, the
// icon entry's image is 32-bit with its mask set exactly where alpha is 0.

#include <cstdint>
#include <cstdlib>

#include "formats/png_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    tessaly::PngReader reader;
    if (reader.read(file)) {
        if (const auto image = tessaly::PngReader::fromPng(reader)) {
            if (static_cast<std::uint32_t>(image->width()) != reader.header().width ||
                static_cast<std::uint32_t>(image->height()) != reader.header().height)
                std::abort();
            for (std::uint8_t b : image->maskData())
                if (b != 0)
                    std::abort();
        }
    }
    tessaly::IconImage image;
    if (tessaly::PngReader().decodeToIconImage(file, image)) {
        if (image.bitCount() != 32 || image.width() <= 0 || image.height() <= 0)
            std::abort();
        for (std::int32_t y = 0; y < image.height(); ++y)
            for (std::int32_t x = 0; x < image.width(); ++x)
                if (image.getMask(y, x) != (tessaly::alphaOf(image.getPixel(y, x)) == 0))
                    std::abort();
    } else if (image.width() != 0) {
        std::abort();
    }
    return 0;
}
