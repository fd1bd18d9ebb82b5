#pragma once

#include <windows.h>

#include <cstddef>

namespace tessaly {

// Owns one global memory block (movable, for the interfaces that take an
// HGLOBAL). Without a block every call fails or does nothing.
class GlobalBlock {
public:
    GlobalBlock() = default;
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock();

    // False when a block is already held (it would leak) or allocation fails.
    bool alloc(UINT flags, std::size_t bytes);
    // Null without a block or when locking fails.
    void* lock();
    // True when the unlock was valid (the block may stay locked by others).
    bool unlock();
    // Frees the block; the handle is cleared only when the free succeeded.
    bool free();
    HGLOBAL handle() const { return m_handle; }
    // Gives the block to a new owner (a stream that frees it on release).
    HGLOBAL detach();

private:
    HGLOBAL m_handle = nullptr;
};

} // namespace tessaly
