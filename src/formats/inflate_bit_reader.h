#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tessaly {

// The bit cursor of the inflate decoder: bits are taken from the least
// significant end of each input byte. It holds up to 63 bits so that a whole
// length/distance pair can be decoded from one refill. Past the end of the
// input the buffer reads as zeros but they are never counted as available,
// so a code that needs them is noticed by available() and fails; nothing is
// ever read past the input.
class InflateBitReader {
public:
    void reset(std::span<const std::uint8_t> input)
    {
        m_next = input.data();
        m_end = input.data() + input.size();
        m_bits = 0;
        m_count = 0;
    }

    // Fills the buffer to at least 56 bits, or with whatever input is left.
    void refill()
    {
        if (m_end - m_next >= 8) {
            refillWhole();
            return;
        }
        while (m_count <= 55 && m_next < m_end) {
            m_bits |= static_cast<std::uint64_t>(*m_next++) << m_count;
            m_count += 8;
        }
    }

    // refill for a caller that knows at least 8 bytes are left.
    void refillWhole()
    {
        m_bits |= loadWord() << m_count;
        m_next += (63 - m_count) >> 3;
        m_count |= 56;
    }

    // The buffered bits, next bit lowest; beyond available() they are either
    // the input's next bits or zeros at its end.
    std::uint64_t peek() const { return m_bits; }
    unsigned available() const { return m_count; }
    // Only after available() >= n.
    void drop(unsigned n)
    {
        m_bits >>= n;
        m_count -= n;
    }
    // n <= 32 bits as a number, or false at the end of the input.
    bool take(unsigned n, std::uint32_t& value)
    {
        if (m_count < n)
            refill();
        if (m_count < n)
            return false;
        value = static_cast<std::uint32_t>(m_bits & ((std::uint64_t{1} << n) - 1));
        drop(n);
        return true;
    }

    // Whole bytes not yet taken into the buffer.
    std::size_t bytesLeft() const { return static_cast<std::size_t>(m_end - m_next); }

    // Stored blocks start at a byte boundary: the rest of the current byte is
    // dropped and the whole bytes already buffered are given back, so that
    // the block's bytes can be read straight from the input.
    void alignToByte()
    {
        m_next -= m_count / 8;
        m_bits = 0;
        m_count = 0;
    }
    // Only after bytesLeft() >= n.
    const std::uint8_t* takeBytes(std::size_t n)
    {
        const std::uint8_t* at = m_next;
        m_next += n;
        return at;
    }

private:
    std::uint64_t loadWord() const
    {
        if constexpr (std::endian::native == std::endian::little) {
            std::uint64_t word;
            std::memcpy(&word, m_next, sizeof word);
            return word;
        } else {
            std::uint64_t word = 0;
            for (int i = 7; i >= 0; --i)
                word = word << 8 | m_next[i];
            return word;
        }
    }

    const std::uint8_t* m_next = nullptr;
    const std::uint8_t* m_end = nullptr;
    std::uint64_t m_bits = 0;
    unsigned m_count = 0;
};

} // namespace tessaly
