#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace tessaly::test {

// Data that drives the inflate decoder's fast loop hardest: a few byte
// values (16-80), drawn unevenly, so that zlib gives them codes of 4-7 bits
// and two literals often share one lookup entry, and rare repeats of 3-200
// earlier bytes, so that length codes are long. Noisy palette images look
// like this.
struct SparseRepeatShape {
    std::size_t size = 64 * 1024;
    unsigned symbols = 16;        // distinct byte values, 1-256
    unsigned repeatsPer4096 = 8;  // how many repeats start among 4096 bytes
    std::size_t farthest = 32768; // how far back a repeat may reach
};

inline std::vector<std::uint8_t> sparseRepeatBytes(const SparseRepeatShape& shape, std::mt19937_64& random)
{
    const unsigned symbols = std::clamp(shape.symbols, 1u, 256u);
    // The byte values in a random order, each with a weight of 1-4, as a
    // table of 4096 picks (one draw per byte, which the fuzzer needs).
    std::vector<std::uint8_t> values(256);
    for (unsigned i = 0; i < 256; ++i)
        values[i] = static_cast<std::uint8_t>(i);
    std::shuffle(values.begin(), values.end(), random);
    std::vector<unsigned> weights(symbols);
    unsigned total = 0;
    for (unsigned& weight : weights)
        total += weight = 1 + static_cast<unsigned>(random() % 4);
    std::vector<std::uint8_t> picks(4096);
    for (unsigned i = 0, symbol = 0, reached = weights[0]; i < picks.size(); ++i) {
        while (i * total >= reached * picks.size())
            reached += weights[++symbol];
        picks[i] = values[symbol];
    }

    std::vector<std::uint8_t> bytes;
    bytes.reserve(shape.size);
    while (bytes.size() < shape.size) {
        const std::uint64_t draw = random();
        if (bytes.size() > 3 && draw % 4096 < shape.repeatsPer4096) {
            // Short repeats are the most common, as in pictures.
            const std::size_t length = 3 + static_cast<std::size_t>(random() % (1 + random() % 198));
            const std::size_t reach = std::min(bytes.size(), std::max<std::size_t>(shape.farthest, 1));
            const std::size_t from = bytes.size() - 1 - static_cast<std::size_t>(random() % reach);
            for (std::size_t i = 0; i < length && bytes.size() < shape.size; ++i)
                bytes.push_back(bytes[from + i]);
        } else {
            bytes.push_back(picks[(draw >> 12) % picks.size()]);
        }
    }
    return bytes;
}

} // namespace tessaly::test
