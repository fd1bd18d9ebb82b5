#include "formats/png_encoder.h"

#include <algorithm>
#include <array>

#include "formats/png_header.h"
#include "image/byte_writer.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kMaxStoredBlock = 65535;
constexpr std::uint64_t kMaxSide = 65536;

std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes)
{
    static const std::array<std::uint32_t, 256> table = makeCrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// A chunk: length, type, data, and the CRC over type and data.
void writeChunk(ByteWriter& out, const char (&type)[5], std::span<const std::uint8_t> data)
{
    out.u32be(static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    for (int i = 0; i < 4; ++i)
        out.u8(static_cast<std::uint8_t>(type[i]));
    out.bytes(data);
    out.u32be(crc32(std::span(out.data()).subspan(typeStart)));
}

// A zlib stream of stored deflate blocks.
std::vector<std::uint8_t> storedZlib(std::span<const std::uint8_t> raw)
{
    ByteWriter out;
    out.u8(0x78); // deflate, 32 KiB window
    out.u8(0x01); // no preset dictionary; check bits make 0x7801 a multiple of 31
    std::size_t at = 0;
    do {
        const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(raw.size() - at, kMaxStoredBlock));
        const bool last = at + length == raw.size();
        out.u8(last ? 1 : 0);
        out.u16le(length);
        out.u16le(static_cast<std::uint16_t>(~length));
        out.bytes(raw.subspan(at, length));
        at += length;
    } while (at < raw.size());
    out.u32be(adler32(raw));
    return out.take();
}

} // namespace

std::vector<std::uint8_t> PngEncoder::encodeRgba(std::uint32_t width, std::uint32_t height,
                                                 std::span<const std::uint8_t> rgba)
{
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        rgba.size() != std::uint64_t{width} * height * 4)
        return {};
    const std::size_t rowBytes = std::size_t{width} * 4;
    std::vector<std::uint8_t> filtered;
    filtered.reserve((rowBytes + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        filtered.push_back(0); // filter type None
        const auto row = rgba.subspan(y * rowBytes, rowBytes);
        filtered.insert(filtered.end(), row.begin(), row.end());
    }

    ByteWriter header;
    header.u32be(width);
    header.u32be(height);
    header.u8(8); // bits per sample
    header.u8(6); // truecolour with alpha
    header.u8(0); // deflate
    header.u8(0); // adaptive filtering
    header.u8(0); // not interlaced

    ByteWriter out;
    out.bytes(PngHeader::kSignature);
    writeChunk(out, "IHDR", header.data());
    writeChunk(out, "IDAT", storedZlib(filtered));
    writeChunk(out, "IEND", {});
    return out.take();
}

} // namespace tessaly
