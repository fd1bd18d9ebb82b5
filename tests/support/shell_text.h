#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/file_bytes.h"

namespace tessaly::test {

// Helpers of the tests that start other programs through the shell.

// The peer programs, at the paths Debian installs them to: the `convert` and
// `python3` found first on PATH may be other programs of the same name.
inline constexpr const char* kImageMagick = "/usr/bin/convert";
inline constexpr const char* kIcotool = "/usr/bin/icotool";
inline constexpr const char* kWrestool = "/usr/bin/wrestool";
inline constexpr const char* kPython = "/usr/bin/python3";

// A path as one shell word. Test paths hold no single quote.
inline std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

// What a program wrote into a file; empty when there is no such file.
inline std::string readText(const std::filesystem::path& path)
{
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

} // namespace tessaly::test
