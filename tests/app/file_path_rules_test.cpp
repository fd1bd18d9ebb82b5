#include "app/file_path_rules.h"

#include <gtest/gtest.h>

namespace tessaly::file_path_rules {
namespace {

TEST(FilePathRules, TitleNamesTheFileWithoutItsExtension)
{
    EXPECT_EQ(fileTitle(L"C:\\icons\\app.ico", true), L"app - Tessaly");
    EXPECT_EQ(fileTitle(L"C:\\icons\\app.ico", false), L"Tessaly");
    EXPECT_EQ(fileTitle(L"", true), L"無題 - Tessaly");
    EXPECT_EQ(fileTitle(L"", false), L"Tessaly");
    EXPECT_EQ(fileTitle(L"D:\\a.b\\my.app.ico", true), L"my.app - Tessaly");
    EXPECT_EQ(fileTitle(L"C:\\my.dir\\icon", true), L"icon - Tessaly"); // a folder's dot is no extension
    EXPECT_EQ(fileTitle(L"icon.ico", true), L"icon - Tessaly");
}

TEST(FilePathRules, DefaultSaveNameCutsOnlyTheLastComponentsExtension)
{
    EXPECT_EQ(defaultSaveName(L"C:\\icons\\app.ico"), L"C:\\icons\\app");
    EXPECT_EQ(defaultSaveName(L""), L"無題");
    EXPECT_EQ(defaultSaveName(L"C:\\my.dir\\icon"), L"C:\\my.dir\\icon");
    EXPECT_EQ(defaultSaveName(L"C:\\my.dir\\icon.old.ico"), L"C:\\my.dir\\icon.old");
}

TEST(FilePathRules, FolderIsThePathBeforeItsLastBackslash)
{
    EXPECT_EQ(folderOf(L"C:\\icons\\sub\\app.ico"), L"C:\\icons\\sub");
    EXPECT_EQ(folderOf(L"\\\\server\\share\\app.ico"), L"\\\\server\\share");
    EXPECT_EQ(folderOf(L"C:\\app.ico"), L"C:\\"); // the root, not the drive's current folder
    EXPECT_EQ(folderOf(L"app.ico"), L"");
    // Forward slashes separate as well, also mixed with backslashes.
    EXPECT_EQ(folderOf(L"C:/icons\\sub/app.ico"), L"C:/icons\\sub");
    EXPECT_EQ(fileTitle(L"C:/my.dir/app.ico", true), L"app - Tessaly");
    EXPECT_EQ(defaultSaveName(L"C:/my.dir/app"), L"C:/my.dir/app");
}

} // namespace
} // namespace tessaly::file_path_rules
