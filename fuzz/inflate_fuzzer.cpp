// Feeds arbitrary bytes to the inflate decoder and checks every result
// against the one-bit-at-a-time reference: the same count, or the same
// failure, and the same bytes, for several output sizes and both a small
// and the largest usual window.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/inflate_decoder.h"
#include "support/reference_inflater.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the output size and the window.
    const std::size_t capacity = (static_cast<std::size_t>(data[0]) << 8 | data[1]) % 40000;
    const unsigned windowBits = data[0] & 1 ? 8 : 15;
    const std::span<const std::uint8_t> stream(data + 2, size - 2);

    std::vector<std::uint8_t> ours(capacity);
    tessaly::InflateDecoder decoder;
    decoder.setWindow(static_cast<int>(windowBits));
    const std::int64_t count = decoder.inflate(stream, ours);
    std::vector<std::uint8_t> reference(capacity);
    const std::int64_t expected = tessaly::test::ReferenceInflater(windowBits).inflate(stream, reference);
    if (count != expected)
        std::abort();
    if (count > 0 && !std::equal(ours.begin(), ours.begin() + count, reference.begin()))
        std::abort();

    // The same bytes as a zlib stream must not crash either.
    std::vector<std::uint8_t> exact(count > 0 ? static_cast<std::size_t>(count) : 0);
    tessaly::InflateDecoder().inflateZlib({data, size}, exact);
    return 0;
}
