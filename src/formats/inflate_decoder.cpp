#include "formats/inflate_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tessaly {

namespace {

using Meanings = std::array<std::uint32_t, HuffmanTable::kMaxSymbols>;

constexpr std::size_t kLiteralSymbols = 288;
constexpr std::size_t kDistanceSymbols = 32;
constexpr std::size_t kCodeLengthSymbols = 19;
constexpr unsigned kDistanceLookupBits = 9;
// Filling a lookup table, and pairing its literals, costs more than it
// saves when few symbols follow: the data of small images gets a smaller
// table without pairs (the results are the same).
constexpr std::size_t kSmallDataBytes = 2048;
constexpr unsigned kSmallLookupBits = 9;
constexpr unsigned kCodeLengthLookupBits = 7;
// decodeFast takes up to five literal entries of the lookup table (at most
// 11 bits each) from one refill, and stores each as two bytes: it runs while
// the output has room for them. It copies matches 8 bytes at a time, up to 7
// bytes past their end, where there is room for that, and the careful way
// elsewhere.
constexpr unsigned kLiteralEntriesPerRefill = 5;
constexpr std::size_t kFastLiteralRoom = 2 * kLiteralEntriesPerRefill;
constexpr std::size_t kCopyOvershoot = 7;
// ... and while the input holds two whole refills, so that every bit it
// decodes is real input: one refill gives 56 bits, five literal entries of
// the table take at most 55, a length/distance pair at most 48. A lookup
// reads 11 bits whatever the code's length: after four entries (44 bits)
// they are still there, after a fifth perhaps not, so the entry after a
// fifth is looked up only after the next refill.
constexpr std::size_t kFastInputBytes = 16;

constexpr std::array<std::uint8_t, kCodeLengthSymbols> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                           11, 4,  12, 3, 13, 2, 14, 1, 15};

// RFC 1951's length and distance bases, and their extra bits.
constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                       31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                         33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr Meanings literalMeanings()
{
    Meanings m{};
    for (std::uint32_t s = 0; s < kLiteralSymbols; ++s) {
        if (s < 256)
            m[s] = HuffmanTable::meaning(HuffmanTable::kPlain, s);
        else if (s == 256)
            m[s] = HuffmanTable::meaning(HuffmanTable::kEndOfBlock, 0);
        else if (s - 257 < kLengthBase.size())
            m[s] = HuffmanTable::meaning(HuffmanTable::kWithExtra, kLengthBase[s - 257], kLengthExtra[s - 257]);
        else
            m[s] = HuffmanTable::meaning(HuffmanTable::kInvalid, 0);
    }
    return m;
}

constexpr Meanings distanceMeanings()
{
    Meanings m{};
    for (std::uint32_t s = 0; s < kDistanceSymbols; ++s) {
        m[s] = s < kDistanceBase.size()
                   ? HuffmanTable::meaning(HuffmanTable::kWithExtra, kDistanceBase[s], kDistanceExtra[s])
                   : HuffmanTable::meaning(HuffmanTable::kInvalid, 0);
    }
    return m;
}

constexpr Meanings plainMeanings()
{
    Meanings m{};
    for (std::uint32_t s = 0; s < kCodeLengthSymbols; ++s)
        m[s] = HuffmanTable::meaning(HuffmanTable::kPlain, s);
    return m;
}

constexpr Meanings kLiteralMeanings = literalMeanings();
constexpr Meanings kDistanceMeanings = distanceMeanings();
constexpr Meanings kCodeLengthMeanings = plainMeanings();

struct FixedCodes {
    FixedCodes()
    {
        std::array<std::uint8_t, kLiteralSymbols> literalLengths{};
        std::fill(literalLengths.begin(), literalLengths.begin() + 144, 8);
        std::fill(literalLengths.begin() + 144, literalLengths.begin() + 256, 9);
        std::fill(literalLengths.begin() + 256, literalLengths.begin() + 280, 7);
        std::fill(literalLengths.begin() + 280, literalLengths.end(), 8);
        literals.build(literalLengths, kLiteralMeanings);
        std::array<std::uint8_t, kDistanceSymbols> distanceLengths{};
        distanceLengths.fill(5);
        distances.build(distanceLengths, kDistanceMeanings, kDistanceLookupBits);
    }
    HuffmanTable literals;
    HuffmanTable distances;
};

const FixedCodes& fixedCodes()
{
    static const FixedCodes codes;
    return codes;
}

std::uint32_t lowBits(std::uint64_t bits, unsigned count)
{
    return static_cast<std::uint32_t>(bits & ((std::uint64_t{1} << count) - 1));
}

// A lookup entry of a kind from kInvalid up, which the fast loop tests for
// at once: a longer code is finished bit by bit. False for an invalid symbol.
bool finishRareEntry(std::uint32_t& entry, const HuffmanTable& table, std::uint64_t bits)
{
    if (HuffmanTable::kindOf(entry) == HuffmanTable::kLonger)
        entry = table.decodeLonger(bits);
    return HuffmanTable::kindOf(entry) != HuffmanTable::kInvalid;
}

// Both bytes of a literal entry in one store; a single literal's second
// byte is overwritten by what follows.
void storeTwoBytes(std::uint8_t* out, std::uint32_t bytes)
{
    if constexpr (std::endian::native == std::endian::little) {
        const auto pair = static_cast<std::uint16_t>(bytes);
        std::memcpy(out, &pair, sizeof pair);
    } else {
        out[0] = static_cast<std::uint8_t>(bytes);
        out[1] = static_cast<std::uint8_t>(bytes >> 8);
    }
}

// A match whose source lies wholly inside the output, with room for the
// 8-byte overshoot after it.
void copyWithinOutput(std::uint8_t* out, std::size_t distance, std::size_t length)
{
    const std::uint8_t* from = out - distance;
    if (distance >= 8) {
        std::uint8_t* const end = out + length;
        do {
            std::memcpy(out, from, 8);
            out += 8;
            from += 8;
        } while (out < end);
    } else if (distance == 1) {
        std::memset(out, *from, length);
    } else {
        for (std::size_t i = 0; i < length; ++i)
            out[i] = from[i];
    }
}

} // namespace

bool InflateDecoder::inflateZlib(std::span<const std::uint8_t> data, std::span<std::uint8_t> output)
{
    if (data.size() < 2)
        return false;
    const std::uint32_t cmf = data[0];
    const std::uint32_t flg = data[1];
    if ((cmf & 0x0F) != 8 || (cmf * 256 + flg) % 31 != 0)
        return false;
    if (!setWindow(static_cast<int>(cmf >> 4) + 8))
        return false;
    if ((flg & 0x20) != 0) // a preset dictionary, which no PNG uses
        return false;
    const std::int64_t produced = inflate(data.subspan(2), output);
    return produced >= 0 && static_cast<std::size_t>(produced) == output.size();
}

bool InflateDecoder::setWindow(int windowBits)
{
    if (windowBits < kMinWindowBits || windowBits > kMaxWindowBits)
        return false;
    m_windowMask = (std::size_t{1} << windowBits) - 1;
    return true;
}

std::int64_t InflateDecoder::inflate(std::span<const std::uint8_t> data, std::span<std::uint8_t> output)
{
    m_in.reset(data);
    m_out = output.data();
    m_capacity = output.size();
    m_written = 0;
    bool final = false;
    while (!final) {
        std::uint32_t header = 0;
        if (!m_in.take(3, header) || !decodeBlock(header >> 1))
            return -1;
        final = (header & 1) != 0;
    }
    return static_cast<std::int64_t>(m_written);
}

bool InflateDecoder::decodeBlock(std::uint32_t type)
{
    switch (type) {
    case 0:
        return decodeStored();
    case 1:
        return decodeData(fixedCodes().literals, fixedCodes().distances);
    case 2:
        return readDynamicCodes() && decodeData(m_literals, m_distances);
    default:
        return false;
    }
}

bool InflateDecoder::decodeStored()
{
    m_in.alignToByte();
    if (m_in.bytesLeft() < 4)
        return false;
    const std::uint8_t* header = m_in.takeBytes(4);
    const std::size_t length = header[0] | header[1] << 8;
    const std::size_t complement = header[2] | header[3] << 8;
    if (length != (~complement & 0xFFFF) || length > m_in.bytesLeft() || length > m_capacity - m_written)
        return false;
    if (length != 0)
        std::memcpy(m_out + m_written, m_in.takeBytes(length), length);
    m_written += length;
    return true;
}

inline bool InflateDecoder::takeSymbol(InflateBitReader& in, const HuffmanTable& table, std::uint32_t& entry)
{
    // A code is at most 15 bits long: refill only when that many may be missing.
    if (in.available() < HuffmanTable::kMaxCodeLength)
        in.refill();
    entry = table.decode(in.peek());
    const unsigned length = HuffmanTable::codeLength(entry);
    if (length == 0 || length > in.available())
        return false;
    in.drop(length);
    return true;
}

bool InflateDecoder::readDynamicCodes()
{
    // A local reader: the code lengths are stored as bytes, which the
    // compiler must otherwise assume may overwrite the member's state.
    InflateBitReader in = m_in;
    std::uint32_t literalCount = 0;
    std::uint32_t distanceCount = 0;
    std::uint32_t codeLengthCount = 0;
    if (!in.take(5, literalCount) || !in.take(5, distanceCount) || !in.take(4, codeLengthCount))
        return false;
    literalCount += 257;
    distanceCount += 1;
    codeLengthCount += 4;

    std::array<std::uint8_t, kCodeLengthSymbols> codeLengthLengths{};
    for (std::uint32_t i = 0; i < codeLengthCount; ++i) {
        std::uint32_t length = 0;
        if (!in.take(3, length))
            return false;
        codeLengthLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(length);
    }
    m_codeLengthCodes.build(codeLengthLengths, kCodeLengthMeanings, kCodeLengthLookupBits);

    // One sequence for both codes: a repeat may cross from one to the other.
    std::array<std::uint8_t, kLiteralSymbols + kDistanceSymbols> lengths;
    const std::span<std::uint8_t> all = std::span(lengths).first(literalCount + distanceCount);
    if (!readCodeLengths(in, all))
        return false;
    m_in = in;
    const bool small = m_in.bytesLeft() < kSmallDataBytes;
    m_literals.build(all.first(literalCount), kLiteralMeanings, small ? kSmallLookupBits : HuffmanTable::kMaxLookupBits,
                     small ? HuffmanTable::Pairing::None : HuffmanTable::Pairing::LiteralPairs);
    m_distances.build(all.subspan(literalCount), kDistanceMeanings, small ? kSmallLookupBits : kDistanceLookupBits);
    return true;
}

bool InflateDecoder::readCodeLengths(InflateBitReader& reader, std::span<std::uint8_t> lengths) const
{
    // A copy that can stay in registers: the lengths are stored as bytes,
    // which may alias whatever a reference points to.
    InflateBitReader in = reader;
    std::size_t i = 0;
    while (i < lengths.size()) {
        std::uint32_t entry = 0;
        if (!takeSymbol(in, m_codeLengthCodes, entry))
            return false;
        const std::uint32_t symbol = HuffmanTable::valueOf(entry);
        if (symbol < 16) {
            lengths[i++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t value = 0;
        std::uint32_t extra = 0;
        std::size_t repeat = 0;
        if (symbol == 16) {
            if (i == 0 || !in.take(2, extra))
                return false;
            value = lengths[i - 1];
            repeat = 3 + extra;
        } else if (symbol == 17) {
            if (!in.take(3, extra))
                return false;
            repeat = 3 + extra;
        } else {
            if (!in.take(7, extra))
                return false;
            repeat = 11 + extra;
        }
        if (repeat > lengths.size() - i)
            return false;
        std::fill_n(lengths.begin() + static_cast<std::ptrdiff_t>(i), repeat, value);
        i += repeat;
    }
    reader = in;
    return true;
}

bool InflateDecoder::decodeData(const HuffmanTable& literals, const HuffmanTable& distances)
{
    // The fast loop stops only at the end of the block or near the end of
    // the input or the output, which stay near: the rest of the block goes
    // one symbol at a time.
    Progress progress = decodeFast(literals, distances);
    while (progress == Progress::Continue)
        progress = decodeOneCarefully(literals, distances);
    return progress == Progress::EndOfBlock;
}

// The bulk of the data: no checks of input or output per symbol, because the
// loop runs only while both have room for the largest symbol.
InflateDecoder::Progress InflateDecoder::decodeFast(const HuffmanTable& literals, const HuffmanTable& distances)
{
    if (m_capacity - m_written <= kFastLiteralRoom)
        return Progress::Continue;
    InflateBitReader in = m_in;
    std::uint8_t* const begin = m_out;
    std::uint8_t* out = m_out + m_written;
    std::uint8_t* const end = m_out + m_capacity;
    std::uint8_t* const outLimit = end - kFastLiteralRoom;
    Progress progress = Progress::Continue;
    // The literal table's own entries: no call and no branch for pairs.
    const std::uint32_t* const lookup = literals.lookupEntries();
    const std::uint64_t mask = literals.lookupMask();
    const std::uint32_t* const distanceLookup = distances.lookupEntries();
    const std::uint64_t distanceMask = distances.lookupMask();
    while (out < outLimit && in.bytesLeft() >= kFastInputBytes) {
        in.refillWhole();
        std::uint32_t entry = lookup[in.peek() & mask];
        if (HuffmanTable::kindOf(entry) == HuffmanTable::kPlain) {
            // Runs of literals: several entries from one refill. After the
            // last of them fewer real bits than a lookup reads may be left,
            // so what follows it is looked up after the next refill.
            const auto storeLiterals = [&in, &out](std::uint32_t plain) {
                in.drop(HuffmanTable::plainCodeLength(plain));
                storeTwoBytes(out, HuffmanTable::literalBytes(plain));
                out += HuffmanTable::literalCount(plain);
            };
#pragma GCC unroll 4
            for (unsigned taken = 1; taken < kLiteralEntriesPerRefill; ++taken) {
                storeLiterals(entry);
                entry = lookup[in.peek() & mask];
                if (HuffmanTable::kindOf(entry) != HuffmanTable::kPlain)
                    break;
            }
            if (HuffmanTable::kindOf(entry) == HuffmanTable::kPlain) {
                storeLiterals(entry);
                continue;
            }
            // At most four entries were taken, so the lookup read real bits
            // only, and a refill adds bits above them: the entry stays valid.
            in.refillWhole();
        }
        if (HuffmanTable::kindOf(entry) >= HuffmanTable::kInvalid) {
            if (!finishRareEntry(entry, literals, in.peek())) {
                progress = Progress::Failed;
                break;
            }
            if (HuffmanTable::kindOf(entry) == HuffmanTable::kPlain) {
                in.drop(HuffmanTable::codeLength(entry));
                *out++ = static_cast<std::uint8_t>(HuffmanTable::valueOf(entry));
                continue;
            }
        }
        in.drop(HuffmanTable::codeLength(entry));
        if (HuffmanTable::kindOf(entry) == HuffmanTable::kEndOfBlock) {
            progress = Progress::EndOfBlock;
            break;
        }
        const std::size_t length = HuffmanTable::valueOf(entry) + lowBits(in.peek(), HuffmanTable::extraBits(entry));
        in.drop(HuffmanTable::extraBits(entry));
        // Distance tables hold no pairs: only longer codes need more than the lookup.
        std::uint32_t code = distanceLookup[in.peek() & distanceMask];
        if (HuffmanTable::kindOf(code) >= HuffmanTable::kInvalid && !finishRareEntry(code, distances, in.peek())) {
            progress = Progress::Failed;
            break;
        }
        in.drop(HuffmanTable::codeLength(code));
        const std::size_t distance = HuffmanTable::valueOf(code) + lowBits(in.peek(), HuffmanTable::extraBits(code));
        in.drop(HuffmanTable::extraBits(code));
        const std::size_t effective = ((distance - 1) & m_windowMask) + 1;
        if (effective > static_cast<std::size_t>(out - begin) ||
            length + kCopyOvershoot > static_cast<std::size_t>(end - out)) {
            // Reaching before the first byte, or near the end: rare, done the
            // careful way (which fails a match that does not fit).
            m_written = static_cast<std::size_t>(out - begin);
            if (!copyMatch(length, distance)) {
                progress = Progress::Failed;
                break;
            }
            out = begin + m_written;
            continue;
        }
        copyWithinOutput(out, effective, length);
        out += length;
    }
    m_in = in;
    m_written = static_cast<std::size_t>(out - begin);
    return progress;
}

InflateDecoder::Progress InflateDecoder::decodeOneCarefully(const HuffmanTable& literals, const HuffmanTable& distances)
{
    std::uint32_t entry = 0;
    if (!takeSymbol(m_in, literals, entry))
        return Progress::Failed;
    switch (HuffmanTable::kindOf(entry)) {
    case HuffmanTable::kPlain:
        if (m_written == m_capacity)
            return Progress::Failed;
        m_out[m_written++] = static_cast<std::uint8_t>(HuffmanTable::valueOf(entry));
        return Progress::Continue;
    case HuffmanTable::kEndOfBlock:
        return Progress::EndOfBlock;
    case HuffmanTable::kInvalid:
        return Progress::Failed;
    default:
        break;
    }
    std::uint32_t extra = 0;
    if (!m_in.take(HuffmanTable::extraBits(entry), extra))
        return Progress::Failed;
    const std::size_t length = HuffmanTable::valueOf(entry) + extra;
    std::uint32_t code = 0;
    if (!takeSymbol(m_in, distances, code) || HuffmanTable::kindOf(code) == HuffmanTable::kInvalid ||
        !m_in.take(HuffmanTable::extraBits(code), extra))
        return Progress::Failed;
    const std::size_t distance = HuffmanTable::valueOf(code) + extra;
    return copyMatch(length, distance) ? Progress::Continue : Progress::Failed;
}

bool InflateDecoder::copyMatch(std::size_t length, std::size_t distance)
{
    if (length > m_capacity - m_written)
        return false;
    // Within the window a distance wraps; before the first byte produced the
    // window is still all zeros.
    const std::size_t effective = ((distance - 1) & m_windowMask) + 1;
    if (effective > m_written) {
        const std::size_t zeros = std::min(length, effective - m_written);
        std::memset(m_out + m_written, 0, zeros);
        m_written += zeros;
        length -= zeros;
    }
    std::uint8_t* const out = m_out + m_written;
    const std::uint8_t* const from = out - effective;
    if (effective >= length) {
        std::memcpy(out, from, length);
    } else if (effective == 1) {
        std::memset(out, *from, length);
    } else {
        for (std::size_t i = 0; i < length; ++i) // overlapping: repeats the bytes just written
            out[i] = from[i];
    }
    m_written += length;
    return true;
}

} // namespace tessaly
