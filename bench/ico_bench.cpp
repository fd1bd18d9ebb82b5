// Reading and writing a four-image icon (16, 32, 48 and 256 pixels, 32 bits)
// next to copying its bytes. Everything happens in memory, the file already
// loaded, so that the file system's noise is not measured.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "formats/ico_reader.h"
#include "formats/ico_writer.h"

namespace {

struct FourImageIcon {
    FourImageIcon()
    {
        for (std::int32_t side : {16, 32, 48, 256}) {
            auto image = std::make_unique<tessaly::IconImage>();
            image->create(side, side, 32);
            for (std::int32_t y = 0; y < side; ++y) {
                for (std::int32_t x = 0; x < side; ++x) {
                    image->setPixel(y, x,
                                    tessaly::makeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                                       static_cast<std::uint8_t>(x ^ y),
                                                       static_cast<std::uint8_t>(x + y)));
                    image->setMask(y, x, x + y == 0);
                }
            }
            list.push_back(image.get());
            images.push_back(std::move(image));
        }
        tessaly::IcoWriter().encode(list, bytes);
    }

    std::vector<std::unique_ptr<tessaly::IconImage>> images;
    std::vector<const tessaly::IconImage*> list;
    std::vector<std::uint8_t> bytes;
};

const FourImageIcon& icon()
{
    static const FourImageIcon instance;
    return instance;
}

void readIco(benchmark::State& state)
{
    const auto& bytes = icon().bytes;
    for (auto _ : state) {
        tessaly::IconImageList images;
        tessaly::IcoReader reader;
        benchmark::DoNotOptimize(reader.read(bytes, images));
        benchmark::DoNotOptimize(images.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(readIco)->Name("ico/tessaly/read");

void writeIco(benchmark::State& state)
{
    const auto& list = icon().list;
    std::vector<std::uint8_t> file;
    for (auto _ : state) {
        tessaly::IcoWriter writer;
        benchmark::DoNotOptimize(writer.encode(list, file));
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * icon().bytes.size()));
}
BENCHMARK(writeIco)->Name("ico/tessaly/write");

// The plain copy into a buffer that already exists: the floor.
void copyBytes(benchmark::State& state)
{
    const auto& bytes = icon().bytes;
    std::vector<std::uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(copyBytes)->Name("ico/memcpy/copy");

// The same copy into a fresh buffer, as reading and writing must allocate theirs.
void copyBytesIntoNewBuffer(benchmark::State& state)
{
    const auto& bytes = icon().bytes;
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(copyBytesIntoNewBuffer)->Name("ico/memcpy/copy_new_buffer");

} // namespace
