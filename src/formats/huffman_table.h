#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tessaly {

// One Huffman code of a deflate block, built from its code lengths as the
// canonical code of RFC 1951, and decoded several bits at a time.
//
// Decoding must give exactly what reading the code one bit at a time gives,
// also for the damaged codes that other decoders refuse up front (too many
// codes of a length, or too few): a symbol is found at the first length L
// whose code is below that length's counter (first code + number of codes),
// and a code that grows to 16 bits is no symbol. Every code short enough for
// the lookup table is therefore entered where that rule ends on it; prefixes
// that do not end within the table's bits take the bit-by-bit rule.
//
// Each symbol carries a packed meaning (what the decoder should do with it),
// so that one lookup gives both the code length and the action.
class HuffmanTable {
public:
    static constexpr unsigned kMaxCodeLength = 15;
    static constexpr unsigned kMaxLookupBits = 11;
    static constexpr std::size_t kMaxSymbols = 288;

    // A decoded entry: bits 0-4 the code length (0: no symbol), bits 5-7 the
    // kind, bits 8-12 the extra bits that follow the code, bits 16-31 the value.
    enum Kind : std::uint32_t {
        kPlain = 0 << 5,      // a literal byte, or a code length symbol
        kWithExtra = 1 << 5,  // a match length or distance base with extra bits
        kEndOfBlock = 2 << 5, // symbol 256
        kInvalid = 3 << 5,    // length symbols 286, 287 and distances 30, 31
        kLonger = 4 << 5,     // only in the lookup table: the code goes on past its bits
    };
    static constexpr std::uint32_t kKindMask = 7 << 5;
    static_assert(kPlain == 0);
    static constexpr std::uint32_t meaning(Kind kind, std::uint32_t value, std::uint32_t extraBits = 0)
    {
        return kind | extraBits << 8 | value << 16;
    }
    static constexpr unsigned codeLength(std::uint32_t entry) { return entry & 31; }
    static constexpr std::uint32_t kindOf(std::uint32_t entry) { return entry & kKindMask; }
    static constexpr unsigned extraBits(std::uint32_t entry) { return (entry >> 8) & 31; }
    static constexpr std::uint32_t valueOf(std::uint32_t entry) { return entry >> 16; }

    // Noisy images are mostly literals of short codes. A literal table built
    // with pairs holds, wherever the codes of two literals together fit its
    // bits, both in one entry: kind kPlain with kPairFlag, the length of both
    // codes as the code length, the first code's length in bits 8-12, the
    // first literal in bits 16-23 and the second in bits 24-31. So one lookup
    // often gives two bytes. Only the literal/length alphabet may use it.
    enum class Pairing { None, LiteralPairs };
    static constexpr std::uint32_t kPairFlag = 1u << 13;
    // A kPlain entry, single or pair, as the bytes to store (first lowest),
    // and how many of them count.
    static constexpr std::uint32_t literalBytes(std::uint32_t entry) { return entry >> 16; }
    static constexpr unsigned literalCount(std::uint32_t entry) { return 1 + ((entry >> 13) & 1); }
    // The code length of a kPlain entry, taken so that a 64-bit shift needs
    // no masking of its own: the kind bits above the length are zero.
    static constexpr unsigned plainCodeLength(std::uint32_t entry) { return entry & 63; }

    // lengths.size() <= kMaxSymbols, each length <= kMaxCodeLength; meanings
    // gives each symbol's meaning.
    void build(std::span<const std::uint8_t> lengths, std::span<const std::uint32_t> meanings,
               unsigned maxLookupBits = kMaxLookupBits, Pairing pairing = Pairing::None);

    // What decode gives for a code that grows to 16 bits: an invalid entry
    // of length 0.
    static constexpr std::uint32_t kNoSymbol = kInvalid;

    // The entry of the one symbol whose code starts bits (the next input bit
    // lowest), or kNoSymbol when no symbol has that code. Bits past the end
    // of the input must be zeros; the caller checks the code length against
    // the bits it really has.
    std::uint32_t decode(std::uint64_t bits) const
    {
        const std::uint32_t entry = m_lookup[bits & m_lookupMask];
        if ((entry & kPairFlag) != 0)
            return firstOfPair(entry);
        return kindOf(entry) != kLonger ? entry : decodeLonger(bits);
    }

    // For decoding loops that take the lookup table's entries themselves:
    // pairs included, and kLonger where decodeLonger must finish the code.
    const std::uint32_t* lookupEntries() const { return m_lookup.data(); }
    std::uint64_t lookupMask() const { return m_lookupMask; }
    [[gnu::noinline]] std::uint32_t decodeLonger(std::uint64_t bits) const;

private:
    static constexpr std::uint32_t firstOfPair(std::uint32_t entry)
    {
        return meaning(kPlain, (entry >> 16) & 0xFF) | extraBits(entry);
    }
    std::uint32_t fittingCodes(unsigned length) const;
    static std::size_t lookupIndexOf(std::uint32_t code, unsigned length);
    void fillLookup();
    void pairLiterals();

    std::array<std::int32_t, kMaxCodeLength + 1> m_first{};
    std::array<std::int32_t, kMaxCodeLength + 1> m_counter{};
    std::array<std::int32_t, kMaxCodeLength + 1> m_offset{}; // where a length's symbols start in m_sorted
    // Left uninitialised: build writes every entry that decode reads.
    std::array<std::uint32_t, kMaxSymbols> m_sortedMeanings;
    std::array<std::uint32_t, 1u << kMaxLookupBits> m_lookup;
    unsigned m_lookupBits = 1;
    std::uint64_t m_lookupMask = 1;
};

} // namespace tessaly
