#include "formats/huffman_table.h"

#include <algorithm>
#include <cstring>

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

// How many symbols have each length 1-15 (the count of length 0 is 0).
// Four sets of counters, so that runs of one length (most often of unused
// symbols) do not wait on their own increments.
std::array<std::int32_t, HuffmanTable::kMaxCodeLength + 1> usedLengthCounts(std::span<const std::uint8_t> lengths)
{
    std::array<std::array<std::int32_t, HuffmanTable::kMaxCodeLength + 1>, 4> counts{};
    std::size_t symbol = 0;
    for (; symbol + 4 <= lengths.size(); symbol += 4) {
        ++counts[0][lengths[symbol]];
        ++counts[1][lengths[symbol + 1]];
        ++counts[2][lengths[symbol + 2]];
        ++counts[3][lengths[symbol + 3]];
    }
    for (; symbol < lengths.size(); ++symbol)
        ++counts[0][lengths[symbol]];
    std::array<std::int32_t, HuffmanTable::kMaxCodeLength + 1> count{};
    for (unsigned length = 1; length <= HuffmanTable::kMaxCodeLength; ++length)
        count[length] = counts[0][length] + counts[1][length] + counts[2][length] + counts[3][length];
    return count;
}

} // namespace

void HuffmanTable::build(std::span<const std::uint8_t> lengths, std::span<const std::uint32_t> meanings,
                         unsigned maxLookupBits, Pairing pairing)
{
    const std::array<std::int32_t, kMaxCodeLength + 1> count = usedLengthCounts(lengths);
    unsigned longest = kMaxCodeLength;
    while (longest > 1 && count[longest] == 0)
        --longest;
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

// The table for L bits is that for L - 1 bits twice over (a shorter code
// decodes the same whatever bit follows it) plus the codes of length L,
// which start where no shorter code ends. Starting from one entry for the
// empty prefix, which no code ends in, every entry is written once and
// copied in blocks.
void HuffmanTable::fillLookup()
{
    m_lookup[0] = kLonger;
    for (unsigned length = 1; length <= m_lookupBits; ++length) {
        const std::size_t half = std::size_t{1} << (length - 1);
        std::memcpy(m_lookup.data() + half, m_lookup.data(), half * sizeof m_lookup[0]);
        const std::uint32_t count = fittingCodes(length);
        const std::uint32_t* meanings = m_sortedMeanings.data() + m_offset[length];
        const auto first = static_cast<std::uint32_t>(m_first[length]);
        for (std::uint32_t i = 0; i < count; ++i)
            m_lookup[lookupIndexOf(first + i, length)] = meanings[i] | length;
    }
}

// Where two literal codes follow each other within the table's bits, the
// entry of the first is replaced by the pair at every index that starts
// with both. Only codes that fit their lengths have entries, so these are
// exactly the places where decoding one entry and then the next would give
// the two literals.
void HuffmanTable::pairLiterals()
{
    // The literals that can come second, shortest codes first: each as its
    // lookup index above its byte.
    std::array<std::uint32_t, kMaxSymbols> seconds;
    std::array<std::uint32_t, kMaxLookupBits + 1> secondsEnd{};
    std::uint32_t count = 0;
    for (unsigned length = 1; length < m_lookupBits; ++length) {
        const std::uint32_t fitting = fittingCodes(length);
        for (std::uint32_t i = 0; i < fitting; ++i) {
            const std::uint32_t meaning = m_sortedMeanings[static_cast<std::size_t>(m_offset[length]) + i];
            if (kindOf(meaning) == kPlain) {
                const auto code = static_cast<std::uint32_t>(m_first[length]) + i;
                seconds[count++] = static_cast<std::uint32_t>(lookupIndexOf(code, length)) << 8 | valueOf(meaning);
            }
        }
        secondsEnd[length] = count;
    }
    const std::size_t size = std::size_t{1} << m_lookupBits;
    for (unsigned firstLength = 1; firstLength < m_lookupBits; ++firstLength) {
        for (std::uint32_t i = secondsEnd[firstLength - 1]; i < secondsEnd[firstLength]; ++i) {
            const std::size_t firstAt = seconds[i] >> 8;
            const std::uint32_t firstPart = (seconds[i] & 0xFF) << 16 | firstLength << 8 | kPairFlag;
            for (unsigned secondLength = 1; firstLength + secondLength <= m_lookupBits; ++secondLength) {
                const unsigned both = firstLength + secondLength;
                for (std::uint32_t j = secondsEnd[secondLength - 1]; j < secondsEnd[secondLength]; ++j) {
                    const std::uint32_t pair = firstPart | both | (seconds[j] & 0xFF) << 24;
                    for (std::size_t at = firstAt | std::size_t{seconds[j] >> 8} << firstLength; at < size;
                         at += std::size_t{1} << both)
                        m_lookup[at] = pair;
                }
            }
        }
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
