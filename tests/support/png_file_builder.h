#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::test {

// Builds PNG files by hand, for the kinds and damage no writer makes. The
// image data is a zlib stream of stored blocks, so no compressor is needed.
class PngFileBuilder {
public:
    PngFileBuilder()
        : m_bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}
    {
    }

    PngFileBuilder& header(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType,
                           std::uint8_t interlace = 0)
    {
        std::vector<std::uint8_t> body;
        u32be(body, width);
        u32be(body, height);
        body.insert(body.end(), {depth, colorType, 0, 0, interlace});
        return chunk("IHDR", body);
    }
    PngFileBuilder& chunk(const std::string& type, const std::vector<std::uint8_t>& body)
    {
        u32be(m_bytes, static_cast<std::uint32_t>(body.size()));
        std::vector<std::uint8_t> typed(type.begin(), type.end());
        typed.insert(typed.end(), body.begin(), body.end());
        m_bytes.insert(m_bytes.end(), typed.begin(), typed.end());
        u32be(m_bytes, crc32(typed));
        return *this;
    }
    // Scanlines (filter bytes included) as IDAT chunks of at most pieceBytes.
    PngFileBuilder& imageData(const std::vector<std::uint8_t>& scanlines, std::size_t pieceBytes = 1u << 30)
    {
        const std::vector<std::uint8_t> stream = zlibStored(scanlines);
        for (std::size_t at = 0; at < stream.size(); at += pieceBytes) {
            const std::size_t end = std::min(stream.size(), at + pieceBytes);
            chunk("IDAT", {stream.begin() + static_cast<std::ptrdiff_t>(at),
                           stream.begin() + static_cast<std::ptrdiff_t>(end)});
        }
        return *this;
    }
    PngFileBuilder& end() { return chunk("IEND", {}); }
    std::vector<std::uint8_t> bytes() const { return m_bytes; }

    static std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& data)
    {
        std::vector<std::uint8_t> out = {0x78, 0x01};
        std::size_t at = 0;
        do {
            const std::size_t n = std::min<std::size_t>(65535, data.size() - at);
            out.push_back(at + n == data.size() ? 1 : 0);
            out.insert(out.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                   static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
        } while (at < data.size());
        std::uint32_t a = 1, b = 0;
        for (std::uint8_t byte : data) {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        u32be(out, b << 16 | a);
        return out;
    }

private:
    static void u32be(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        out.insert(out.end(), {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
    }
    static std::uint32_t crc32(const std::vector<std::uint8_t>& data)
    {
        std::uint32_t crc = 0xFFFFFFFF;
        for (std::uint8_t byte : data) {
            crc ^= byte;
            for (int k = 0; k < 8; ++k)
                crc = crc & 1 ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
        }
        return ~crc;
    }

    std::vector<std::uint8_t> m_bytes;
};

} // namespace tessaly::test
