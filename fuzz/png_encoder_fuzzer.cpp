// Random pictures of every PNG kind, encoded and decoded again: the decoded
// samples and palette must be the ones given, byte for byte, and every
// picture the encoder takes must decode. A palette picture is refused exactly
// when one of its samples names an entry past its palette.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/png_encoder.h"
#include "formats/png_reader.h"
#include "support/png_samples.h"

namespace {

// The bytes after the leading choices, repeated to fill count bytes.
std::vector<std::uint8_t> fill(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    std::vector<std::uint8_t> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = size == 0 ? static_cast<std::uint8_t>(i * 131) : data[i % size];
    return out;
}

bool indexPastPalette(const tessaly::PngHeader& header, const std::vector<std::uint8_t>& rows, std::size_t entries)
{
    const auto rowBytes = static_cast<std::size_t>(header.rowBytes(header.width) - 1);
    for (std::uint32_t y = 0; y < header.height; ++y) {
        for (std::uint32_t x = 0; x < header.width; ++x) {
            const std::size_t bit = std::size_t{x} * header.bitDepth;
            const unsigned index =
                rows[y * rowBytes + bit / 8] >> (8 - bit % 8 - header.bitDepth) & ((1u << header.bitDepth) - 1);
            if (index >= entries)
                return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const tessaly::test::PngKind kind = tessaly::test::kEveryPngKind[data[0] % tessaly::test::kEveryPngKind.size()];
    tessaly::PngPicture picture;
    picture.header.colorType = kind.colorType;
    picture.header.bitDepth = kind.bitDepth;
    picture.header.width = 1 + data[1] % 96;
    picture.header.height = 1 + data[2] % 64;
    const int level = data[3] % 10;
    const bool withTransparency = (data[4] & 1) != 0;
    const std::uint8_t* samples = data + 5;
    const std::size_t sampleBytes = size - 5;

    const auto rowBytes = static_cast<std::size_t>(picture.header.rowBytes(picture.header.width) - 1);
    const std::vector<std::uint8_t> rows = fill(samples, sampleBytes, rowBytes * picture.header.height);
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> transparency;
    if (kind.colorType == tessaly::PngHeader::Palette) {
        const std::size_t entries = 1 + data[4] % (1u << kind.bitDepth);
        palette = fill(samples + sampleBytes / 2, sampleBytes - sampleBytes / 2, 3 * entries);
        if (withTransparency)
            transparency.assign(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(entries / 2 + 1));
    } else if (withTransparency && kind.colorType == tessaly::PngHeader::Grey) {
        transparency = {0,
                        static_cast<std::uint8_t>(data[4] >> 1 & ((1u << std::min<unsigned>(kind.bitDepth, 7)) - 1))};
    } else if (withTransparency && kind.colorType == tessaly::PngHeader::Truecolor) {
        transparency = fill(samples, sampleBytes, 6);
        if (kind.bitDepth == 8)
            transparency[0] = transparency[2] = transparency[4] = 0;
    }
    picture.rows = rows;
    picture.palette = palette;
    picture.transparency = transparency;

    tessaly::PngEncoder encoder(level);
    const std::vector<std::uint8_t> png = encoder.encode(picture);
    const bool pastPalette =
        kind.colorType == tessaly::PngHeader::Palette && indexPastPalette(picture.header, rows, palette.size() / 3);
    if (pastPalette) {
        if (!png.empty() || encoder.problem() != tessaly::PngEncodeProblem::IndexPastPalette)
            std::abort();
        return 0;
    }
    if (png.empty())
        std::abort();

    tessaly::PngReader reader;
    if (!reader.read(png) || reader.header().width != picture.header.width ||
        reader.header().height != picture.header.height || reader.header().colorType != kind.colorType ||
        reader.header().bitDepth != kind.bitDepth)
        std::abort();
    const std::span<const std::uint8_t> scanlines = reader.scanlines();
    for (std::uint32_t y = 0; y < picture.header.height; ++y) {
        const auto decoded = scanlines.subspan(y * (rowBytes + 1) + 1, rowBytes);
        if (!std::equal(decoded.begin(), decoded.end(), rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes)))
            std::abort();
    }
    if (!std::equal(reader.palette().begin(), reader.palette().end(), palette.begin(), palette.end()))
        std::abort();
    tessaly::IconImage image;
    if (!tessaly::PngReader().decodeToIconImage(png, image))
        std::abort();
    return 0;
}
