// Converts small pictures made from the input to sizes, modes and conversion
// types taken from the input. Checks, under the sanitizers, that no picture
// and no pair of sizes reads or writes out of bounds or overflows, and that
// every well-formed request gives an image of the requested shape.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "convert/image_converter.h"
#include "image/byte_reader.h"
#include "image/icon_image.h"

namespace {

constexpr std::int32_t kBitCounts[] = {1, 4, 8, 24, 32};

void fillFrom(tessaly::ByteReader& in, std::span<std::uint8_t> block)
{
    for (std::uint8_t& b : block)
        b = in.u8();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tessaly;
    ByteReader in({data, size});
    const std::int32_t bitCount = kBitCounts[in.u8() % 5];
    const std::int32_t width = in.u8() % 33;
    const std::int32_t height = in.u8() % 33;
    const std::int32_t toWidth = in.u8() % 49;
    const std::int32_t toHeight = in.u8() % 49;
    const std::uint8_t mode = in.u8();
    // Now and then a bit count no image may have.
    const std::int32_t toBitCount = mode % 8 < 5 ? kBitCounts[mode % 8] : mode % 8 == 5 ? 16 : 2;
    const auto type = static_cast<ConversionType>(in.u8() % 5);

    IconImage source;
    if (!source.create(width, height, bitCount))
        __builtin_trap();
    // The rest of the input is the picture; past its end everything reads 0.
    fillFrom(in, source.paletteData());
    fillFrom(in, source.maskData());
    fillFrom(in, source.pixelData());

    const std::optional<IconImage> result = ImageConverter().convertImage(source, toWidth, toHeight, toBitCount, type);
    const bool wellFormed = static_cast<int>(type) <= 3 && (type != ConversionType::None || toBitCount == bitCount ||
                                                            (toBitCount != 16 && toBitCount != 2));
    if (wellFormed != result.has_value())
        __builtin_trap();
    if (result) {
        const std::int32_t expectedBits = type == ConversionType::None          ? toBitCount
                                          : type == ConversionType::KeepPalette ? bitCount
                                                                                : 8;
        if (result->width() != toWidth || result->height() != toHeight || result->bitCount() != expectedBits)
            __builtin_trap();
    }
    return 0;
}
