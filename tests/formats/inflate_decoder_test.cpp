#include "formats/inflate_decoder.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tessaly
