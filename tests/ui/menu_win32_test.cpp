#include "ui/menu_win32.h"

#include <gtest/gtest.h>

#include "test_resources.h"

namespace tessaly {
namespace {

constexpr UINT kMissingItem = 49999;

TEST(Menu, LoadsItsResourceOnce)
{
    Menu menu;
    ASSERT_TRUE(menu.load(IDM_TEST_MENU));
    const HMENU first = menu.handle();
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(GetMenuItemCount(first), 1); // the one popup
    EXPECT_FALSE(menu.load(IDM_TEST_MENU));
    EXPECT_EQ(menu.handle(), first);
}

TEST(Menu, MissingResourceLeavesItEmpty)
{
    Menu menu;
    EXPECT_FALSE(menu.load(9999));
    EXPECT_EQ(menu.handle(), nullptr);
}

TEST(Menu, EnablesGraysAndReportsItemsInsideThePopup)
{
    Menu menu;
    ASSERT_TRUE(menu.load(IDM_TEST_MENU));
    EXPECT_EQ(menu.state(ID_TEST_OPEN, 0) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.enable(ID_TEST_OPEN, MF_GRAYED), MF_ENABLED);
    EXPECT_NE(menu.state(ID_TEST_OPEN, 0) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.state(ID_TEST_SAVE, 0) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.enable(ID_TEST_OPEN, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.state(ID_TEST_OPEN, 0) & MF_GRAYED, 0u);
}

TEST(Menu, ChecksAndUnchecksItems)
{
    Menu menu;
    ASSERT_TRUE(menu.load(IDM_TEST_MENU));
    // Checked in the resource.
    EXPECT_NE(menu.state(ID_TEST_GRID, 0) & MF_CHECKED, 0u);
    EXPECT_EQ(menu.check(ID_TEST_GRID, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu.state(ID_TEST_GRID, 0) & MF_CHECKED, 0u);
    EXPECT_EQ(menu.check(ID_TEST_SAVE, MF_CHECKED), MF_UNCHECKED);
    EXPECT_NE(menu.state(ID_TEST_SAVE, 0) & MF_CHECKED, 0u);
}

TEST(Menu, UnknownItemsAndMissingMenusReportMinusOne)
{
    Menu menu;
    EXPECT_EQ(menu.enable(ID_TEST_OPEN, MF_GRAYED), -1);
    EXPECT_EQ(menu.check(ID_TEST_OPEN, MF_CHECKED), -1);
    EXPECT_EQ(menu.state(ID_TEST_OPEN, 0), static_cast<UINT>(-1));
    ASSERT_TRUE(menu.load(IDM_TEST_MENU));
    EXPECT_EQ(menu.enable(kMissingItem, MF_GRAYED), -1);
    EXPECT_EQ(menu.check(kMissingItem, MF_CHECKED), -1);
    EXPECT_EQ(menu.state(kMissingItem, 0), static_cast<UINT>(-1));
}

TEST(Menu, DestroyFreesTheMenuOnce)
{
    Menu menu;
    ASSERT_TRUE(menu.load(IDM_TEST_MENU));
    const HMENU native = menu.handle();
    EXPECT_TRUE(menu.destroy());
    EXPECT_EQ(menu.handle(), nullptr);
    EXPECT_FALSE(IsMenu(native));
    EXPECT_FALSE(menu.destroy());
    // Loadable again after destruction.
    EXPECT_TRUE(menu.load(IDM_TEST_MENU));
}

TEST(Menu, DestructorFreesAHeldMenu)
{
    HMENU native = nullptr;
    {
        Menu menu;
        ASSERT_TRUE(menu.load(IDM_TEST_MENU));
        native = menu.handle();
        EXPECT_TRUE(IsMenu(native));
    }
    EXPECT_FALSE(IsMenu(native));
}

} // namespace
} // namespace tessaly
