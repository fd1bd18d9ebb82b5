#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/png_encoder.h"

namespace tessaly::test {

// Every colour type with every bit depth PNG allows for it.
struct PngKind {
    std::uint8_t colorType;
    std::uint8_t bitDepth;
    std::string name() const { return "type" + std::to_string(colorType) + "_depth" + std::to_string(bitDepth); }
};
inline constexpr std::array<PngKind, 15> kEveryPngKind = {{{0, 1},
                                                           {0, 2},
                                                           {0, 4},
                                                           {0, 8},
                                                           {0, 16},
                                                           {2, 8},
                                                           {2, 16},
                                                           {3, 1},
                                                           {3, 2},
                                                           {3, 4},
                                                           {3, 8},
                                                           {4, 8},
                                                           {4, 16},
                                                           {6, 8},
                                                           {6, 16}}};

// A picture of one kind with samples that look like a picture (smooth
// ramps) in the top half and like noise in the bottom half, so that every
// filter type gets chosen somewhere. Palette pictures get a full palette and
// tRNS alphas for some entries; grey and truecolour ones a transparent value.
struct SamplePicture {
    PngHeader header;
    std::vector<std::uint8_t> rows;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> transparency;

    SamplePicture(PngKind kind, std::uint32_t width, std::uint32_t height, std::uint32_t seed = 1)
    {
        header.width = width;
        header.height = height;
        header.colorType = kind.colorType;
        header.bitDepth = kind.bitDepth;
        const auto rowBytes = static_cast<std::size_t>(header.rowBytes(width) - 1);
        std::uint32_t state = seed * 2654435761u + 1;
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::size_t i = 0; i < rowBytes; ++i) {
                state = state * 1664525u + 1013904223u;
                const bool noisy = y >= height / 2;
                rows.push_back(static_cast<std::uint8_t>(noisy ? state >> 24 : (i * 3 + y * 5) / 4));
            }
            // Bits past the last sample of a row carry no meaning: keep them 0
            // so that decoded rows can be compared byte for byte.
            const std::uint64_t bits = std::uint64_t{kind.bitDepth} * header.channels() * width;
            if (bits % 8 != 0)
                rows.back() = static_cast<std::uint8_t>(rows.back() & (0xFF00 >> (bits % 8)));
        }
        if (kind.colorType == PngHeader::Palette) {
            for (std::uint32_t i = 0; i < (1u << kind.bitDepth) * 3; ++i)
                palette.push_back(static_cast<std::uint8_t>(i * 89 + seed));
            for (std::uint32_t i = 0; i < (1u << kind.bitDepth) / 2; ++i)
                transparency.push_back(static_cast<std::uint8_t>(i * 37));
        } else if (kind.colorType == PngHeader::Grey) {
            transparency = {0, static_cast<std::uint8_t>(rows[0] >> (8 - std::min<int>(kind.bitDepth, 8)))};
        } else if (kind.colorType == PngHeader::Truecolor) {
            transparency = {0, rows[0], 0, rows[1], 0, rows[2]};
            if (kind.bitDepth == 16)
                transparency = {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5]};
        }
    }

    PngPicture picture() const { return PngPicture{header, rows, palette, transparency}; }
};

} // namespace tessaly::test
