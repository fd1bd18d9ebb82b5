// zlib as the peer of the inflate decoder: every stream zlib writes, with
// every block type, strategy and window size, must decode to what zlib's own
// decoder gives; damaged and cut streams must fail as the one-bit-at-a-time
// reference fails.

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "formats/inflate_decoder.h"
#include "support/deflate_bit_writer.h"
#include "support/icon_samples.h"
#include "support/reference_inflater.h"
#include "support/sparse_repeat_source.h"

namespace tessaly {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes deflateWithZlib(const Bytes& source, int level, int strategy, int windowBits, int memLevel = 8)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, windowBits, memLevel, strategy), Z_OK);
    Bytes out(deflateBound(&stream, source.size()) + 64);
    stream.next_in = const_cast<Bytef*>(source.data());
    stream.avail_in = static_cast<uInt>(source.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// zlib's reading of a stream, or none.
std::optional<Bytes> zlibInflate(const Bytes& stream, std::size_t size)
{
    Bytes out(size);
    uLongf length = static_cast<uLongf>(size);
    if (uncompress(out.data(), &length, stream.data(), static_cast<uLong>(stream.size())) != Z_OK || length != size)
        return std::nullopt;
    return out;
}

std::optional<Bytes> ours(const Bytes& stream, std::size_t size)
{
    Bytes out(size, 0xEE);
    if (!InflateDecoder().inflateZlib(stream, out))
        return std::nullopt;
    return out;
}

// Every byte compared, and only the first difference told: the sources are large.
::testing::AssertionResult decodesTo(const std::optional<Bytes>& result, const Bytes& expected)
{
    if (!result)
        return ::testing::AssertionFailure() << "refused";
    const auto [at, _] = std::mismatch(result->begin(), result->end(), expected.begin(), expected.end());
    if (at != result->end())
        return ::testing::AssertionFailure() << "byte " << (at - result->begin()) << " differs";
    return ::testing::AssertionSuccess();
}

// Sources that make every kind of block content: incompressible bytes,
// word-like text, long runs (258-byte matches at distance 1), short periods
// (overlapping copies), and a smooth picture-like ramp.
std::vector<std::pair<std::string, Bytes>> sources()
{
    std::mt19937 random(11);
    std::vector<std::pair<std::string, Bytes>> all;
    Bytes noise(90000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    all.emplace_back("noise", noise);
    const std::vector<std::string> words = {"icon ", "palette ", "mask ", "pixel ", "window ", "tessaly ", "\n"};
    std::string words_text;
    while (words_text.size() < 80000)
        words_text += words[random() % words.size()];
    all.emplace_back("words", Bytes(words_text.begin(), words_text.end()));
    all.emplace_back("zeros", Bytes(100000, 0));
    for (std::size_t period : {2u, 3u, 7u, 100u, 40000u}) {
        Bytes pattern(70000);
        for (std::size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = static_cast<std::uint8_t>((i % period) * 37 + (i % period) / 7);
        all.emplace_back("period " + std::to_string(period), pattern);
    }
    Bytes ramp(64 * 1024);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::uint8_t>((i % 256) + (i / 256) / 3 + (random() % 3));
    all.emplace_back("ramp", ramp);
    all.emplace_back("empty", Bytes{});
    all.emplace_back("one byte", Bytes{42});
    return all;
}

TEST(InflateZlibPeer, DecodesWhatZlibWritesWithEveryStrategyLevelAndWindow)
{
    int streams = 0;
    for (const auto& [name, source] : sources()) {
        for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
            for (int level : {0, 1, 6, 9}) {
                for (int windowBits : {9, 12, 15}) {
                    SCOPED_TRACE(name + " strategy " + std::to_string(strategy) + " level " + std::to_string(level) +
                                 " window " + std::to_string(windowBits));
                    const Bytes stream = deflateWithZlib(source, level, strategy, windowBits, level == 1 ? 1 : 9);
                    ASSERT_EQ(zlibInflate(stream, source.size()), source);
                    ASSERT_EQ(ours(stream, source.size()), source);
                    ++streams;
                }
            }
        }
    }
    EXPECT_EQ(streams, 11 * 5 * 4 * 3);
}

// Large streams of few, short literal codes and rare matches: long runs of
// paired literal entries in the fast loop, then a length or end-of-block
// code of 10-12 bits.
TEST(InflateZlibPeer, DecodesLargeStreamsOfShortLiteralCodesAndRareMatchesAsZlibWritesThem)
{
    std::mt19937_64 random(14);
    for (int round = 0; round < 9; ++round) {
        test::SparseRepeatShape shape;
        shape.size = (64 << 10) + static_cast<std::size_t>(random() % (128 << 10));
        shape.symbols = 16 + 8 * static_cast<unsigned>(round);
        shape.repeatsPer4096 = static_cast<unsigned>(round == 0 ? 0 : 2 + random() % 47);
        const Bytes source = test::sparseRepeatBytes(shape, random);
        for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
            for (int level = 0; level <= 9; ++level) {
                const int windowBits = 9 + static_cast<int>(random() % 7);
                const int memLevel = 1 + static_cast<int>(random() % 9);
                SCOPED_TRACE("round " + std::to_string(round) + " symbols " + std::to_string(shape.symbols) +
                             " repeats " + std::to_string(shape.repeatsPer4096) + " strategy " +
                             std::to_string(strategy) + " level " + std::to_string(level));
                const Bytes stream = deflateWithZlib(source, level, strategy, windowBits, memLevel);
                EXPECT_TRUE(decodesTo(ours(stream, source.size()), source));
            }
        }
    }
}

TEST(InflateZlibPeer, StoredBlocksOfNoBytesAndOf65535BytesDecodeAsZlibDecodesThem)
{
    std::mt19937 random(3);
    Bytes content(65535);
    for (auto& b : content)
        b = static_cast<std::uint8_t>(random());
    test::DeflateBitWriter w;
    w.bits(0, 1).bits(0, 2).byte(0).byte(0).byte(0xFF).byte(0xFF); // empty, not final
    w.bits(1, 1).bits(0, 2).byte(0xFF).byte(0xFF).byte(0).byte(0); // 65535 bytes, final
    for (std::uint8_t b : content)
        w.byte(b);
    Bytes stream = w.zlib();
    const uLong adler = adler32(adler32(0, nullptr, 0), content.data(), static_cast<uInt>(content.size()));
    for (int shift : {24, 16, 8, 0})
        stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    ASSERT_EQ(zlibInflate(stream, content.size()), content);
    EXPECT_EQ(ours(stream, content.size()), content);

    // The empty stored block zlib itself writes when flushing mid-stream.
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, 6), Z_OK);
    Bytes flushed(200000);
    z.next_out = flushed.data();
    z.avail_out = static_cast<uInt>(flushed.size());
    z.next_in = content.data();
    z.avail_in = 1000;
    ASSERT_EQ(deflate(&z, Z_SYNC_FLUSH), Z_OK);
    ASSERT_EQ(Bytes(flushed.begin() + static_cast<std::ptrdiff_t>(z.total_out) - 4,
                    flushed.begin() + static_cast<std::ptrdiff_t>(z.total_out)),
              (Bytes{0, 0, 0xFF, 0xFF}));
    z.next_in = content.data() + 1000;
    z.avail_in = 30000;
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    flushed.resize(z.total_out);
    deflateEnd(&z);
    const Bytes expected(content.begin(), content.begin() + 31000);
    EXPECT_EQ(ours(flushed, expected.size()), expected);
}

// A stream cut anywhere before its checksum fails; cut inside the checksum,
// which is not read, it still decodes.
TEST(InflateZlibPeer, StreamsCutAtEveryByteFailUnlessOnlyTheChecksumIsMissing)
{
    const auto all = sources();
    for (const auto& [name, level, strategy] :
         {std::tuple{"words", 6, Z_DEFAULT_STRATEGY}, std::tuple{"ramp", 9, Z_FIXED},
          std::tuple{"noise", 0, Z_DEFAULT_STRATEGY}}) {
        SCOPED_TRACE(name);
        Bytes source;
        for (const auto& [n, s] : all)
            if (n == name)
                source.assign(s.begin(),
                              s.begin() + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(s.size()), 3000));
        const Bytes stream = deflateWithZlib(source, level, strategy, 15);
        for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
            const Bytes part(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
            const auto result = ours(part, source.size());
            if (cut + 4 >= stream.size()) {
                ASSERT_EQ(result, source) << "cut at " << cut;
            } else {
                ASSERT_FALSE(result.has_value()) << "cut at " << cut;
            }
        }
    }
}

// Bits flipped in zlib's streams: where zlib still decodes a stream, ours
// gives the same bytes; everywhere, ours gives what the reference gives.
TEST(InflateZlibPeer, DamagedStreamsDecodeAsZlibWhereItCanAndAsTheReferenceEverywhere)
{
    std::mt19937 random(5);
    const auto all = sources();
    int zlibAccepted = 0;
    for (int round = 0; round < 3000; ++round) {
        const auto& [name, full] = all[static_cast<std::size_t>(round) % all.size()];
        const Bytes source(full.begin(),
                           full.begin() + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(full.size()), 2000));
        Bytes stream = deflateWithZlib(source, round % 10, round % 5 == 0 ? Z_FIXED : Z_DEFAULT_STRATEGY, 15);
        if (stream.size() <= 6)
            continue;
        // The header keeps its window size: zlib ignores it, we do not.
        const std::size_t at = 2 + random() % (stream.size() - 6);
        stream[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        const std::size_t capacity = source.size();
        Bytes reference(capacity);
        const std::int64_t referenceCount = test::ReferenceInflater().inflate(std::span(stream).subspan(2), reference);
        const auto result = ours(stream, capacity);
        ASSERT_EQ(result.has_value(), referenceCount == static_cast<std::int64_t>(capacity)) << "round " << round;
        if (result) {
            ASSERT_EQ(*result, reference) << "round " << round;
        }
        Bytes zlibOut(capacity);
        uLongf length = static_cast<uLongf>(capacity);
        const int status = uncompress(zlibOut.data(), &length, stream.data(), static_cast<uLong>(stream.size()));
        if (status == Z_OK && length == capacity) {
            ++zlibAccepted;
            ASSERT_EQ(result, zlibOut) << "round " << round;
        }
    }
    EXPECT_GT(zlibAccepted, 10);
}

// The image data of real PNG files made by ImageMagick and Pillow.
TEST(InflateZlibPeer, DecodesTheImageDataOfRealPngFilesAsZlibDoes)
{
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(TESSALY_TEST_DATA_DIR) / "png")) {
        if (entry.path().extension() != ".png")
            continue;
        const Bytes file = test::fileContents(entry.path());
        Bytes joined;
        for (std::size_t at = 8; at + 12 <= file.size();) {
            const std::size_t length =
                static_cast<std::size_t>(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
            if (length > file.size() - at - 12)
                break;
            if (std::equal(file.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                           file.begin() + static_cast<std::ptrdiff_t>(at) + 8, "IDAT"))
                joined.insert(joined.end(), file.begin() + static_cast<std::ptrdiff_t>(at) + 8,
                              file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
            at += length + 12;
        }
        SCOPED_TRACE(entry.path().filename().string());
        // zlib tells the decoded size.
        Bytes big(64 << 20);
        uLongf length = static_cast<uLongf>(big.size());
        ASSERT_EQ(uncompress(big.data(), &length, joined.data(), static_cast<uLong>(joined.size())), Z_OK);
        big.resize(length);
        EXPECT_EQ(ours(joined, big.size()), big);
        ++files;
    }
    EXPECT_GE(files, 20);
}

} // namespace
} // namespace tessaly
