#include "image/file_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> someBytes(std::size_t n, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

std::size_t entriesIn(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(FileBytes, WritesThenReadsTheSameBytes)
{
    test::TempDir dir;
    const auto bytes = someBytes(70000, 3);
    ASSERT_TRUE(writeFileReplacing(dir / "a.ico", bytes));
    const auto back = readFileBytes(dir / "a.ico");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, bytes);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileBytes, EmptyFilesAreFiles)
{
    test::TempDir dir;
    ASSERT_TRUE(writeFileReplacing(dir / "empty", {}));
    const auto back = readFileBytes(dir / "empty");
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->empty());
}

TEST(FileBytes, ReplacesAnExistingFileCompletely)
{
    test::TempDir dir;
    ASSERT_TRUE(writeFileReplacing(dir / "a.ico", someBytes(5000, 1)));
    const auto shorter = someBytes(10, 9);
    ASSERT_TRUE(writeFileReplacing(dir / "a.ico", shorter));
    EXPECT_EQ(*readFileBytes(dir / "a.ico"), shorter);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileBytes, AFailedReplaceLeavesTheTargetAsItWas)
{
    test::TempDir dir;
    // A directory cannot be replaced by a file: the write fails at the last step.
    fs::create_directory(dir / "taken.ico");
    std::ofstream(dir / "taken.ico" / "inside") << "kept";
    EXPECT_FALSE(writeFileReplacing(dir / "taken.ico", someBytes(10, 0)));
    EXPECT_TRUE(fs::is_directory(dir / "taken.ico"));
    EXPECT_TRUE(fs::exists(dir / "taken.ico" / "inside"));
    EXPECT_EQ(entriesIn(dir.path()), 1u); // no temporary file left behind
}

TEST(FileBytes, AReadOnlyFileIsNotReplaced)
{
    test::TempDir dir;
    const auto target = dir / "kept.ico";
    ASSERT_TRUE(writeFileReplacing(target, someBytes(10, 1)));
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(writeFileReplacing(target, someBytes(20, 2)));
    EXPECT_EQ(readFileBytes(target), someBytes(10, 1));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(writeFileReplacing(target, someBytes(20, 2)));
    EXPECT_EQ(readFileBytes(target), someBytes(20, 2));
}

TEST(FileBytes, WritingIntoAMissingFolderFails)
{
    test::TempDir dir;
    EXPECT_FALSE(writeFileReplacing(dir / "no" / "such.ico", someBytes(10, 0)));
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST(FileBytes, ReadRefusesMissingFilesAndFilesOverTheCap)
{
    test::TempDir dir;
    EXPECT_FALSE(readFileBytes(dir / "missing"));
    ASSERT_TRUE(writeFileReplacing(dir / "big", someBytes(1001, 0)));
    EXPECT_FALSE(readFileBytes(dir / "big", 1000));
    EXPECT_TRUE(readFileBytes(dir / "big", 1001));
    EXPECT_FALSE(readFileBytes(dir.path())); // a folder is not a file
}

TEST(FileBytes, UnicodeFileNamesWork)
{
    test::TempDir dir;
    const fs::path name = fs::path(u8"アイコン-テスト.ico");
    const auto bytes = someBytes(100, 5);
    ASSERT_TRUE(writeFileReplacing(dir / name, bytes));
    ASSERT_TRUE(readFileBytes(dir / name));
    EXPECT_EQ(*readFileBytes(dir / name), bytes);
    EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename(), name);
}

} // namespace
} // namespace tessaly
