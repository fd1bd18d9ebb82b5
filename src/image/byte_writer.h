#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// Builds a little- or big-endian byte image in memory, byte by byte, so that
// the layout written never depends on the host's struct packing or endianness.
class ByteWriter {
public:
    void u8(std::uint8_t v) { m_bytes.push_back(v); }
    void u16le(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32le(std::uint32_t v)
    {
        u16le(static_cast<std::uint16_t>(v));
        u16le(static_cast<std::uint16_t>(v >> 16));
    }
    void i32le(std::int32_t v) { u32le(static_cast<std::uint32_t>(v)); }
    void u32be(std::uint32_t v)
    {
        u8(static_cast<std::uint8_t>(v >> 24));
        u8(static_cast<std::uint8_t>(v >> 16));
        u8(static_cast<std::uint8_t>(v >> 8));
        u8(static_cast<std::uint8_t>(v));
    }
    void bytes(std::span<const std::uint8_t> data) { m_bytes.insert(m_bytes.end(), data.begin(), data.end()); }

    void reserve(std::size_t n) { m_bytes.reserve(n); }
    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& data() const { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace tessaly
