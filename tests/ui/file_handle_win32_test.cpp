#include "ui/file_handle_win32.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace tessaly {
namespace {

constexpr DWORD kShareNone = 0;

// Writes the bytes 0, 1, 2, ... to a new file through the handle itself.
void writeCountingFile(const std::filesystem::path& path, DWORD bytes)
{
    FileHandle file;
    ASSERT_TRUE(file.openWrite(path, GENERIC_WRITE, kShareNone, FILE_ATTRIBUTE_NORMAL, FileHandle::Overwrite::No));
    std::string data(bytes, '\0');
    for (DWORD i = 0; i < bytes; ++i)
        data[i] = static_cast<char>(i);
    DWORD written = 0;
    ASSERT_TRUE(file.write(data.data(), bytes, &written));
    EXPECT_EQ(written, bytes);
}

TEST(FileHandle, ReadsExactlyOrFails)
{
    test::TempDir dir;
    const auto path = dir / "ten.bin";
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(path, 10));

    FileHandle file;
    ASSERT_TRUE(file.openRead(path, GENERIC_READ, FILE_SHARE_READ));
    ASSERT_TRUE(file.size().has_value());
    EXPECT_EQ(*file.size(), 10u);
    std::array<std::uint8_t, 8> buffer{};
    DWORD read = 0;
    ASSERT_TRUE(file.read(buffer.data(), 4, &read));
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(buffer[3], 3);
    // Six bytes are left: a read of eight is short, and so fails.
    EXPECT_FALSE(file.read(buffer.data(), 8, &read));
    EXPECT_EQ(read, 6u);
    EXPECT_EQ(buffer[5], 9);
    // At the end of the file nothing comes.
    EXPECT_FALSE(file.read(buffer.data(), 4, &read));
    EXPECT_EQ(read, 0u);
}

TEST(FileHandle, CreateNewRefusesAnExistingFileUnlessOverwriting)
{
    test::TempDir dir;
    const auto path = dir / "exists.bin";
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(path, 5));
    FileHandle file;
    EXPECT_FALSE(file.openWrite(path, GENERIC_WRITE, kShareNone, 0, FileHandle::Overwrite::No));
    EXPECT_FALSE(file.isOpen());
    ASSERT_TRUE(file.openWrite(path, GENERIC_WRITE, kShareNone, 0, FileHandle::Overwrite::Yes));
    EXPECT_EQ(file.size().value_or(99), 0u);
}

TEST(FileHandle, TruncatingOpenEmptiesAnExistingFile)
{
    test::TempDir dir;
    const auto path = dir / "truncate.bin";
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(path, 7));
    FileHandle file;
    ASSERT_TRUE(file.openRead(path, GENERIC_WRITE, kShareNone, FileHandle::Truncate::Yes));
    EXPECT_EQ(file.size().value_or(99), 0u);
    file.close();
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(FileHandle, OpeningAMissingFileFailsCleanly)
{
    test::TempDir dir;
    FileHandle file;
    EXPECT_FALSE(file.openRead(dir / "missing.bin", GENERIC_READ, FILE_SHARE_READ));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.handle(), nullptr);
    EXPECT_FALSE(file.openRead(dir / "missing.bin", GENERIC_WRITE, kShareNone, FileHandle::Truncate::Yes));
    EXPECT_EQ(file.handle(), nullptr);
}

TEST(FileHandle, SecondOpenIsRefusedAndKeepsTheFirst)
{
    test::TempDir dir;
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(dir / "a.bin", 3));
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(dir / "b.bin", 9));
    FileHandle file;
    ASSERT_TRUE(file.openRead(dir / "a.bin", GENERIC_READ, FILE_SHARE_READ));
    const HANDLE first = file.handle();
    EXPECT_FALSE(file.openRead(dir / "b.bin", GENERIC_READ, FILE_SHARE_READ));
    EXPECT_FALSE(file.openWrite(dir / "c.bin", GENERIC_WRITE, kShareNone, 0, FileHandle::Overwrite::Yes));
    EXPECT_EQ(file.handle(), first);
    EXPECT_EQ(file.size().value_or(0), 3u);
    EXPECT_FALSE(std::filesystem::exists(dir / "c.bin"));
}

TEST(FileHandle, JapanesePathsWork)
{
    test::TempDir dir;
    const std::filesystem::path path = dir / L"アイコン.ico";
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(path, 6));
    EXPECT_TRUE(std::filesystem::exists(path));
    FileHandle file;
    ASSERT_TRUE(file.openRead(path, GENERIC_READ, FILE_SHARE_READ));
    EXPECT_EQ(file.size().value_or(0), 6u);
}

TEST(FileHandle, SizeIsNotCutToThirtyTwoBits)
{
    test::TempDir dir;
    const auto path = dir / "sparse.bin";
    const std::uint64_t size = (std::uint64_t{1} << 32) + 5;
    {
        FileHandle file;
        ASSERT_TRUE(file.openWrite(path, GENERIC_WRITE, kShareNone, 0, FileHandle::Overwrite::No));
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(SetFilePointerEx(file.handle(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.handle()));
    }
    FileHandle file;
    ASSERT_TRUE(file.openRead(path, GENERIC_READ, FILE_SHARE_READ));
    EXPECT_EQ(file.size().value_or(0), size);
}

TEST(FileHandle, ClosedOrEmptyHandleRefusesEverything)
{
    test::TempDir dir;
    FileHandle file;
    std::array<std::uint8_t, 4> buffer{};
    DWORD count = 77;
    EXPECT_FALSE(file.read(buffer.data(), 4, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(file.write(buffer.data(), 4));
    EXPECT_FALSE(file.size().has_value());
    EXPECT_FALSE(file.close());

    ASSERT_TRUE(file.openWrite(dir / "x.bin", GENERIC_WRITE, kShareNone, 0, FileHandle::Overwrite::No));
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.write(buffer.data(), 4));
}

TEST(FileHandle, WriteOnAReadOnlyHandleFails)
{
    test::TempDir dir;
    const auto path = dir / "ro.bin";
    ASSERT_NO_FATAL_FAILURE(writeCountingFile(path, 2));
    FileHandle file;
    ASSERT_TRUE(file.openRead(path, GENERIC_READ, FILE_SHARE_READ));
    std::array<std::uint8_t, 2> buffer{};
    DWORD count = 77;
    EXPECT_FALSE(file.write(buffer.data(), 2, &count));
    EXPECT_EQ(count, 0u);
}

} // namespace
} // namespace tessaly
