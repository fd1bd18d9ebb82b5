#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/file_bytes.h"

namespace tessaly::test {

// Helpers of the tests that start other programs through the shell.

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
