#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "convert/image_converter.h"
#include "image/file_bytes.h"
#include "image/icon_image.h"

namespace {

using tessaly::IconImage;

std::string plasmaPath(int side, const char* extension)
{
    return std::string(TESSALY_BENCH_DATA_DIR) + "/plasma_" + std::to_string(side) + "." + extension;
}

// The plasma picture of the given side as an opaque 24-bit image; none when
// the build could not make it.
const IconImage* plasma(int side)
{
    static std::map<int, std::optional<IconImage>> loaded;
    auto [it, added] = loaded.try_emplace(side);
    if (added) {
        const auto bytes = tessaly::readFileBytes(plasmaPath(side, "rgb"));
        IconImage image;
        if (bytes && bytes->size() == static_cast<std::size_t>(3 * side * side) && image.create(side, side, 24)) {
            std::size_t at = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x, at += 3) {
                    image.setPixel(y, x, tessaly::makeColor((*bytes)[at], (*bytes)[at + 1], (*bytes)[at + 2]));
                    image.setMask(y, x, false);
                }
            }
            it->second = std::move(image);
        }
    }
    return it->second ? &*it->second : nullptr;
}

// The whole conversion a user asks for when making a 256-colour icon from a
// full-colour picture: resampling (same size here), the adaptive palette and
// the mapping of every pixel.
void convertTo256(benchmark::State& state)
{
    const auto side = static_cast<int>(state.range(0));
    const IconImage* source = plasma(side);
    if (!source) {
        state.SkipWithError("no plasma picture: the build needs /usr/bin/convert (ImageMagick)");
        return;
    }
    for (auto _ : state) {
        std::optional<IconImage> result =
            tessaly::ImageConverter().convertImage(*source, side, side, 8, tessaly::ConversionType::None);
        if (!result) {
            state.SkipWithError("conversion failed");
            return;
        }
        benchmark::DoNotOptimize(result->pixelData().data());
    }
}
BENCHMARK(convertTo256)
    ->Name("convert/tessaly/to256_plasma")
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// ImageMagick is timed as a whole program, the way it is used: start-up, PNG
// decoding and encoding included. The PNG copy without quantisation shows how
// much of that is not the colour reduction.
void runImageMagick(benchmark::State& state, const std::string& arguments)
{
    const auto side = static_cast<int>(state.range(0));
    if (!plasma(side) || std::string(TESSALY_IMAGEMAGICK_CONVERT).empty()) {
        state.SkipWithError("no plasma picture or no /usr/bin/convert");
        return;
    }
    const std::string command = std::string(TESSALY_IMAGEMAGICK_CONVERT) + " " + plasmaPath(side, "png") + " " +
                                arguments + " " + plasmaPath(side, "out.png");
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ImageMagick failed");
            return;
        }
    }
}

void imageMagickTo256(benchmark::State& state)
{
    runImageMagick(state, "+dither -colors 256");
}
BENCHMARK(imageMagickTo256)
    ->Name("convert/imagemagick/to256_plasma")
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void imageMagickPngCopy(benchmark::State& state)
{
    runImageMagick(state, "");
}
BENCHMARK(imageMagickPngCopy)
    ->Name("convert/imagemagick/png_copy_plasma")
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
