#include "image/file_bytes.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace tessaly {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const fs::path& path, std::uintmax_t maxBytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0 || static_cast<std::uintmax_t>(end) > maxBytes)
        return std::nullopt;
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), end))
        return std::nullopt;
    return bytes;
}

namespace {

fs::path temporaryNameBeside(const fs::path& target)
{
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(random() % 1000000u);
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec)
            return candidate;
    }
    return {};
}

bool writeAll(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    if (!bytes.empty())
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}

// Whether an existing target may be replaced. A read-only file is its
// owner's wish that it stays as it is, yet renaming over it succeeds on
// POSIX systems and under Wine, and for root. Opening it for writing, which
// changes nothing, leaves the system's reason for a refusal (access denied,
// or another program holding it) where the caller reads it.
bool mayReplace(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status) || !fs::is_regular_file(status))
        return true; // a new file, or a failure the rename reports
    if (!std::fstream(path, std::ios::in | std::ios::out | std::ios::binary).is_open())
        return false;
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

} // namespace

bool writeFileReplacing(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    if (!mayReplace(path))
        return false;
    const fs::path temporary = temporaryNameBeside(path);
    if (temporary.empty())
        return false;
    std::error_code ec;
    if (!writeAll(temporary, bytes)) {
        fs::remove(temporary, ec);
        return false;
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace tessaly
