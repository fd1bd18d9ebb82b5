// Encoding 256 x 256 RGBA icon images (the size stored as PNG in icons) at
// our default level and at libpng's, side by side with libpng at its
// defaults on the same pixels. Each case reports the bytes written as the
// counter "bytes"; bench/png_encode_compare.sh sets them beside ImageMagick's
// icon writer.

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/png_encoder.h"
#include "formats/png_entry.h"
#include "formats/png_reader.h"
#include "image/file_bytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Picture {
    std::string name;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Bytes rgba;
};

// Runs one encoder on the picture; the counter "bytes" is its file's size.
template <typename Encode> void measure(benchmark::State& state, const Picture& p, Encode encode)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Bytes png = encode();
        if (png.empty())
            state.SkipWithError("encoding failed");
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.rgba.size()));
}

void encodeTessaly(benchmark::State& state, const Picture& p, int level)
{
    tessaly::PngPicture picture;
    picture.header.width = p.width;
    picture.header.height = p.height;
    picture.header.bitDepth = 8;
    picture.header.colorType = tessaly::PngHeader::TruecolorAlpha;
    picture.rows = p.rgba;
    measure(state, p, [&] { return tessaly::PngEncoder(level).encode(picture); });
}

void appendToBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// libpng as a program would call it without tuning anything: its default
// filters (all five, chosen per row) and zlib level.
Bytes libpngEncode(const Picture& p)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendToBytes, nullptr);
    png_set_IHDR(png, info, p.width, p.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < p.height; ++y)
        png_write_row(png, p.rgba.data() + std::size_t{y} * p.width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void encodeLibpng(benchmark::State& state, const Picture& p)
{
    measure(state, p, [&] { return libpngEncode(p); });
}

bool registerAll()
{
    static std::vector<Picture> pictures;
    // Made by ImageMagick when the benchmarks are built (CMakeLists.txt): a
    // soft gradient with alpha, flat icon art with soft edges, and an opaque
    // photo-like picture.
    for (const char* kind : {"rgba", "icon", "photo"}) {
        const std::string name = std::string(kind) + "_256";
        const auto file = tessaly::readFileBytes(std::string(TESSALY_BENCH_DATA_DIR) + "/" + name + ".png");
        tessaly::IconImage image;
        if (!file || !tessaly::PngReader().decodeToIconImage(*file, image))
            continue;
        pictures.push_back({name, static_cast<std::uint32_t>(image.width()), static_cast<std::uint32_t>(image.height()),
                            tessaly::PngEntry::rgbaOf(image)});
    }
    for (const Picture& p : pictures) {
        benchmark::RegisterBenchmark(("png_encode/tessaly/" + p.name).c_str(), encodeTessaly, p,
                                     tessaly::PngEncoder::kDefaultLevel)
            ->Unit(benchmark::kMillisecond);
        // At libpng's level, to tell the encoder's own cost from the level's.
        benchmark::RegisterBenchmark(("png_encode/tessaly_level6/" + p.name).c_str(), encodeTessaly, p, 6)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("png_encode/libpng/" + p.name).c_str(), encodeLibpng, p)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}

const bool registered = registerAll();

} // namespace
