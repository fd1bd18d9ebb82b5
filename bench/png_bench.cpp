// Inflating and decoding PNG files made by ImageMagick when the benchmarks
// are built (see CMakeLists.txt), side by side with zlib's uncompress on the
// same image data and libpng's simplified API on the same files. Both sides
// produce the same thing: the scanlines for inflate, 8-bit RGBA for PNG.
// The inflate cases also take noisy data of few byte values with rare
// repeats, compressed by zlib here: the longest runs of paired literals.

#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "formats/inflate_decoder.h"
#include "formats/png_reader.h"
#include "image/file_bytes.h"
#include "support/sparse_repeat_source.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Case {
    std::string name;
    Bytes file;
    Bytes imageData;      // the IDAT chunks joined
    std::size_t inflated; // the scanlines' size
};

// The IDAT chunks of a well-formed file, joined.
Bytes imageDataOf(const Bytes& file)
{
    Bytes joined;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::size_t length = static_cast<std::size_t>(file[at]) << 24 |
                                   static_cast<std::size_t>(file[at + 1]) << 16 |
                                   static_cast<std::size_t>(file[at + 2]) << 8 | file[at + 3];
        const auto body = file.begin() + static_cast<std::ptrdiff_t>(at + 8);
        if (std::equal(body - 4, body, "IDAT"))
            joined.insert(joined.end(), body, body + static_cast<std::ptrdiff_t>(length));
        at += length + 12;
    }
    return joined;
}

void inflateTessaly(benchmark::State& state, const Case& c)
{
    Bytes out(c.inflated);
    for (auto _ : state) {
        tessaly::InflateDecoder decoder;
        if (!decoder.inflateZlib(c.imageData, out))
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.inflated));
}

void inflateZlib(benchmark::State& state, const Case& c)
{
    Bytes out(c.inflated);
    for (auto _ : state) {
        uLongf length = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &length, c.imageData.data(), static_cast<uLong>(c.imageData.size())) != Z_OK)
            state.SkipWithError("uncompress failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.inflated));
}

void pngTessaly(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        tessaly::IconImage image;
        if (!tessaly::PngReader().decodeToIconImage(c.file, image))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(image.pixelData().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.inflated));
}

void pngLibpng(benchmark::State& state, const Case& c)
{
    Bytes out;
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, c.file.data(), c.file.size())) {
            state.SkipWithError("libpng refused the file");
            break;
        }
        image.format = PNG_FORMAT_RGBA;
        out.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, out.data(), 0, nullptr))
            state.SkipWithError("libpng failed");
        png_image_free(&image);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.inflated));
}

// As PNG writers call zlib: the default level, memory level 9.
Bytes deflateLikePngWriters(const Bytes& source)
{
    z_stream z{};
    Bytes stream;
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return stream;
    stream.resize(deflateBound(&z, source.size()));
    z.next_in = const_cast<Bytef*>(source.data());
    z.avail_in = static_cast<uInt>(source.size());
    z.next_out = stream.data();
    z.avail_out = static_cast<uInt>(stream.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    stream.resize(done ? z.total_out : 0);
    deflateEnd(&z);
    return stream;
}

// 200 KiB of 16, 40 or 80 byte values (literal codes of 4 to 7 bits).
std::vector<Case> sparseRepeatCases()
{
    std::vector<Case> cases;
    std::mt19937_64 random(14);
    for (unsigned symbols : {16u, 40u, 80u}) {
        tessaly::test::SparseRepeatShape shape;
        shape.size = 200u << 10;
        shape.symbols = symbols;
        shape.repeatsPer4096 = 32;
        const Bytes source = tessaly::test::sparseRepeatBytes(shape, random);
        Case c;
        c.name = "sparse_" + std::to_string(symbols);
        c.imageData = deflateLikePngWriters(source);
        c.inflated = source.size();
        if (!c.imageData.empty())
            cases.push_back(std::move(c));
    }
    return cases;
}

bool registerAll()
{
    static std::vector<Case> cases;
    for (const char* kind : {"rgba", "rgb", "palette", "photo"}) {
        for (int side : {16, 32, 48, 256, 1024}) {
            Case c;
            c.name = std::string(kind) + "_" + std::to_string(side);
            const auto file = tessaly::readFileBytes(std::string(TESSALY_BENCH_DATA_DIR) + "/" + c.name + ".png");
            if (!file)
                continue;
            c.file = *file;
            c.imageData = imageDataOf(c.file);
            Bytes out(64u << 20);
            uLongf length = static_cast<uLongf>(out.size());
            if (uncompress(out.data(), &length, c.imageData.data(), static_cast<uLong>(c.imageData.size())) != Z_OK)
                continue;
            c.inflated = length;
            cases.push_back(std::move(c));
        }
    }
    // Only the files are PNG cases.
    const std::size_t files = cases.size();
    for (Case& c : sparseRepeatCases())
        cases.push_back(std::move(c));
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(("inflate/tessaly/" + c.name).c_str(), inflateTessaly, c);
        benchmark::RegisterBenchmark(("inflate/zlib/" + c.name).c_str(), inflateZlib, c);
    }
    for (const Case& c : std::span(cases).first(files)) {
        benchmark::RegisterBenchmark(("png/tessaly/" + c.name).c_str(), pngTessaly, c);
        benchmark::RegisterBenchmark(("png/libpng/" + c.name).c_str(), pngLibpng, c);
    }
    return true;
}

const bool registered = registerAll();

} // namespace
