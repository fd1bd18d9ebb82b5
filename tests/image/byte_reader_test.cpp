#include "image/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "image/byte_writer.h"

namespace tessaly {
namespace {

TEST(ByteReader, AssemblesIntegersFromBytes)
{
    const std::array<std::uint8_t, 11> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xFF, 0xFE};
    ByteReader in(bytes);
    EXPECT_EQ(in.u8(), 0x01);
    EXPECT_EQ(in.u16le(), 0x0302);
    EXPECT_EQ(in.u32le(), 0x07060504u);
    EXPECT_EQ(in.position(), 7u);
    ASSERT_TRUE(in.seek(5));
    EXPECT_EQ(in.u32be(), 0x06070809u);
    EXPECT_EQ(in.u16le(), 0xFEFF);
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteReader, AReadPastTheEndFailsForGoodAndYieldsZero)
{
    const std::array<std::uint8_t, 3> bytes = {1, 2, 3};
    ByteReader in(bytes);
    EXPECT_EQ(in.u32le(), 0u);
    EXPECT_FALSE(in.ok());
    EXPECT_EQ(in.u8(), 0); // even though a byte is there
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteReader, HugeLengthsDoNotWrapAround)
{
    const std::array<std::uint8_t, 8> bytes{};
    ByteReader in(bytes);
    in.u8();
    EXPECT_TRUE(in.bytes(std::numeric_limits<std::size_t>::max()).empty());
    EXPECT_FALSE(in.ok());

    ByteReader other(bytes);
    EXPECT_FALSE(other.skip(std::numeric_limits<std::size_t>::max() - 2));
    ByteReader third(bytes);
    EXPECT_FALSE(third.seek(9));
    ByteReader fourth(bytes);
    EXPECT_TRUE(fourth.seek(8));
    EXPECT_EQ(fourth.remaining(), 0u);
}

TEST(ByteReader, ReadCopiesExactlyOrNothing)
{
    const std::array<std::uint8_t, 4> bytes = {9, 8, 7, 6};
    ByteReader in(bytes);
    std::array<std::uint8_t, 3> three{};
    ASSERT_TRUE(in.read(three));
    EXPECT_EQ(three[2], 7);
    std::array<std::uint8_t, 2> two = {0, 0};
    EXPECT_FALSE(in.read(two));
    EXPECT_EQ(two[0], 0);
}

TEST(ByteWriter, WritesWhatTheReaderReads)
{
    ByteWriter out;
    out.u8(0xAB);
    out.u16le(0x1234);
    out.u32le(0xDEADBEEF);
    out.i32le(-2);
    out.u32be(0x01020304);
    ASSERT_EQ(out.size(), 15u);
    EXPECT_EQ(out.data()[1], 0x34);
    EXPECT_EQ(out.data()[11], 0x01);
    ByteReader in(out.data());
    EXPECT_EQ(in.u8(), 0xAB);
    EXPECT_EQ(in.u16le(), 0x1234);
    EXPECT_EQ(in.u32le(), 0xDEADBEEFu);
    EXPECT_EQ(in.i32le(), -2);
    EXPECT_EQ(in.u32be(), 0x01020304u);
    EXPECT_TRUE(in.ok());
}

} // namespace
} // namespace tessaly
