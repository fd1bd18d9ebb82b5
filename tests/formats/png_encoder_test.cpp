// The PNG encoder against our own reader, for every kind of picture; that
// other programs decode its files to the same pixels is checked in the peer
// tests.

#include "formats/png_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <set>
#include <vector>

#include "formats/png_filter.h"
#include "formats/png_reader.h"
#include "formats/png_unfilter.h"
#include "image/byte_reader.h"
#include "support/png_samples.h"

namespace tessaly {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::SamplePicture;

struct Chunk {
    std::string type;
    std::uint32_t length;
    bool crcRight;
};

// The chunks of a file, each with whether its CRC is right.
std::vector<Chunk> chunksOf(const Bytes& png)
{
    std::vector<Chunk> chunks;
    ByteReader in(png);
    in.skip(8);
    while (in.remaining() >= 12) {
        const std::uint32_t length = in.u32be();
        const std::size_t typeStart = in.position();
        const auto type = in.bytes(4);
        in.skip(length);
        const std::uint32_t crc = in.u32be();
        const auto computed = static_cast<std::uint32_t>(crc32(0, png.data() + typeStart, length + 4));
        chunks.push_back({std::string(type.begin(), type.end()), length, crc == computed});
    }
    return chunks;
}

// The scanlines our reader decodes, without their filter bytes.
Bytes decodedRows(const PngReader& reader)
{
    const PngHeader& header = reader.header();
    const auto rowBytes = static_cast<std::size_t>(header.rowBytes(header.width));
    Bytes rows;
    for (std::size_t at = 0; at < reader.scanlines().size(); at += rowBytes)
        rows.insert(rows.end(), reader.scanlines().begin() + static_cast<std::ptrdiff_t>(at + 1),
                    reader.scanlines().begin() + static_cast<std::ptrdiff_t>(at + rowBytes));
    return rows;
}

TEST(PngEncoder, EveryKindOfPictureDecodesToTheSamplesItWasGiven)
{
    for (const test::PngKind kind : test::kEveryPngKind) {
        for (const auto& [width, height] : {std::pair{1u, 1u}, std::pair{13u, 9u}, std::pair{64u, 40u}}) {
            SCOPED_TRACE(kind.name() + " " + std::to_string(width) + "x" + std::to_string(height));
            const SamplePicture sample(kind, width, height);
            PngEncoder encoder;
            const Bytes png = encoder.encode(sample.picture());
            ASSERT_FALSE(png.empty()) << static_cast<int>(encoder.problem());

            PngReader reader;
            ASSERT_TRUE(reader.read(png));
            EXPECT_EQ(reader.header().width, width);
            EXPECT_EQ(reader.header().height, height);
            EXPECT_EQ(reader.header().colorType, kind.colorType);
            EXPECT_EQ(reader.header().bitDepth, kind.bitDepth);
            EXPECT_EQ(decodedRows(reader), sample.rows);
            EXPECT_TRUE(std::equal(reader.palette().begin(), reader.palette().end(), sample.palette.begin(),
                                   sample.palette.end()));

            // Palettes and samples below 8 bits stay unfiltered; the others
            // use filters, different ones on the smooth and the noisy half.
            const bool unfiltered = kind.colorType == PngHeader::Palette || kind.bitDepth < 8;
            const auto rowBytes = static_cast<std::size_t>(reader.header().rowBytes(width));
            std::set<std::uint8_t> filters;
            for (std::size_t at = 0; at < reader.scanlines().size(); at += rowBytes)
                filters.insert(reader.scanlines()[at]);
            if (unfiltered) {
                EXPECT_EQ(filters, std::set<std::uint8_t>{0});
            } else if (height > 1) {
                EXPECT_GE(filters.size(), 2u);
            }

            std::vector<std::string> types;
            for (const Chunk& chunk : chunksOf(png)) {
                EXPECT_TRUE(chunk.crcRight) << chunk.type;
                types.push_back(chunk.type);
            }
            std::vector<std::string> expected = {"IHDR"};
            if (!sample.palette.empty())
                expected.push_back("PLTE");
            if (!sample.transparency.empty())
                expected.push_back("tRNS");
            expected.insert(expected.end(), {"IDAT", "IEND"});
            EXPECT_EQ(types, expected);
        }
    }
}

TEST(PngEncoder, PaletteTransparencyReachesTheDecodedAlpha)
{
    const SamplePicture sample({PngHeader::Palette, 8}, 16, 4);
    const Bytes png = PngEncoder().encode(sample.picture());
    IconImage image;
    ASSERT_TRUE(PngReader().decodeToIconImage(png, image));
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            const std::uint8_t index = sample.rows[static_cast<std::size_t>(y * 16 + x)];
            const std::uint8_t alpha = index < sample.transparency.size() ? sample.transparency[index] : 255;
            const std::uint8_t* rgb = &sample.palette[3u * index];
            EXPECT_EQ(image.getPixel(y, x), makeColor(rgb[0], rgb[1], rgb[2], alpha)) << x << ',' << y;
        }
    }
}

TEST(PngEncoder, ChoosesPerRowTheFilterWithTheSmallestSumAndUnfiltersBack)
{
    // Eight 4-byte pixels per row. Row 0 is a ramp along the row (Sub leaves
    // small steps); row 1 repeats row 0 (Up leaves zeros); row 2 is row 1
    // plus a constant (Up leaves the constant); row 3 is all zero (None).
    const std::size_t rowBytes = 32;
    Bytes rows(4 * rowBytes);
    for (std::size_t i = 0; i < rowBytes; ++i) {
        rows[i] = static_cast<std::uint8_t>(i / 4 * 20 + 7 * (i % 4));
        rows[rowBytes + i] = rows[i];
        rows[2 * rowBytes + i] = static_cast<std::uint8_t>(rows[i] + 3);
    }
    Bytes filtered(4 * (rowBytes + 1));
    filterScanlines(rows, rowBytes, 4, FilterChoice::MinimumSum, filtered);
    EXPECT_EQ(filtered[0], 1);
    EXPECT_EQ(filtered[rowBytes + 1], 2);
    EXPECT_EQ(filtered[2 * (rowBytes + 1)], 2);
    EXPECT_EQ(filtered[3 * (rowBytes + 1)], 0);

    // Each filter type's output undoes to the rows, the first row included
    // (where "above" is zeros) and the first pixel (where "left" is).
    Bytes noisy(5 * 21);
    for (std::size_t i = 0; i < noisy.size(); ++i)
        noisy[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 11);
    for (const FilterChoice choice : {FilterChoice::None, FilterChoice::MinimumSum}) {
        for (const std::size_t step : {1u, 3u, 6u}) {
            Bytes out(5 * 22);
            filterScanlines(noisy, 21, step, choice, out);
            ASSERT_TRUE(unfilterScanlines(out, 22, step, UnknownFilter::Fail));
            for (std::size_t r = 0; r < 5; ++r)
                EXPECT_TRUE(std::equal(noisy.begin() + static_cast<std::ptrdiff_t>(r * 21),
                                       noisy.begin() + static_cast<std::ptrdiff_t>(r * 21 + 21),
                                       out.begin() + static_cast<std::ptrdiff_t>(r * 22 + 1)))
                    << "step " << step << " row " << r;
        }
    }
}

// Rows long enough that the encoder gives up on a losing filter part way
// through: every row's filter must still be the one of the smallest sum
// (the lowest type on a tie), as a plain sum of every filter finds.
TEST(PngEncoder, ChoosesTheSmallestSumOnRowsThatSpanManyBlocks)
{
    const std::size_t rowBytes = 1201, rowCount = 8;
    Bytes rows(rowCount * rowBytes);
    std::uint32_t seed = 12345;
    const auto noise = [&] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24); };
    for (std::size_t r = 0; r < rowCount; ++r)
        for (std::size_t i = 0; i < rowBytes; ++i) {
            std::uint8_t& byte = rows[r * rowBytes + i];
            const std::uint8_t above = r == 0 ? 0 : rows[(r - 1) * rowBytes + i];
            // Rows alternate between noise, near copies of the row above,
            // ramps, and halves of two kinds, so that the winner differs and
            // is sometimes decided only in the last blocks.
            switch (r % 4) {
            case 0: byte = noise(); break;
            case 1: byte = static_cast<std::uint8_t>(above + (noise() & 3)); break;
            case 2: byte = static_cast<std::uint8_t>(i * 3 + (noise() & 1)); break;
            default: byte = i < rowBytes * 3 / 4 ? static_cast<std::uint8_t>(above + 1) : noise(); break;
            }
        }
    for (const std::size_t step : {3u, 4u}) {
        Bytes filtered(rowCount * (rowBytes + 1));
        filterScanlines(rows, rowBytes, step, FilterChoice::MinimumSum, filtered);
        for (std::size_t r = 0; r < rowCount; ++r) {
            std::uint64_t best = UINT64_MAX;
            int expected = -1;
            for (int type = 0; type < 5; ++type) {
                std::uint64_t sum = 0;
                for (std::size_t i = 0; i < rowBytes; ++i) {
                    const int value = rows[r * rowBytes + i];
                    const int left = i >= step ? rows[r * rowBytes + i - step] : 0;
                    const int up = r > 0 ? rows[(r - 1) * rowBytes + i] : 0;
                    const int upLeft = r > 0 && i >= step ? rows[(r - 1) * rowBytes + i - step] : 0;
                    const int guess[] = {0, left, up, (left + up) / 2, paethPredictor(left, up, upLeft)};
                    const auto byte = static_cast<std::uint8_t>(value - guess[type]);
                    sum += byte < 128 ? byte : 256 - byte;
                }
                if (sum < best) {
                    best = sum;
                    expected = type;
                }
            }
            EXPECT_EQ(filtered[r * (rowBytes + 1)], expected) << "step " << step << " row " << r;
        }
        ASSERT_TRUE(unfilterScanlines(filtered, rowBytes + 1, step, UnknownFilter::Fail));
        for (std::size_t r = 0; r < rowCount; ++r)
            EXPECT_TRUE(std::equal(rows.begin() + static_cast<std::ptrdiff_t>(r * rowBytes),
                                   rows.begin() + static_cast<std::ptrdiff_t>((r + 1) * rowBytes),
                                   filtered.begin() + static_cast<std::ptrdiff_t>(r * (rowBytes + 1) + 1)))
                << "step " << step << " row " << r;
    }
}

TEST(PngEncoder, CompressesByLevelAndSplitsLargeImageDataIntoChunks)
{
    // A smooth 256 x 256 RGBA picture: what an icon's large image looks like.
    Bytes rgba(256 * 256 * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        const std::size_t pixel = i / 4;
        rgba[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 255 - pixel % 256 : (pixel % 256 + pixel / 256 * (i % 4)) / 2);
    }
    PngPicture picture;
    picture.header.width = picture.header.height = 256;
    picture.header.bitDepth = 8;
    picture.header.colorType = PngHeader::TruecolorAlpha;
    picture.rows = rgba;
    const Bytes stored = PngEncoder(0).encode(picture);
    const Bytes fast = PngEncoder(1).encode(picture);
    const Bytes middle = PngEncoder(6).encode(picture);
    const Bytes standard = PngEncoder::encodeRgba(256, 256, rgba); // the smallest, level 9
    EXPECT_GT(stored.size(), rgba.size());
    EXPECT_LT(middle.size(), fast.size());
    EXPECT_LT(standard.size(), middle.size());
    EXPECT_LT(standard.size(), rgba.size() / 20);
    for (const Bytes* png : {&stored, &fast, &middle, &standard}) {
        IconImage image;
        ASSERT_TRUE(PngReader().decodeToIconImage(*png, image));
        EXPECT_EQ(image.getPixel(100, 37), makeColor(rgba[4 * (100 * 256 + 37)], rgba[4 * (100 * 256 + 37) + 1],
                                                     rgba[4 * (100 * 256 + 37) + 2], rgba[4 * (100 * 256 + 37) + 3]));
    }

    // Stored blocks of tiny pictures need more room than zlib's bound
    // promises for them: every level must still give a file.
    PngPicture tiny;
    tiny.header.width = tiny.header.height = 1;
    tiny.header.bitDepth = 4;
    tiny.header.colorType = PngHeader::Grey;
    const Bytes tinyRows{0x70};
    tiny.rows = tinyRows;
    for (int level = 0; level <= 9; ++level) {
        PngEncoder encoder(level);
        PngReader reader;
        ASSERT_TRUE(reader.read(encoder.encode(tiny))) << "level " << level;
        EXPECT_EQ(decodedRows(reader), tinyRows);
    }

    // Noise does not compress: 4 MiB of it takes several IDAT chunks of at
    // most 1 MiB, which decode as one stream.
    Bytes noise(1024 * 1024 * 4);
    std::uint32_t state = 5;
    for (std::uint8_t& b : noise) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    const Bytes big = PngEncoder::encodeRgba(1024, 1024, noise);
    std::size_t idats = 0;
    for (const Chunk& chunk : chunksOf(big)) {
        if (chunk.type == "IDAT") {
            ++idats;
            EXPECT_LE(chunk.length, 1u << 20);
        }
    }
    EXPECT_GE(idats, 4u);
    PngReader reader;
    ASSERT_TRUE(reader.read(big));
    EXPECT_EQ(decodedRows(reader), noise);
}

TEST(PngEncoder, RefusesPicturesThatPngCannotHold)
{
    const SamplePicture grey({PngHeader::Grey, 8}, 4, 4);
    const SamplePicture palette({PngHeader::Palette, 2}, 4, 4);
    struct Case {
        const char* what;
        PngPicture picture;
        PngEncodeProblem problem;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, PngPicture picture, PngEncodeProblem problem) {
        cases.push_back({what, picture, problem});
    };
    PngPicture p = grey.picture();
    p.header.width = 0;
    add("no width", p, PngEncodeProblem::ImpossibleSize);
    p = grey.picture();
    p.header.height = PngEncoder::kMaxSide + 1;
    add("too high", p, PngEncodeProblem::ImpossibleSize);
    p = grey.picture();
    p.header.bitDepth = 3;
    add("depth 3", p, PngEncodeProblem::UnsupportedKind);
    p = grey.picture();
    p.header.colorType = 6;
    p.header.bitDepth = 4;
    add("RGBA at 4 bits", p, PngEncodeProblem::UnsupportedKind);
    p = grey.picture();
    p.header.interlaceMethod = 1;
    add("interlaced", p, PngEncodeProblem::UnsupportedKind);
    p = grey.picture();
    p.rows = p.rows.first(15);
    add("a byte short", p, PngEncodeProblem::RowsMismatch);
    p = palette.picture();
    p.palette = {};
    add("palette picture without palette", p, PngEncodeProblem::BadPalette);
    const Bytes fivePalette(15, 1);
    p = palette.picture();
    p.palette = fivePalette;
    p.transparency = {};
    add("5 entries for 2 bits", p, PngEncodeProblem::BadPalette);
    p = grey.picture();
    p.palette = fivePalette;
    add("palette for grey", p, PngEncodeProblem::BadPalette);
    p = grey.picture();
    p.transparency = p.rows.first(6);
    add("tRNS of a colour for grey", p, PngEncodeProblem::BadTransparency);
    p = palette.picture();
    p.transparency = fivePalette;
    add("more alphas than entries", p, PngEncodeProblem::BadTransparency);

    // Three entries at 2 bits: index 3 names none. In a row of 3 samples the
    // byte's last two bits are padding, where a 3 means nothing.
    const Bytes three(9, 7);
    const Bytes samples = {0b00011011};
    PngPicture small;
    small.header.width = 4;
    small.header.height = 1;
    small.header.bitDepth = 2;
    small.header.colorType = PngHeader::Palette;
    small.rows = samples;
    small.palette = three;
    add("index 3 of 3 entries", small, PngEncodeProblem::IndexPastPalette);
    small.header.width = 3;
    EXPECT_FALSE(PngEncoder().encode(small).empty()) << "a 3 in the padding";

    for (const Case& c : cases) {
        PngEncoder encoder;
        EXPECT_TRUE(encoder.encode(c.picture).empty()) << c.what;
        EXPECT_EQ(encoder.problem(), c.problem) << c.what;
    }
    const Bytes rgba(16);
    EXPECT_TRUE(PngEncoder::encodeRgba(0, 4, rgba).empty());
    EXPECT_TRUE(PngEncoder::encodeRgba(2, 3, rgba).empty());
    EXPECT_FALSE(PngEncoder::encodeRgba(2, 2, rgba).empty());
}

} // namespace
} // namespace tessaly
