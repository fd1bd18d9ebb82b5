#include "image/byte_reader.h"

#include <cstring>

namespace tessaly {

bool ByteReader::take(std::size_t n, const std::uint8_t*& at)
{
    // Compare against what is left rather than computing position + n, which
    // could wrap for an n taken from a hostile length field.
    if (m_failed || n > m_bytes.size() - m_position) {
        m_failed = true;
        return false;
    }
    at = m_bytes.data() + m_position;
    m_position += n;
    return true;
}

std::uint8_t ByteReader::u8()
{
    const std::uint8_t* at = nullptr;
    return take(1, at) ? at[0] : 0;
}

std::uint16_t ByteReader::u16le()
{
    const std::uint8_t* at = nullptr;
    if (!take(2, at))
        return 0;
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::uint32_t ByteReader::u32le()
{
    const std::uint8_t* at = nullptr;
    if (!take(4, at))
        return 0;
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint32_t ByteReader::u32be()
{
    const std::uint8_t* at = nullptr;
    if (!take(4, at))
        return 0;
    return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
           static_cast<std::uint32_t>(at[2]) << 8 | static_cast<std::uint32_t>(at[3]);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t n)
{
    const std::uint8_t* at = nullptr;
    if (!take(n, at))
        return {};
    return {at, n};
}

bool ByteReader::read(std::span<std::uint8_t> dest)
{
    const std::uint8_t* at = nullptr;
    if (!take(dest.size(), at))
        return false;
    if (!dest.empty())
        std::memcpy(dest.data(), at, dest.size());
    return true;
}

bool ByteReader::skip(std::size_t n)
{
    const std::uint8_t* at = nullptr;
    return take(n, at);
}

bool ByteReader::seek(std::size_t offset)
{
    if (m_failed || offset > m_bytes.size()) {
        m_failed = true;
        return false;
    }
    m_position = offset;
    return true;
}

} // namespace tessaly
