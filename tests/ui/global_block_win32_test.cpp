#include "ui/global_block_win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tessaly {
namespace {

TEST(GlobalBlock, KeepsItsContentAcrossLocks)
{
    GlobalBlock block;
    ASSERT_TRUE(block.alloc(GMEM_MOVEABLE, 16));
    EXPECT_GE(GlobalSize(block.handle()), 16u);
    auto* bytes = static_cast<char*>(block.lock());
    ASSERT_NE(bytes, nullptr);
    std::memcpy(bytes, "tessaly", 8);
    EXPECT_TRUE(block.unlock());
    bytes = static_cast<char*>(block.lock());
    ASSERT_NE(bytes, nullptr);
    EXPECT_STREQ(bytes, "tessaly");
    EXPECT_TRUE(block.unlock());
}

TEST(GlobalBlock, SecondAllocIsRefusedRatherThanLeaking)
{
    GlobalBlock block;
    ASSERT_TRUE(block.alloc(GMEM_MOVEABLE, 4));
    const HGLOBAL first = block.handle();
    EXPECT_FALSE(block.alloc(GMEM_MOVEABLE, 8));
    EXPECT_EQ(block.handle(), first);
}

TEST(GlobalBlock, UnlockWithoutLockFails)
{
    GlobalBlock block;
    EXPECT_FALSE(block.unlock());
    ASSERT_TRUE(block.alloc(GMEM_MOVEABLE, 4));
    EXPECT_FALSE(block.unlock());
}

TEST(GlobalBlock, FreeClearsTheHandleOnce)
{
    GlobalBlock block;
    EXPECT_FALSE(block.free());
    EXPECT_EQ(block.lock(), nullptr);
    ASSERT_TRUE(block.alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 32));
    EXPECT_TRUE(block.free());
    EXPECT_EQ(block.handle(), nullptr);
    EXPECT_FALSE(block.free());
    // Usable again afterwards.
    EXPECT_TRUE(block.alloc(GMEM_MOVEABLE, 32));
}

TEST(GlobalBlock, DetachHandsTheBlockOver)
{
    GlobalBlock block;
    ASSERT_TRUE(block.alloc(GMEM_MOVEABLE, 4));
    const HGLOBAL native = block.detach();
    EXPECT_EQ(block.handle(), nullptr);
    EXPECT_FALSE(block.free());
    // The new owner frees it, exactly once.
    EXPECT_EQ(GlobalFree(native), nullptr);
}

} // namespace
} // namespace tessaly
