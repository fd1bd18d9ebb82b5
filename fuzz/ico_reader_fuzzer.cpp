// Feeds arbitrary bytes to the .ico reader. Whatever it accepts must survive
// being written and read again unchanged, so the fuzzer also checks that the
// reader only ever keeps complete, consistent images.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/ico_reader.h"
#include "formats/ico_writer.h"

namespace {

bool sameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool sameImage(const tessaly::IconImage& a, const tessaly::IconImage& b)
{
    return a.width() == b.width() && a.height() == b.height() && a.bitCount() == b.bitCount() &&
           sameBytes(a.paletteData(), b.paletteData()) && sameBytes(a.pixelData(), b.pixelData()) &&
           sameBytes(a.maskData(), b.maskData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaly::IconImageList images;
    tessaly::IcoReader().read({data, size}, images);
    if (images.empty())
        return 0;

    std::vector<const tessaly::IconImage*> list;
    for (const auto& image : images)
        list.push_back(image.get());
    std::vector<std::uint8_t> file;
    if (!tessaly::IcoWriter().encode(list, file))
        std::abort();
    tessaly::IconImageList again;
    if (!tessaly::IcoReader().read(file, again) || again.size() != images.size())
        std::abort();
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!sameImage(*images[i], *again[i]))
            std::abort();
    }
    return 0;
}
