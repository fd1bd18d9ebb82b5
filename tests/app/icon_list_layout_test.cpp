#include "app/icon_list_layout.h"

#include <gtest/gtest.h>

#include "app/icon_list_pane_layout.h"

namespace tessaly {
namespace {

IconListLayout laidOut(std::int32_t count, std::int32_t width)
{
    IconListLayout layout;
    layout.layout(count, width);
    return layout;
}

// The hit rule as written: the first item, counting from 0, whose widened
// thumbnail or label holds the point strictly inside.
std::int32_t referenceItemAt(const IconListLayout& layout, ClientPoint point, ClientPoint scroll)
{
    const std::int32_t x = point.x + scroll.x;
    const std::int32_t y = point.y + scroll.y;
    for (std::int32_t i = 0; i < layout.count(); ++i) {
        const std::int32_t c = i % layout.columns();
        const std::int32_t r = i / layout.columns();
        const bool inThumbnail =
            x > 75 * c + 19 - 4 && x < 75 * c + 19 + 32 + 4 && y > 75 * r + 3 - 4 && y < 75 * r + 3 + 32 + 5;
        const bool inLabel = x > 75 * c + 3 && x < 75 * c + 3 + 64 && y > 75 * r + 39 && y < 75 * r + 39 + 24;
        if (inThumbnail || inLabel)
            return i;
    }
    return -1;
}

TEST(IconListLayout, ColumnsFillTheWidthAtAPitchOf75AndAnEmptyListHasNone)
{
    EXPECT_EQ(laidOut(5, 155).columns(), 2);
    EXPECT_EQ(laidOut(5, 155).rows(), 3);
    EXPECT_EQ(laidOut(5, 144).columns(), 1);
    EXPECT_EQ(laidOut(5, 145).columns(), 2);
    EXPECT_EQ(laidOut(3, 69).columns(), 1) << "a narrow view still shows one column";
    EXPECT_EQ(laidOut(3, 0).columns(), 1);
    EXPECT_EQ(laidOut(3, 0).contentHeight(), 3 * 75 - 5);
    const IconListLayout empty = laidOut(0, 500);
    EXPECT_EQ(empty.columns(), 0);
    EXPECT_EQ(empty.rows(), 0);
    EXPECT_EQ(empty.itemAt({30, 20}, {}), -1);
}

TEST(IconListLayout, ItemPartsLieInTheirCellOfTheGrid)
{
    const IconListLayout layout = laidOut(6, 230); // 3 columns
    ASSERT_EQ(layout.columns(), 3);
    EXPECT_EQ(layout.thumbnailRect(4), ClientRect::sized(94, 78, 32, 32));
    EXPECT_EQ(layout.labelRect(4), ClientRect::sized(78, 114, 64, 24));
    EXPECT_EQ(layout.editingFrameRect(4), ClientRect::sized(91, 75, 38, 38));
    EXPECT_EQ(layout.thumbnailRect(0), ClientRect::sized(19, 3, 32, 32));
}

TEST(IconListLayout, ItemAtFollowsTheHitRuleEverywhereAndExcludesEdges)
{
    for (const std::int32_t width : {60, 155, 230, 400}) {
        const IconListLayout layout = laidOut(11, width);
        for (const ClientPoint scroll : {ClientPoint{0, 0}, ClientPoint{0, 37}, ClientPoint{5, 80}}) {
            for (std::int32_t y = -5; y < 75 * layout.rows() + 10; ++y) {
                for (std::int32_t x = -5; x < 75 * layout.columns() + 10; ++x) {
                    ASSERT_EQ(layout.itemAt({x, y}, scroll), referenceItemAt(layout, {x, y}, scroll))
                        << "width " << width << " at " << x << "," << y << " scroll " << scroll.y;
                }
            }
        }
    }
    const IconListLayout layout = laidOut(2, 155);
    EXPECT_EQ(layout.itemAt({15, 10}, {}), -1) << "on the widened thumbnail's left edge";
    EXPECT_EQ(layout.itemAt({16, 10}, {}), 0);
    EXPECT_EQ(layout.itemAt({4, 45}, {}), 0) << "on the label";
    EXPECT_EQ(layout.itemAt({4, 39}, {}), -1) << "beside the thumbnail, above the label";
    EXPECT_EQ(layout.itemAt({80, 45}, {}), 1);
    EXPECT_EQ(layout.itemAt({150, 45}, {}), -1) << "past the last column";
    EXPECT_EQ(layout.itemAt({30, 70}, {}), -1) << "between the rows";
}

TEST(IconListLayout, DropIndexIsTheGapNearestTheDraggedThumbnail)
{
    const IconListLayout layout = laidOut(6, 230);
    for (std::int32_t i = 0; i < 6; ++i) {
        const ClientRect own = layout.thumbnailRect(i);
        EXPECT_EQ(layout.dropIndex({own.left, own.top}, {}), i);
        EXPECT_EQ(layout.dropIndex({own.left + 38, own.top}, {}), i + 1) << "past the middle of the gap";
    }
    EXPECT_EQ(layout.dropIndex({19, 3}, {0, 75}), 3) << "scrolled down a row";
    EXPECT_EQ(layout.dropIndex({-60, -20}, {}), 0) << "divisions truncate toward zero";
    EXPECT_EQ(layout.dropIndex({400, 3}, {}), 6) << "the column is not limited";
}

TEST(IconListPaneLayout, TabsSitAlongTheBottomUnderTheFramedViews)
{
    IconListPaneLayout pane;
    pane.layout(300, 200);
    EXPECT_EQ(pane.tabRect(0), (ClientRect{8, 176, 72, 200}));
    EXPECT_EQ(pane.tabRect(2), (ClientRect{136, 176, 200, 200}));
    EXPECT_EQ(pane.contentRect(), (ClientRect{4, 4, 295, 173}));
    EXPECT_EQ(pane.frameRect(), (ClientRect{0, 0, 300, 178}));
    EXPECT_EQ(pane.tabAt({9, 177}), 0);
    EXPECT_EQ(pane.tabAt({8, 177}), -1) << "on the edge";
    EXPECT_EQ(pane.tabAt({72, 177}), -1) << "between two tabs";
    EXPECT_EQ(pane.tabAt({73, 190}), 1);
    EXPECT_EQ(pane.tabAt({210, 190}), -1);

    pane.layout(100, 20);
    EXPECT_EQ(pane.tabRect(1), (ClientRect{36, -4, 64, 20})) << "narrow tabs share the width";
    EXPECT_EQ(pane.contentRect(), (ClientRect{4, 4, 95, 4}));
}

} // namespace
} // namespace tessaly
