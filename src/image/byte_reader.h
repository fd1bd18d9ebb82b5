#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaly {

// A cursor over bytes from outside the program. Every read is bounds-checked;
// a read past the end fails, yields zeros and leaves the reader failed for
// good, so a parser may read a group of fields and check ok() once before it
// acts on any of them.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool ok() const { return !m_failed; }
    std::size_t size() const { return m_bytes.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_failed ? 0 : m_bytes.size() - m_position; }

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint32_t u32le();
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }
    std::uint32_t u32be();

    // A view of the next n bytes (empty on failure).
    std::span<const std::uint8_t> bytes(std::size_t n);
    // Copies exactly dest.size() bytes; on a short input nothing is copied.
    bool read(std::span<std::uint8_t> dest);
    bool skip(std::size_t n);
    // Moves to an absolute offset; an offset past the end fails.
    bool seek(std::size_t offset);

private:
    bool take(std::size_t n, const std::uint8_t*& at);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};

} // namespace tessaly
