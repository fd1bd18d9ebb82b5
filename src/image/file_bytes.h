#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace tessaly {

// Whole-file transfers for the readers and writers. Paths are
// std::filesystem::path so that Unicode names work on every platform.

// Files larger than this are refused before anything is allocated: no input
// the program reads (icons, pictures, modules, palettes, settings) comes near.
inline constexpr std::uintmax_t kMaxInputFileBytes = 512u * 1024u * 1024u;

// The whole file, or none when it cannot be opened or read completely, or when
// it is larger than maxBytes.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::uintmax_t maxBytes = kMaxInputFileBytes);

// Writes bytes to a new file next to the target and moves it over the target
// only once it is complete, so a failure at any point leaves the old file as
// it was. False when anything failed; no temporary file is left behind. A
// read-only target, or one that cannot be opened for writing, is refused.
bool writeFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace tessaly
