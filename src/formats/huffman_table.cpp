#include "formats/huffman_table.h"

#include <algorithm>

namespace tessaly {

namespace {

std::uint32_t reversedBits(std::uint32_t code, unsigned length)
{
    std::uint32_t reversed = 0;
    for (unsigned i = 0; i < length; ++i) {
        reversed = reversed << 1 | (code & 1);
        code >>= 1;
    }
    return reversed;
}

constexpr std::array<std::uint16_t, 1u << HuffmanTable::kMaxLookupBits> reversedLookupIndexes()
{
    std::array<std::uint16_t, 1u << HuffmanTable::kMaxLookupBits> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        std::uint32_t reversed = 0;
        for (unsigned b = 0; b < HuffmanTable::kMaxLookupBits; ++b)
            reversed |= ((i >> b) & 1) << (HuffmanTable::kMaxLookupBits - 1 - b);
        table[i] = static_cast<std::uint16_t>(reversed);
    }
    return table;
}

// A lookup index (next bit lowest) as a code (first bit highest), for kMaxLookupBits.
constexpr std::array<std::uint16_t, 1u << HuffmanTable::kMaxLookupBits> kReversed = reversedLookupIndexes();

} // namespace

void HuffmanTable::build(std::span<const std::uint8_t> lengths, std::span<const std::uint32_t> meanings,
                         unsigned maxLookupBits)
{
    std::array<std::int32_t, kMaxCodeLength + 1> count{};
    unsigned longest = 1;
    for (const std::uint8_t length : lengths) {
        if (length != 0) {
            ++count[length];
            longest = std::max<unsigned>(longest, length);
        }
    }
    // Counts are at most 288, so even a code with far too many short codes
    // keeps its first codes below 288 * 2^15: no overflow.
    m_first[0] = 0;
    m_counter[0] = 0;
    m_offset[0] = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
        m_first[length] = (m_first[length - 1] + count[length - 1]) << 1;
        m_counter[length] = m_first[length] + count[length];
        m_offset[length] = m_offset[length - 1] + count[length - 1];
    }
    std::array<std::int32_t, kMaxCodeLength + 1> next = m_offset;
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] != 0)
            m_sortedMeanings[static_cast<std::size_t>(next[lengths[symbol]]++)] = meanings[symbol];
    }
    m_lookupBits = std::min(longest, std::min(maxLookupBits, kMaxLookupBits));
    m_lookupMask = (std::uint64_t{1} << m_lookupBits) - 1;
    fillLookup();
}

void HuffmanTable::fillLookup()
{
    const std::size_t size = std::size_t{1} << m_lookupBits;
    // Entries no code reaches must read 0; when the codes within the table's
    // bits fill it (a complete code), every entry is written below anyway.
    std::size_t covered = 0;
    for (unsigned length = 1; length <= m_lookupBits; ++length) {
        const auto fitting =
            std::min<std::int64_t>(m_counter[length] - m_first[length],
                                   std::max<std::int64_t>(0, (std::int64_t{1} << length) - m_first[length]));
        covered += static_cast<std::size_t>(fitting) << (m_lookupBits - length);
    }
    if (covered != size)
        std::fill_n(m_lookup.begin(), size, 0u);
    for (unsigned length = 1; length <= m_lookupBits; ++length) {
        const std::int32_t count = m_counter[length] - m_first[length];
        for (std::int32_t i = 0; i < count; ++i) {
            const auto code = static_cast<std::uint32_t>(m_first[length] + i);
            // Codes that do not fit their length (too many short codes) are
            // never reached: a shorter code always ends first.
            if (code >= (1u << length))
                break;
            const std::uint32_t entry = m_sortedMeanings[static_cast<std::size_t>(m_offset[length] + i)] | length;
            for (std::size_t at = reversedBits(code, length); at < size; at += std::size_t{1} << length)
                m_lookup[at] = entry;
        }
    }
}

std::uint32_t HuffmanTable::decodeBitByBit(std::uint64_t bits) const
{
    // Every code that ends within the lookup bits is in the table, so this
    // code is still going at that length: it goes on from there. The code at
    // the length where it stops is at least that length's first code (it was
    // not below the previous counter), so it names the (code - first)-th
    // symbol of that length.
    auto code = static_cast<std::int32_t>(kReversed[bits & m_lookupMask] >> (kMaxLookupBits - m_lookupBits));
    for (unsigned length = m_lookupBits + 1; length <= kMaxCodeLength; ++length) {
        code = code << 1 | static_cast<std::int32_t>((bits >> (length - 1)) & 1);
        if (code < m_counter[length])
            return m_sortedMeanings[static_cast<std::size_t>(m_offset[length] + code - m_first[length])] | length;
    }
    return kNoSymbol;
}

} // namespace tessaly
