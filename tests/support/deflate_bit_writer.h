#pragma once

#include <cstdint>
#include <vector>

namespace tessaly::test {

// Writes deflate streams by hand, for the cases no compressor makes: fields
// go in least significant bit first, Huffman codes most significant bit first.
class DeflateBitWriter {
public:
    DeflateBitWriter& bits(std::uint32_t value, unsigned count)
    {
        for (unsigned i = 0; i < count; ++i)
            bit((value >> i) & 1);
        return *this;
    }
    DeflateBitWriter& code(std::uint32_t code, unsigned length)
    {
        for (unsigned i = length; i > 0; --i)
            bit((code >> (i - 1)) & 1);
        return *this;
    }
    // A literal/length symbol of the fixed code.
    DeflateBitWriter& fixedSymbol(std::uint32_t symbol)
    {
        if (symbol < 144)
            return code(0x30 + symbol, 8);
        if (symbol < 256)
            return code(0x190 + symbol - 144, 9);
        if (symbol < 280)
            return code(symbol - 256, 7);
        return code(0xC0 + symbol - 280, 8);
    }
    DeflateBitWriter& fixedDistance(std::uint32_t symbol) { return code(symbol, 5); }
    DeflateBitWriter& alignToByte()
    {
        while (m_used != 0)
            bit(0);
        return *this;
    }
    DeflateBitWriter& byte(std::uint8_t value)
    {
        alignToByte();
        m_bytes.push_back(value);
        return *this;
    }

    std::vector<std::uint8_t> bytes() const { return m_bytes; }
    // With a zlib header for a window of 2^(cinfo + 8) bytes.
    std::vector<std::uint8_t> zlib(std::uint8_t cinfo = 7) const
    {
        const auto cmf = static_cast<std::uint8_t>(cinfo << 4 | 8);
        const auto flg = static_cast<std::uint8_t>(31 - (cmf * 256) % 31);
        std::vector<std::uint8_t> out = {cmf, static_cast<std::uint8_t>(flg == 31 ? 0 : flg)};
        out.insert(out.end(), m_bytes.begin(), m_bytes.end());
        return out;
    }

private:
    void bit(std::uint32_t value)
    {
        if (m_used == 0)
            m_bytes.push_back(0);
        m_bytes.back() = static_cast<std::uint8_t>(m_bytes.back() | value << m_used);
        m_used = (m_used + 1) % 8;
    }

    std::vector<std::uint8_t> m_bytes;
    unsigned m_used = 0;
};

} // namespace tessaly::test
