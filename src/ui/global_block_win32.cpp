#include "ui/global_block_win32.h"

namespace tessaly {

GlobalBlock::~GlobalBlock()
{
    free();
}

bool GlobalBlock::alloc(UINT flags, std::size_t bytes)
{
    if (m_handle)
        return false;
    m_handle = GlobalAlloc(flags, bytes);
    return m_handle != nullptr;
}

void* GlobalBlock::lock()
{
    return m_handle ? GlobalLock(m_handle) : nullptr;
}

bool GlobalBlock::unlock()
{
    if (!m_handle)
        return false;
    // Zero means either "now unlocked" or failure; only the error tells.
    SetLastError(NO_ERROR);
    return GlobalUnlock(m_handle) != FALSE || GetLastError() == NO_ERROR;
}

bool GlobalBlock::free()
{
    if (!m_handle)
        return false;
    if (GlobalFree(m_handle) != nullptr)
        return false;
    m_handle = nullptr;
    return true;
}

HGLOBAL GlobalBlock::detach()
{
    HGLOBAL block = m_handle;
    m_handle = nullptr;
    return block;
}

} // namespace tessaly
