#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace tessaly {

// The fields of a PNG file's IHDR chunk and what follows from them.
struct PngHeader {
    static constexpr std::size_t kBytes = 13;
    // The eight bytes every PNG file starts with, before its first chunk.
    static constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    enum ColorType : std::uint8_t { Grey = 0, Truecolor = 2, Palette = 3, GreyAlpha = 4, TruecolorAlpha = 6 };

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colorType = 0;
    std::uint8_t compressionMethod = 0;
    std::uint8_t filterMethod = 0;
    std::uint8_t interlaceMethod = 0;

    static bool startsWithSignature(std::span<const std::uint8_t> bytes)
    {
        return bytes.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
    }

    // The 13 bytes of the chunk, big-endian, in file order.
    static PngHeader parse(std::span<const std::uint8_t> data);

    // Samples per pixel; 0 for a colour type PNG does not define.
    unsigned channels() const;
    // Whether the bit depth is one PNG allows for the colour type.
    bool isValidKind() const;
    // The bytes of one scanline of the given width, with its filter byte.
    // Computed in 64 bits: a width of 2^32 - 1 at 64 bits a pixel does not wrap.
    std::uint64_t rowBytes(std::uint64_t pixels) const { return (bitDepth * channels() * pixels + 7) / 8 + 1; }
    // The distance the filters look back: a whole pixel, at least one byte.
    std::size_t filterStep() const;
};

} // namespace tessaly
