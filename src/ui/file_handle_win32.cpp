#include "ui/file_handle_win32.h"

namespace tessaly {

FileHandle::~FileHandle()
{
    close();
}

bool FileHandle::openRead(const std::filesystem::path& path, DWORD access, DWORD share, Truncate truncate)
{
    return open(path, access, share, truncate == Truncate::Yes ? TRUNCATE_EXISTING : OPEN_EXISTING, 0);
}

bool FileHandle::openWrite(const std::filesystem::path& path, DWORD access, DWORD share, DWORD attributes,
                           Overwrite overwrite)
{
    return open(path, access, share, overwrite == Overwrite::Yes ? CREATE_ALWAYS : CREATE_NEW, attributes);
}

bool FileHandle::open(const std::filesystem::path& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes)
{
    if (m_handle)
        return false;
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    m_handle = file;
    return true;
}

bool FileHandle::read(void* buffer, DWORD n, DWORD* transferred)
{
    DWORD done = 0;
    const bool ok = m_handle && ReadFile(m_handle, buffer, n, &done, nullptr);
    if (transferred)
        *transferred = done;
    return ok && done == n;
}

bool FileHandle::write(const void* buffer, DWORD n, DWORD* transferred)
{
    DWORD done = 0;
    const bool ok = m_handle && WriteFile(m_handle, buffer, n, &done, nullptr);
    if (transferred)
        *transferred = done;
    return ok && done == n;
}

std::optional<std::uint64_t> FileHandle::size() const
{
    LARGE_INTEGER bytes{};
    if (!m_handle || !GetFileSizeEx(m_handle, &bytes))
        return std::nullopt;
    return static_cast<std::uint64_t>(bytes.QuadPart);
}

bool FileHandle::close()
{
    if (!m_handle)
        return false;
    const bool closed = CloseHandle(m_handle) != FALSE;
    m_handle = nullptr;
    return closed;
}

} // namespace tessaly
