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

} // namespace
} // namespace tessaly
