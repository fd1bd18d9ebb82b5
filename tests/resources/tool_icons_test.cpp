#include "resources/tool_icons.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "resources/program_icons.h"

namespace tessaly {
namespace {

std::string textOf(const std::string& name)
{
    std::ifstream in(std::string(TESSALY_RESOURCE_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A button showing another tool's picture would go unnoticed by every
// window test, so the pairing is checked picture by picture.
TEST(ToolIcons, EachToolShowsItsOwnPicture)
{
    const char* const files[kToolCount] = {"tool_pencil.ico",
                                           "tool_eraser.ico",
                                           "tool_fill.ico",
                                           "tool_strip.ico",
                                           "tool_eyedropper.ico",
                                           "tool_pencil_eraser.ico",
                                           "tool_pencil_eyedropper.ico",
                                           "tool_fill_strip.ico",
                                           "tool_fill_eyedropper.ico",
                                           "tool_alpha_set.ico",
                                           "tool_alpha_nudge.ico",
                                           "tool_line.ico",
                                           "tool_rect_fill.ico",
                                           "tool_mask_adjust.ico",
                                           "tool_select.ico",
                                           "tool_move.ico"};
    for (std::int32_t tool = 0; tool < kToolCount; ++tool)
        EXPECT_EQ(ProgramIcons::fileName(toolIconResource(static_cast<ToolId>(tool))), files[tool]) << tool;
}

// The resource script names each icon by its symbol in resource_ids.h; each
// symbol's number must be the one the code draws that file for, and no two
// resources may share a number.
TEST(ToolIcons, TheResourceScriptCompilesEachDrawingUnderItsNumber)
{
    std::map<std::string, std::int32_t> numbers;
    std::set<std::int32_t> distinct;
    const std::string header = textOf("resource_ids.h");
    const std::regex define(R"(#define\s+(\w+)\s+(\d+))");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), define); it != std::sregex_iterator(); ++it) {
        const std::int32_t number = std::stoi((*it)[2]);
        numbers[(*it)[1]] = number;
        EXPECT_TRUE(distinct.insert(number).second) << (*it)[1] << " repeats " << number;
    }
    EXPECT_EQ(numbers.at("IDI_PROGRAM"), ProgramIcons::kApplicationIcon);

    const std::string script = textOf("program_icons.rc");
    const std::regex icon(R"((\w+)\s+ICON\s+"icons/([^"]+)\")");
    std::set<std::int32_t> compiled;
    for (auto it = std::sregex_iterator(script.begin(), script.end(), icon); it != std::sregex_iterator(); ++it) {
        ASSERT_TRUE(numbers.count((*it)[1])) << (*it)[1] << " is not in resource_ids.h";
        const std::int32_t number = numbers.at((*it)[1]);
        EXPECT_EQ(ProgramIcons::fileName(number), std::string((*it)[2])) << (*it)[1];
        compiled.insert(number);
    }
    const auto drawn = ProgramIcons::resourceIds();
    EXPECT_EQ(compiled, std::set<std::int32_t>(drawn.begin(), drawn.end()));
    EXPECT_EQ(compiled.size(), 1u + kToolCount);
}

} // namespace
} // namespace tessaly
