#include "formats/inflate_decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/deflate_bit_writer.h"
#include "support/reference_inflater.h"

namespace tessaly {
namespace {

using test::DeflateBitWriter;
using Bytes = std::vector<std::uint8_t>;

struct Inflated {
    std::int64_t count = -1;
    Bytes bytes;
};

Inflated inflateRaw(const Bytes& data, std::size_t capacity, int windowBits = 15)
{
    InflateDecoder decoder;
    EXPECT_TRUE(decoder.setWindow(windowBits));
    Inflated result;
    result.bytes.assign(capacity, 0xEE);
    result.count = decoder.inflate(data, result.bytes);
    if (result.count >= 0)
        result.bytes.resize(static_cast<std::size_t>(result.count));
    return result;
}

Bytes text(const std::string& s)
{
    return {s.begin(), s.end()};
}

// A final stored block holding the given bytes.
Bytes storedBlock(const Bytes& content)
{
    DeflateBitWriter w;
    w.bits(1, 1).bits(0, 2).alignToByte();
    const auto length = static_cast<std::uint16_t>(content.size());
    w.byte(length & 0xFF).byte(length >> 8).byte(~length & 0xFF).byte((~length >> 8) & 0xFF);
    for (std::uint8_t b : content)
        w.byte(b);
    return w.bytes();
}

TEST(InflateDecoder, StoredBlockGivesItsBytesAndAMismatchedComplementFails)
{
    const Bytes content = text("stored bytes");
    EXPECT_EQ(inflateRaw(storedBlock(content), content.size()).bytes, content);

    Bytes damaged = storedBlock(content);
    damaged[3] ^= 0x01; // NLEN no longer the complement of LEN
    EXPECT_EQ(inflateRaw(damaged, content.size()).count, -1);
    // LEN larger than the input left.
    Bytes cut = storedBlock(content);
    cut.pop_back();
    EXPECT_EQ(inflateRaw(cut, 100).count, -1);
}

TEST(InflateDecoder, EmptyFixedBlockGivesNoBytesAndFillsOnlyAnEmptyBuffer)
{
    const Bytes empty = DeflateBitWriter().bits(1, 1).bits(1, 2).fixedSymbol(256).bytes();
    EXPECT_EQ(inflateRaw(empty, 10).count, 0);
    InflateDecoder decoder;
    const Bytes zlib = DeflateBitWriter().bits(1, 1).bits(1, 2).fixedSymbol(256).zlib();
    EXPECT_TRUE(decoder.inflateZlib(zlib, {}));
    Bytes one(1);
    EXPECT_FALSE(decoder.inflateZlib(zlib, one)); // produced size must equal the capacity
}

TEST(InflateDecoder, ZlibHeaderIsCheckedForMethodChecksumAndDictionary)
{
    const Bytes body = DeflateBitWriter().bits(1, 1).bits(1, 2).fixedSymbol('x').fixedSymbol(256).bytes();
    auto withHeader = [&](std::uint8_t cmf, std::uint8_t flg) {
        Bytes stream = {cmf, flg};
        stream.insert(stream.end(), body.begin(), body.end());
        Bytes out(1);
        return InflateDecoder().inflateZlib(stream, out) && out[0] == 'x';
    };
    EXPECT_TRUE(withHeader(0x78, 0x9C));
    EXPECT_TRUE(withHeader(0x78, 0x01));
    EXPECT_FALSE(withHeader(0x78, 0x9D)); // (CMF * 256 + FLG) % 31 != 0
    EXPECT_FALSE(withHeader(0x79, 0x9C)); // method 9
    EXPECT_FALSE(withHeader(0x78, 0xBB)); // a preset dictionary (0x78BB % 31 == 0)
    EXPECT_TRUE(withHeader(0xF8, 0x1F));  // CINFO 15: larger windows are not refused
    EXPECT_FALSE(InflateDecoder().inflateZlib(Bytes{0x78}, {}));
}

TEST(InflateDecoder, Length258AtDistance1RepeatsOneByte)
{
    const Bytes stream = DeflateBitWriter()
                             .bits(1, 1)
                             .bits(1, 2)
                             .fixedSymbol('q')
                             .fixedSymbol(285)
                             .fixedDistance(0)
                             .fixedSymbol(256)
                             .bytes();
    EXPECT_EQ(inflateRaw(stream, 259).bytes, Bytes(259, 'q'));
    // One byte short of room: fails instead of writing past the buffer.
    EXPECT_EQ(inflateRaw(stream, 258).count, -1);
    EXPECT_EQ(inflateRaw(storedBlock(text("abc")), 2).count, -1);
}

TEST(InflateDecoder, DistanceBeforeTheFirstByteReadsZerosWrappedWithinTheWindow)
{
    // "ab", then a copy of 4 from 3 back: one zero from before the start,
    // then a, b, and the a just written.
    const Bytes near = DeflateBitWriter()
                           .bits(1, 1)
                           .bits(1, 2)
                           .fixedSymbol('a')
                           .fixedSymbol('b')
                           .fixedSymbol(258) // length 4
                           .fixedDistance(2) // distance 3
                           .fixedSymbol(256)
                           .bytes();
    EXPECT_EQ(inflateRaw(near, 6).bytes, (Bytes{'a', 'b', 0, 'a', 'b', 0}));
    // Distance 257 in a 256-byte window wraps to distance 1.
    const Bytes far = DeflateBitWriter()
                          .bits(1, 1)
                          .bits(1, 2)
                          .fixedSymbol('z')
                          .fixedSymbol(257) // length 3
                          .fixedDistance(16)
                          .bits(0, 7) // distance 257
                          .fixedSymbol(256)
                          .bytes();
    EXPECT_EQ(inflateRaw(far, 4, 8).bytes, Bytes(4, 'z'));
    EXPECT_EQ(inflateRaw(far, 4, 15).bytes, (Bytes{'z', 0, 0, 0}));
}

TEST(InflateDecoder, ADecoderUsedAgainStillReadsZerosBeforeTheFirstByte)
{
    // The decoder keeps no window between calls: bytes of an earlier image
    // must never leak into the next one.
    InflateDecoder decoder;
    Bytes first(300);
    ASSERT_EQ(decoder.inflate(storedBlock(Bytes(300, 0x5A)), first), 300);
    const Bytes reach = DeflateBitWriter()
                            .bits(1, 1)
                            .bits(1, 2)
                            .fixedSymbol(257)
                            .fixedDistance(16)
                            .bits(0, 7) // distance 257
                            .fixedSymbol(256)
                            .bytes();
    Bytes second(3, 0xEE);
    ASSERT_EQ(decoder.inflate(reach, second), 3);
    EXPECT_EQ(second, Bytes(3, 0));
}

TEST(InflateDecoder, RepeatCodeStartingTheDistanceLengthsRepeatsTheLastLiteralLength)
{
    // Code length code: symbols 0, 1, 2, 16, 17, 18 all of length 3.
    DeflateBitWriter w;
    w.bits(1, 1).bits(2, 2).bits(1, 5).bits(2, 5).bits(14, 4);
    for (int length : {3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 3})
        w.bits(static_cast<std::uint32_t>(length), 3);
    // Literal lengths: 65 -> 2, 256 -> 2, 257 -> 1; then "16" gives the three
    // distance codes the length 1 of symbol 257.
    w.code(5, 3).bits(54, 7).code(2, 3).code(5, 3).bits(127, 7).code(5, 3).bits(41, 7);
    w.code(2, 3).code(1, 3).code(3, 3).bits(0, 2);
    // 'A', a match of 3 at distance 1, end of block.
    w.code(2, 2).code(0, 1).code(0, 1).code(3, 2);
    const Bytes stream = w.bytes();
    EXPECT_EQ(inflateRaw(stream, 4).bytes, text("AAAA"));
    Bytes reference(4);
    EXPECT_EQ(test::ReferenceInflater().inflate(stream, reference), 4);
}

TEST(InflateDecoder, TruncatedInputAndBlockType3Fail)
{
    const Bytes stream = DeflateBitWriter()
                             .bits(0, 1)
                             .bits(1, 2)
                             .fixedSymbol('a')
                             .fixedSymbol(256) // not final
                             .bytes();
    EXPECT_EQ(inflateRaw(stream, 10).count, -1); // no next block header
    EXPECT_EQ(inflateRaw(DeflateBitWriter().bits(1, 1).bits(3, 2).bytes(), 10).count, -1);
    EXPECT_EQ(inflateRaw({}, 10).count, -1);
}

// Streams a compressor would never write: random bytes behind every block
// type, and handmade streams with bits flipped or cut. The decoder must agree
// with the one-bit-at-a-time reference on every one, including which fail.
TEST(InflateDecoder, AgreesWithTheBitByBitReferenceOnDamagedStreams)
{
    std::mt19937 random(4);
    std::vector<Bytes> valid = {
        storedBlock(text("some stored text")),
        DeflateBitWriter()
            .bits(1, 1)
            .bits(1, 2)
            .fixedSymbol('a')
            .fixedSymbol(285)
            .fixedDistance(0)
            .fixedSymbol(256)
            .bytes(),
    };
    int agreed = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes data;
        if (round % 2 == 0) {
            data.resize(1 + random() % 64);
            for (auto& b : data)
                b = static_cast<std::uint8_t>(random());
            data[0] = static_cast<std::uint8_t>((data[0] & ~6u) | (round % 3) << 1); // each block type
        } else {
            data = valid[static_cast<std::size_t>(round) % valid.size()];
            data[random() % data.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            data.resize(data.size() - random() % 3);
        }
        for (std::size_t capacity : {std::size_t{0}, std::size_t{7}, std::size_t{300}, std::size_t{5000}}) {
            for (int windowBits : {8, 15}) {
                const Inflated ours = inflateRaw(data, capacity, windowBits);
                Bytes reference(capacity);
                const std::int64_t count =
                    test::ReferenceInflater(static_cast<unsigned>(windowBits)).inflate(data, reference);
                ASSERT_EQ(ours.count, count) << "round " << round << " capacity " << capacity;
                if (count > 0) {
                    reference.resize(static_cast<std::size_t>(count));
                    ASSERT_EQ(ours.bytes, reference) << "round " << round;
                    ++agreed;
                }
            }
        }
    }
    EXPECT_GT(agreed, 1000); // the comparison saw real output, not only failures
}

// The codes a set of code lengths gives by the canonical rule, also when
// there are too many or too few codes of a length; a code that does not fit
// its length is never decoded and marked unusable (length 0).
struct CanonicalCodes {
    explicit CanonicalCodes(const std::vector<unsigned>& lengthsOfSymbols)
        : lengths(lengthsOfSymbols), codes(lengthsOfSymbols.size())
    {
        std::array<std::uint32_t, 16> count{};
        for (unsigned length : lengths)
            count[length] += length != 0 ? 1 : 0;
        std::array<std::uint32_t, 16> next{};
        for (unsigned length = 1; length < 16; ++length)
            next[length] = (next[length - 1] + count[length - 1]) << 1;
        for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
            const unsigned length = lengths[symbol];
            codes[symbol] = length != 0 ? next[length]++ : 0;
            if (length != 0 && codes[symbol] >= (1u << length))
                lengths[symbol] = 0;
        }
    }
    bool usable(std::size_t symbol) const { return symbol < lengths.size() && lengths[symbol] != 0; }
    void write(DeflateBitWriter& w, std::size_t symbol) const { w.code(codes[symbol], lengths[symbol]); }

    std::vector<unsigned> lengths;
    std::vector<std::uint32_t> codes;
};

// A dynamic block of random code lengths, mostly short ones and often too
// many or too few of a length, holding mostly literals: where two literal
// codes fit the lookup table together, they are decoded from one entry.
// Nullopt when the end-of-block code cannot be reached.
std::optional<Bytes> longBlockOfShortCodes(std::mt19937& random)
{
    const std::uint32_t literalCount = 258 + random() % 28; // at least one length symbol
    const std::uint32_t distanceCount = 1 + random() % 30;
    DeflateBitWriter w;
    w.bits(1, 1).bits(2, 2).bits(literalCount - 257, 5).bits(distanceCount - 1, 5).bits(15, 4);
    // Every code length symbol 5 bits long: each length is written as its own value.
    for (int i = 0; i < 19; ++i)
        w.bits(5, 3);
    const unsigned shortest = 2 + random() % 5;
    const std::uint32_t shortShare = 1 + random() % 14; // of 16
    std::vector<unsigned> lengths(literalCount + distanceCount);
    for (unsigned& length : lengths) {
        const std::uint32_t pick = random() % 16;
        length = pick == 0 ? 0 : pick <= shortShare ? shortest + random() % 4 : 8 + random() % 8;
    }
    // A short end-of-block code leaves too little room for the others, so
    // that most codes of the next lengths do not fit.
    if (random() % 2 == 0)
        lengths[256] = 1 + random() % 2;
    for (unsigned length : lengths)
        w.code(length, 5);
    const CanonicalCodes literals({lengths.begin(), lengths.begin() + literalCount});
    const CanonicalCodes distances({lengths.begin() + literalCount, lengths.end()});
    std::vector<std::uint32_t> usableLiterals;
    std::vector<std::uint32_t> usableLengths;
    std::vector<std::uint32_t> usableDistances;
    for (std::uint32_t symbol = 0; symbol < literalCount; ++symbol) {
        if (literals.usable(symbol) && symbol != 256)
            (symbol < 256 ? usableLiterals : usableLengths).push_back(symbol);
    }
    for (std::uint32_t symbol = 0; symbol < distanceCount; ++symbol) {
        if (distances.usable(symbol))
            usableDistances.push_back(symbol);
    }
    if (!literals.usable(256) || usableLiterals.empty())
        return std::nullopt;
    const auto pick = [&random](const std::vector<std::uint32_t>& from) { return from[random() % from.size()]; };
    // Enough data for the decoder's large tables.
    for (std::size_t bits = 0; bits < 8 * 5000;) {
        if (random() % 16 != 0 || usableLengths.empty() || usableDistances.empty()) {
            const std::uint32_t literal = pick(usableLiterals);
            literals.write(w, literal);
            bits += literals.lengths[literal];
            continue;
        }
        const std::uint32_t length = pick(usableLengths);
        const std::uint32_t distance = pick(usableDistances);
        const unsigned lengthExtra = length < 265 || length == 285 ? 0 : (length - 261) / 4;
        const unsigned distanceExtra = distance < 4 ? 0 : (distance - 2) / 2;
        literals.write(w, length);
        w.bits(random(), lengthExtra);
        distances.write(w, distance);
        w.bits(random(), distanceExtra);
        bits += literals.lengths[length] + lengthExtra + distances.lengths[distance] + distanceExtra;
    }
    literals.write(w, 256);
    return w.bytes();
}

TEST(InflateDecoder, AgreesWithTheBitByBitReferenceOnLongBlocksOfShortCodes)
{
    std::mt19937 random(11);
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        const std::optional<Bytes> data = longBlockOfShortCodes(random);
        if (!data)
            continue;
        const int windowBits = round % 2 == 0 ? 8 : 15;
        Bytes reference(1u << 20);
        const std::int64_t count = test::ReferenceInflater(static_cast<unsigned>(windowBits)).inflate(*data, reference);
        ASSERT_GT(count, 0) << "round " << round; // the stream is well formed for its codes
        reference.resize(static_cast<std::size_t>(count));
        ASSERT_EQ(inflateRaw(*data, reference.size(), windowBits).bytes, reference) << "round " << round;
        // One byte short: the fast path must hand the end to the checked one.
        EXPECT_EQ(inflateRaw(*data, reference.size() - 1, windowBits).count, -1) << "round " << round;
        compared += count > 1000 ? 1 : 0;
    }
    EXPECT_GT(compared, 80); // long blocks, where the fast path does most of the work
}

// Five literal pairs of 11 bits each take 55 bits of one refill, leaving
// fewer real bits than a lookup reads. The codes are chosen so that an
// 11-bit code read with zeros for its last bits is the 10-bit code of
// length symbol 257: the length symbol 258 (first stream) and the end of the
// block (both; a stored block follows, so that it ends in the fast loop)
// must still decode as themselves.
Bytes fivePairsThenMatchesThenEnd(std::uint32_t matchSymbol, Bytes& expected)
{
    std::vector<unsigned> lengths(259 + 1, 0);
    lengths['A'] = 5;
    lengths['B'] = 6;
    lengths[257] = 10;
    lengths[256] = 11;
    lengths[258] = 11;
    lengths[259] = 1; // the one distance code: distance 1
    DeflateBitWriter w;
    w.bits(0, 1).bits(2, 2).bits(259 - 257, 5).bits(0, 5).bits(15, 4);
    for (int i = 0; i < 19; ++i) // every code length symbol 5 bits: each length as its own value
        w.bits(5, 3);
    for (unsigned length : lengths)
        w.code(length, 5);
    const CanonicalCodes literals({lengths.begin(), lengths.end() - 1});
    const auto fivePairs = [&] {
        for (int i = 0; i < 5; ++i) {
            literals.write(w, 'A');
            literals.write(w, 'B');
            expected.insert(expected.end(), {'A', 'B'});
        }
    };
    // Enough groups for the paired table, which only larger blocks get.
    for (int group = 0; group < 300; ++group) {
        fivePairs();
        literals.write(w, matchSymbol);
        w.code(0, 1);
        expected.insert(expected.end(), matchSymbol - 254, 'B');
    }
    fivePairs();
    literals.write(w, 256);
    const Bytes tail(32, 'T');
    w.bits(1, 1).bits(0, 2).alignToByte().byte(32).byte(0).byte(~32 & 0xFF).byte(0xFF);
    for (std::uint8_t b : tail)
        w.byte(b);
    expected.insert(expected.end(), tail.begin(), tail.end());
    return w.bytes();
}

TEST(InflateDecoder, CodesAfterFiveLiteralPairsAreReadFromRealBitsOnly)
{
    for (std::uint32_t matchSymbol : {258u, 257u}) {
        SCOPED_TRACE(matchSymbol);
        Bytes expected;
        const Bytes stream = fivePairsThenMatchesThenEnd(matchSymbol, expected);
        Bytes reference(expected.size());
        ASSERT_EQ(test::ReferenceInflater().inflate(stream, reference), static_cast<std::int64_t>(expected.size()));
        ASSERT_EQ(reference, expected);
        const Inflated ours = inflateRaw(stream, expected.size());
        EXPECT_EQ(ours.count, static_cast<std::int64_t>(expected.size()));
        EXPECT_TRUE(ours.bytes == expected);
    }
}

} // namespace
} // namespace tessaly
