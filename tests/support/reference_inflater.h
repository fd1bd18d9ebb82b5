#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly::test {

// The inflate rules written the slow, obvious way: bits one at a time,
// symbols found by a linear search over their codes, and a ring window that
// starts zero-filled. InflateDecoder must give exactly its results on any
// input, valid or not; tests and the fuzzer compare the two.
class ReferenceInflater {
public:
    explicit ReferenceInflater(unsigned windowBits = 15)
        : m_window(std::size_t{1} << windowBits, 0)
    {
    }

    // The number of bytes produced, or -1.
    std::int64_t inflate(std::span<const std::uint8_t> data, std::span<std::uint8_t> output)
    {
        m_data = data;
        m_out = output;
        m_position = 0;
        m_bitBuffer = 0;
        m_bitCount = 0;
        m_written = 0;
        m_windowPosition = 0;
        bool final = false;
        while (!final) {
            std::uint32_t header = 0;
            if (!bits(3, header))
                return -1;
            final = (header & 1) != 0;
            const std::uint32_t type = header >> 1;
            const bool ok = type == 0 ? stored() : type == 1 ? fixedBlock() : type == 2 ? dynamicBlock() : false;
            if (!ok)
                return -1;
        }
        return static_cast<std::int64_t>(m_written);
    }

private:
    struct Table {
        std::vector<int> length;
        std::vector<int> code;
        std::array<int, 16> counter{};
    };

    bool bit(std::uint32_t& value)
    {
        if (m_bitCount == 0) {
            if (m_position >= m_data.size())
                return false;
            m_bitBuffer = m_data[m_position++];
            m_bitCount = 8;
        }
        value = m_bitBuffer & 1;
        m_bitBuffer >>= 1;
        --m_bitCount;
        return true;
    }
    bool bits(unsigned count, std::uint32_t& value)
    {
        value = 0;
        for (unsigned i = 0; i < count; ++i) {
            std::uint32_t b = 0;
            if (!bit(b))
                return false;
            value |= b << i;
        }
        return true;
    }

    static Table build(const std::vector<int>& lengths)
    {
        Table t;
        t.length = lengths;
        t.code.assign(lengths.size(), -1);
        std::array<int, 16> count{};
        for (int l : lengths)
            if (l != 0)
                ++count[static_cast<std::size_t>(l)];
        std::array<int, 16> next{};
        int code = 0;
        for (std::size_t l = 1; l < 16; ++l) {
            code = (code + count[l - 1]) << 1;
            next[l] = code;
        }
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] != 0)
                t.code[s] = next[static_cast<std::size_t>(lengths[s])]++;
        for (std::size_t l = 1; l < 16; ++l)
            t.counter[l] = next[l];
        t.counter[0] = 0;
        return t;
    }

    bool symbol(const Table& t, int& result)
    {
        int code = 0;
        int length = 0;
        while (length <= 15 && code >= t.counter[static_cast<std::size_t>(length)]) {
            std::uint32_t b = 0;
            if (!bit(b))
                return false;
            code = code << 1 | static_cast<int>(b);
            ++length;
        }
        for (std::size_t s = 0; s < t.code.size(); ++s) {
            if (t.code[s] == code) {
                result = static_cast<int>(s);
                return true;
            }
        }
        return false;
    }

    bool put(std::uint8_t value)
    {
        if (m_written >= m_out.size())
            return false;
        m_out[m_written++] = value;
        m_window[m_windowPosition] = value;
        m_windowPosition = (m_windowPosition + 1) & (m_window.size() - 1);
        return true;
    }

    bool stored()
    {
        m_bitCount = 0;
        std::uint32_t length = 0;
        std::uint32_t complement = 0;
        if (!bits(16, length) || !bits(16, complement))
            return false;
        if (length != (~complement & 0xFFFF) || m_data.size() - m_position < length)
            return false;
        for (std::uint32_t i = 0; i < length; ++i)
            if (!put(m_data[m_position++]))
                return false;
        return true;
    }

    bool fixedBlock()
    {
        std::vector<int> lengths(288);
        for (std::size_t s = 0; s < 288; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        return data(build(lengths), build(std::vector<int>(32, 5)));
    }

    bool dynamicBlock()
    {
        std::uint32_t hlit = 0, hdist = 0, hclen = 0;
        if (!bits(5, hlit) || !bits(5, hdist) || !bits(4, hclen))
            return false;
        hlit += 257;
        hdist += 1;
        hclen += 4;
        static constexpr int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        std::vector<int> codeLengthLengths(19, 0);
        for (std::uint32_t i = 0; i < hclen; ++i) {
            std::uint32_t v = 0;
            if (!bits(3, v))
                return false;
            codeLengthLengths[static_cast<std::size_t>(order[i])] = static_cast<int>(v);
        }
        const Table codeLengths = build(codeLengthLengths);
        std::vector<int> lengths;
        while (lengths.size() < hlit + hdist) {
            int s = 0;
            if (!symbol(codeLengths, s))
                return false;
            std::uint32_t extra = 0;
            if (s < 16) {
                lengths.push_back(s);
                continue;
            }
            int value = 0;
            std::uint32_t repeat = 0;
            if (s == 16) {
                if (lengths.empty() || !bits(2, extra))
                    return false;
                value = lengths.back();
                repeat = 3 + extra;
            } else if (s == 17) {
                if (!bits(3, extra))
                    return false;
                repeat = 3 + extra;
            } else {
                if (!bits(7, extra))
                    return false;
                repeat = 11 + extra;
            }
            if (lengths.size() + repeat > hlit + hdist)
                return false;
            lengths.insert(lengths.end(), repeat, value);
        }
        return data(build({lengths.begin(), lengths.begin() + hlit}), build({lengths.begin() + hlit, lengths.end()}));
    }

    bool data(const Table& literals, const Table& distances)
    {
        static constexpr int lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static constexpr int distBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        for (;;) {
            int s = 0;
            if (!symbol(literals, s))
                return false;
            if (s < 256) {
                if (!put(static_cast<std::uint8_t>(s)))
                    return false;
                continue;
            }
            if (s == 256)
                return true;
            if (s > 285)
                return false;
            std::uint32_t extra = 0;
            if (!bits(static_cast<unsigned>(lengthExtra[s - 257]), extra))
                return false;
            const int length = lengthBase[s - 257] + static_cast<int>(extra);
            int d = 0;
            if (!symbol(distances, d) || d >= 30)
                return false;
            const unsigned distExtra = d < 4 ? 0u : static_cast<unsigned>(d / 2 - 1);
            if (!bits(distExtra, extra))
                return false;
            const std::size_t distance = static_cast<std::size_t>(distBase[d]) + extra;
            for (int i = 0; i < length; ++i) {
                const std::size_t from = (m_windowPosition - distance) & (m_window.size() - 1);
                if (!put(m_window[from]))
                    return false;
            }
        }
    }

    std::span<const std::uint8_t> m_data;
    std::span<std::uint8_t> m_out;
    std::size_t m_position = 0;
    std::uint32_t m_bitBuffer = 0;
    unsigned m_bitCount = 0;
    std::size_t m_written = 0;
    std::vector<std::uint8_t> m_window;
    std::size_t m_windowPosition = 0;
};

} // namespace tessaly::test
