#include "app/command_resource_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tessaly {
namespace {

TEST(CommandResources, TheResourceScriptIsTheOneTheTablesGive)
{
    std::ifstream in(TESSALY_COMMAND_RESOURCES, std::ios::binary);
    ASSERT_TRUE(in) << TESSALY_COMMAND_RESOURCES;
    const std::string onDisk{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(onDisk, commandResourceScript())
        << "the menu or accelerator tables changed: build the native target tessaly_command_resources";
}

TEST(CommandResources, ScriptTextsAreUtf8WithTabsEscapedAndNumbersForKeys)
{
    const std::string script = commandResourceScript();
    EXPECT_NE(script.find("    POPUP \"ファイル(&F)\"\n    BEGIN\n        MENUITEM \"新規作成(&N)\\tCtrl+N\", 40002\n"),
              std::string::npos);
    EXPECT_NE(script.find(
                  "            POPUP \"背景色(&B)\"\n            BEGIN\n                MENUITEM \"明(&L)\", 40016\n"),
              std::string::npos);
    EXPECT_NE(
        script.find("        MENUITEM SEPARATOR\n        MENUITEM \"アプリケーションの終了(&X)\", 40001\n    END\n"),
        std::string::npos);
    EXPECT_NE(script.find("    46, 40038, VIRTKEY\n    88, 40036, VIRTKEY, CONTROL\n"), std::string::npos);
}

} // namespace
} // namespace tessaly
