// Two modes.
// - Generated: an input of 'G', seven bytes of settings and seed bytes
//   describes one large stream of few, short literal codes and rare matches
//   (the data that keeps the fast loop in its paired literal table), which
//   zlib compresses here with the level, strategy, window and memory level
//   the input picks; it must decode to exactly the bytes generated.
// - Otherwise arbitrary bytes are raw deflate data, checked against the
//   one-bit-at-a-time reference: the same count, or the same failure, and
//   the same bytes, for several output sizes and both a small and the
//   largest usual window.

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/inflate_decoder.h"
#include "support/reference_inflater.h"
#include "support/sparse_repeat_source.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kGeneratedMode = 'G';
constexpr std::size_t kGeneratedHeaderBytes = 8;
// A generated stream costs milliseconds, a thousand times a raw input, and
// inputs of that mode would soon fill the corpus: only one in this many of
// them (by their seed) builds a stream, the rest are taken as raw data, so
// that the fixed-count run still spends most of its inputs on raw data.
constexpr std::uint64_t kGeneratedShare = 16;

// The seed bytes' hash (FNV-1a, then mixed so that its low bits count).
std::uint64_t seedOf(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t hash = 14695981039346656037u;
    for (std::size_t i = kGeneratedHeaderBytes; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211u;
    hash ^= hash >> 31;
    hash *= 0xBF58476D1CE4E5B9u;
    return hash ^ hash >> 29;
}

bool isGenerated(const std::uint8_t* data, std::size_t size)
{
    return size >= kGeneratedHeaderBytes && data[0] == kGeneratedMode && seedOf(data, size) % kGeneratedShare == 0;
}

// Input bytes 1-7 as zlib's settings and the data's shape; the rest seeds
// the generator.
void checkGeneratedStream(const std::uint8_t* data, std::size_t size)
{
    const int level = data[1] % 10;
    const int strategy = data[2] % 5; // default, filtered, Huffman only, RLE, fixed
    const int windowBits = 9 + data[3] % 7;
    const int memLevel = 1 + data[4] % 9;
    tessaly::test::SparseRepeatShape shape;
    shape.symbols = 16 + data[5] % 65;
    shape.repeatsPer4096 = data[6] % 49;
    shape.size = (64u << 10) + (data[7] % 9u) * 1024u;
    std::mt19937_64 random(seedOf(data, size));
    const Bytes source = tessaly::test::sparseRepeatBytes(shape, random);

    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, windowBits, memLevel, strategy) != Z_OK)
        std::abort();
    Bytes stream(deflateBound(&z, source.size()));
    z.next_in = const_cast<Bytef*>(source.data());
    z.avail_in = static_cast<uInt>(source.size());
    z.next_out = stream.data();
    z.avail_out = static_cast<uInt>(stream.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        std::abort();
    stream.resize(z.total_out);
    deflateEnd(&z);

    Bytes out(source.size());
    if (!tessaly::InflateDecoder().inflateZlib(stream, out) || out != source)
        std::abort();
}

void checkAgainstReference(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return;
    // The first two bytes choose the output size and the window.
    const std::size_t capacity = (static_cast<std::size_t>(data[0]) << 8 | data[1]) % 40000;
    const unsigned windowBits = data[0] & 1 ? 8 : 15;
    const std::span<const std::uint8_t> stream(data + 2, size - 2);

    Bytes ours(capacity);
    tessaly::InflateDecoder decoder;
    decoder.setWindow(static_cast<int>(windowBits));
    const std::int64_t count = decoder.inflate(stream, ours);
    Bytes reference(capacity);
    const std::int64_t expected = tessaly::test::ReferenceInflater(windowBits).inflate(stream, reference);
    if (count != expected)
        std::abort();
    if (count > 0 && !std::equal(ours.begin(), ours.begin() + count, reference.begin()))
        std::abort();

    // The same bytes as a zlib stream must not crash either.
    Bytes exact(count > 0 ? static_cast<std::size_t>(count) : 0);
    tessaly::InflateDecoder().inflateZlib({data, size}, exact);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (isGenerated(data, size))
        checkGeneratedStream(data, size);
    else
        checkAgainstReference(data, size);
    return 0;
}
