#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tessaly {

// Owns one open file. Reads and writes succeed only when the whole amount
// was transferred; a short transfer is a failure.
class FileHandle {
public:
    enum class Truncate { No, Yes };
    enum class Overwrite { No, Yes };

    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Opens an existing file (emptied when truncate is Yes). False when a
    // file is already open or the open fails; the object then stays as it was.
    bool openRead(const std::filesystem::path& path, DWORD access, DWORD share, Truncate truncate = Truncate::No);
    // Creates a file; an existing one is replaced only when overwrite is Yes.
    bool openWrite(const std::filesystem::path& path, DWORD access, DWORD share, DWORD attributes, Overwrite overwrite);
    // True only when exactly n bytes were read; the count actually read goes
    // to *transferred when given (0 on failure).
    bool read(void* buffer, DWORD n, DWORD* transferred = nullptr);
    bool write(const void* buffer, DWORD n, DWORD* transferred = nullptr);
    // The file's whole size (also past 4 GiB); none without a file.
    std::optional<std::uint64_t> size() const;
    bool close();
    bool isOpen() const { return m_handle != nullptr; }
    HANDLE handle() const { return m_handle; }

private:
    bool open(const std::filesystem::path& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes);

    HANDLE m_handle = nullptr; // never INVALID_HANDLE_VALUE
};

} // namespace tessaly
