#include "formats/huffman_table.h"

#include <algorithm>

namespace tessaly {

namespace {

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

// A lookup index (next bit lowest) as a code (first bit highest), for
// kMaxLookupBits; shifted right, it also reverses shorter codes.
constexpr std::array<std::uint16_t, 1u << HuffmanTable::kMaxLookupBits> kReversed = reversedLookupIndexes();

} // namespace

void HuffmanTable::build(std::span<const std::uint8_t> lengths, std::span<const std::uint32_t> meanings,
                         unsigned maxLookupBits, Pairing pairing)
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
    if (pairing == Pairing::LiteralPairs)
        pairLiterals();
}

// Codes beyond the last that fits its length (too many short codes) are
// never reached: a shorter code always ends first.
std::uint32_t HuffmanTable::fittingCodes(unsigned length) const
{
    const std::int32_t room = std::max<std::int32_t>(0, (std::int32_t{1} << length) - m_first[length]);
    return static_cast<std::uint32_t>(std::min(m_counter[length] - m_first[length], room));
}

// A code of the given length as a lookup index (first bit lowest).
std::size_t HuffmanTable::lookupIndexOf(std::uint32_t code, unsigned length)
{
    return kReversed[code] >> (kMaxLookupBits - length);
}

void HuffmanTable::fillLookup()
{
    const std::size_t size = std::size_t{1} << m_lookupBits;
    // Entries where no code ends send decoding on past the table's bits; when
    // the codes within those bits fill it (a complete code), every entry is
    // written below anyway.
    std::size_t covered = 0;
    for (unsigned length = 1; length <= m_lookupBits; ++length)
        covered += std::size_t{fittingCodes(length)} << (m_lookupBits - length);
    if (covered != size)
        std::fill_n(m_lookup.begin(), size, std::uint32_t{kLonger});
    for (unsigned length = 1; length <= m_lookupBits; ++length) {
        const std::uint32_t count = fittingCodes(length);
        const auto* meanings = m_sortedMeanings.data() + m_offset[length];
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t entry = meanings[i] | length;
            const auto code = static_cast<std::uint32_t>(m_first[length]) + i;
            for (std::size_t at = lookupIndexOf(code, length); at < size; at += std::size_t{1} << length)
                m_lookup[at] = entry;
        }
    }
}

// Where two literal codes follow each other within the table's bits, the
// entry of the first is replaced by the pair at every index that starts
// with both. Only codes that fit their lengths have entries, so these are
// exactly the places where decoding one entry and then the next would give
// the two literals.
void HuffmanTable::pairLiterals()
{
    const std::size_t size = std::size_t{1} << m_lookupBits;
    for (unsigned firstLength = 1; firstLength < m_lookupBits; ++firstLength) {
        const std::uint32_t firstCount = fittingCodes(firstLength);
        for (std::uint32_t i = 0; i < firstCount; ++i) {
            const std::uint32_t first = m_sortedMeanings[static_cast<std::size_t>(m_offset[firstLength]) + i];
            if (kindOf(first) != kPlain)
                continue;
            const std::size_t firstAt =
                lookupIndexOf(static_cast<std::uint32_t>(m_first[firstLength]) + i, firstLength);
            for (unsigned secondLength = 1; firstLength + secondLength <= m_lookupBits; ++secondLength)
                pairWith(first | firstLength << 8 | kPairFlag, firstAt, firstLength, secondLength, size);
        }
    }
}

void HuffmanTable::pairWith(std::uint32_t firstPart, std::size_t firstAt, unsigned firstLength,
                            unsigned secondLength, std::size_t size)
{
    const unsigned both = firstLength + secondLength;
    const std::uint32_t secondCount = fittingCodes(secondLength);
    for (std::uint32_t j = 0; j < secondCount; ++j) {
        const std::uint32_t second = m_sortedMeanings[static_cast<std::size_t>(m_offset[secondLength]) + j];
        if (kindOf(second) != kPlain)
            continue;
        const std::uint32_t pair = firstPart | both | valueOf(second) << 24;
        const std::size_t secondAt =
            lookupIndexOf(static_cast<std::uint32_t>(m_first[secondLength]) + j, secondLength);
        for (std::size_t at = firstAt | secondAt << firstLength; at < size; at += std::size_t{1} << both)
            m_lookup[at] = pair;
    }
}

std::uint32_t HuffmanTable::decodeLonger(std::uint64_t bits) const
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
