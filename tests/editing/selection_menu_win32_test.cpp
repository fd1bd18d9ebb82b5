#include "editing/selection_menu_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/canvas_workbench_win32.h"

namespace tessaly {
namespace {

class SelectionMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(300, 300, RECT{0, 0, 300, 300}, RECT{}));
        IconImage icon;
        ASSERT_TRUE(icon.create(16, 16, 24));
        ASSERT_TRUE(bench.open(icon));
        bench.toolState.setTool(ToolId::Select);
    }

    // The enabled items of the prepared menu, in menu order.
    std::vector<UINT> enabledItems(HMENU menu) const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            if ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0)
                ids.push_back(id);
        }
        return ids;
    }

    test::CanvasWorkbench bench;
};

TEST_F(SelectionMenuTest, SevenItemsWithTheirTextsInOrder)
{
    HMENU menu = bench.selectionMenu.handle();
    ASSERT_NE(menu, nullptr);
    const std::vector<std::pair<UINT, std::wstring>> expected = {
        {10001, L"切り取り"}, {10002, L"コピー"},     {10003, L"貼り付け"},   {10004, L"削除"},
        {10005, L"全て選択"}, {10006, L"選択を終了"}, {10007, L"選択を解除"},
    };
    std::vector<std::pair<UINT, std::wstring>> read;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        read.emplace_back(GetMenuItemID(menu, i), text);
    }
    EXPECT_EQ(read, expected);
    // Built once: preparing gives the same menu every time.
    EXPECT_EQ(bench.selectionMenu.prepare(true), menu);
    EXPECT_EQ(bench.selectionMenu.prepare(false), menu);
}

TEST_F(SelectionMenuTest, PrepareEnablesByWhereTheButtonWasReleased)
{
    // No rectangle, nothing to paste: only select all.
    EXPECT_EQ(enabledItems(bench.selectionMenu.prepare(false)), std::vector<UINT>{10005});

    bench.selection.setRect(PixelRect{2, 2, 5, 5});
    CellGrid one;
    ASSERT_TRUE(one.setSize(1, 1));
    bench.clipboard.mirror(std::move(one));
    EXPECT_EQ(enabledItems(bench.selectionMenu.prepare(true)),
              (std::vector<UINT>{10001, 10002, 10003, 10004, 10006, 10007}));
    EXPECT_EQ(enabledItems(bench.selectionMenu.prepare(false)), (std::vector<UINT>{10003, 10005, 10006, 10007}));
}

TEST_F(SelectionMenuTest, TheMenusCommandsReachingTheCanvasRunOnTheSelection)
{
    bench.canvas.send(WM_COMMAND, 10005, 0);
    EXPECT_EQ(bench.selection.rect(), (PixelRect{0, 0, 15, 15}));
    bench.canvas.send(WM_COMMAND, 10007, 0);
    EXPECT_FALSE(bench.selection.hasRect());
    bench.canvas.send(WM_COMMAND, 4242, 0);
    EXPECT_EQ(bench.history.count(), 0);
}

} // namespace
} // namespace tessaly
