#include "image/pointer_array.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaly {
namespace {

PointerArray<int> filled(int n, int step = 16)
{
    PointerArray<int> array(step);
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(array.add(i));
    return array;
}

TEST(PointerArray, StartsEmptyWithoutStorage)
{
    PointerArray<int> array(16);
    EXPECT_EQ(array.count(), 0);
    EXPECT_EQ(array.capacity(), 0);
    EXPECT_EQ(array.find(0), -1);
    EXPECT_FALSE(array.free());
}

TEST(PointerArray, CapacityGrowsInWholeStepsAtTheSixteenthAndSeventeenthAdd)
{
    PointerArray<int> array(16);
    ASSERT_TRUE(array.add(0));
    EXPECT_EQ(array.capacity(), 16);
    for (int i = 1; i < 16; ++i)
        ASSERT_TRUE(array.add(i));
    EXPECT_EQ(array.count(), 16);
    EXPECT_EQ(array.capacity(), 16);
    ASSERT_TRUE(array.add(16));
    EXPECT_EQ(array.capacity(), 32);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(array.get(i), i);
}

TEST(PointerArray, RemovalShrinksOnlyWhenAWholeStepIsUnused)
{
    PointerArray<int> array = filled(18);
    ASSERT_EQ(array.capacity(), 32);
    ASSERT_TRUE(array.removeAt(0)); // 18 -> 17: 32 - 16 < 17, storage kept
    EXPECT_EQ(array.count(), 17);
    EXPECT_EQ(array.capacity(), 32);
    ASSERT_TRUE(array.removeAt(0)); // 17 -> 16: shrinks at once
    EXPECT_EQ(array.count(), 16);
    EXPECT_EQ(array.capacity(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(array.get(i), i + 2);
}

TEST(PointerArray, OtherGrowthStepsFollowTheSameRule)
{
    PointerArray<int> array = filled(1025, 1024);
    EXPECT_EQ(array.capacity(), 2048);
    PointerArray<int> three = filled(7, 3);
    EXPECT_EQ(three.capacity(), 9);
}

TEST(PointerArray, RemovingTheLastElementFreesTheStorage)
{
    PointerArray<int> array = filled(1);
    ASSERT_TRUE(array.removeAt(0));
    EXPECT_EQ(array.count(), 0);
    EXPECT_EQ(array.capacity(), 0);
    EXPECT_FALSE(array.free());
}

TEST(PointerArray, RemoveAtRefusesIndicesOutsideTheArray)
{
    PointerArray<int> array = filled(3);
    EXPECT_FALSE(array.removeAt(3));
    EXPECT_FALSE(array.removeAt(-1));
    EXPECT_EQ(array.count(), 3);
}

TEST(PointerArray, SetSizeAllocatesWholeStepsOfZeros)
{
    PointerArray<int> array = filled(20);
    ASSERT_TRUE(array.setSize(5));
    EXPECT_EQ(array.count(), 5);
    EXPECT_EQ(array.capacity(), 16);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(array.get(i), 0);
    ASSERT_TRUE(array.setSize(0));
    EXPECT_EQ(array.count(), 0);
    EXPECT_EQ(array.capacity(), 0);
}

TEST(PointerArray, ResizeKeepsTheFrontAndZeroFillsNewElements)
{
    PointerArray<int> array = filled(3);
    ASSERT_TRUE(array.resize(40));
    EXPECT_EQ(array.capacity(), 48);
    EXPECT_EQ(array.get(2), 2);
    for (int i = 3; i < 40; ++i)
        EXPECT_EQ(array.get(i), 0);
    ASSERT_TRUE(array.resize(2));
    EXPECT_EQ(array.capacity(), 16);
    EXPECT_EQ(array.get(1), 1);
    ASSERT_TRUE(array.resize(0));
    EXPECT_EQ(array.capacity(), 0);
}

TEST(PointerArray, GrowingInPlaceDoesNotResurrectRemovedElements)
{
    PointerArray<int> array = filled(5);
    ASSERT_TRUE(array.removeAt(4));
    ASSERT_TRUE(array.removeAt(3));
    ASSERT_TRUE(array.resize(5));
    EXPECT_EQ(array.get(3), 0);
    EXPECT_EQ(array.get(4), 0);
}

TEST(PointerArray, InsertAtShiftsLaterElementsUp)
{
    PointerArray<int> array = filled(16);
    ASSERT_TRUE(array.insertAt(0, 100));
    EXPECT_EQ(array.count(), 17);
    EXPECT_EQ(array.capacity(), 32);
    EXPECT_EQ(array.get(0), 100);
    EXPECT_EQ(array.get(16), 15);
    ASSERT_TRUE(array.insertAt(array.count(), 200));
    EXPECT_EQ(array.get(17), 200);
    ASSERT_TRUE(array.insertAt(5, 300));
    EXPECT_EQ(array.get(4), 3);
    EXPECT_EQ(array.get(5), 300);
    EXPECT_EQ(array.get(6), 4);
}

TEST(PointerArray, FindAndRemoveValueUseTheFirstEqualElement)
{
    PointerArray<int> array(16);
    for (int v : {7, 8, 7, 9})
        ASSERT_TRUE(array.add(v));
    EXPECT_EQ(array.find(7), 0);
    EXPECT_EQ(array.find(9), 3);
    EXPECT_EQ(array.find(1), -1);
    ASSERT_TRUE(array.removeValue(7));
    EXPECT_EQ(array.get(0), 8);
    EXPECT_EQ(array.get(1), 7);
    EXPECT_FALSE(array.removeValue(1));
}

TEST(PointerArray, OwningElementsAreDestroyedWhenRemoved)
{
    auto watched = std::make_shared<int>(1);
    PointerArray<std::shared_ptr<int>> array(16);
    ASSERT_TRUE(array.add(watched));
    ASSERT_TRUE(array.add(std::make_shared<int>(2)));
    ASSERT_TRUE(array.add(std::make_shared<int>(3)));
    EXPECT_EQ(watched.use_count(), 2);
    ASSERT_TRUE(array.removeAt(0));
    EXPECT_EQ(watched.use_count(), 1);
    EXPECT_EQ(*array.get(0), 2);
    EXPECT_EQ(*array.get(1), 3);
}

} // namespace
} // namespace tessaly
