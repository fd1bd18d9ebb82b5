#include "app/status_texts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editing/editing_model.h"
#include "support/fake_canvas.h"

namespace tessaly {
namespace {

// The status bar as the texts see it: every layout and set of texts sent.
class RecordingStatusLine final : public StatusLine {
public:
    struct Shown {
        std::int32_t layout;
        std::vector<std::u16string> parts;

        friend bool operator==(const Shown&, const Shown&) = default;
    };

    void show(std::int32_t layout, std::span<const std::u16string> parts) override
    {
        shown.push_back(Shown{layout, {parts.begin(), parts.end()}});
    }

    std::vector<Shown> shown;
};

void PrintTo(const RecordingStatusLine::Shown& shown, std::ostream* os)
{
    *os << "layout " << shown.layout << ":";
    for (const std::u16string& part : shown.parts) {
        *os << " |";
        for (const char16_t c : part)
            *os << (c < 0x80 ? std::string(1, static_cast<char>(c)) : "\\u" + std::to_string(c));
    }
}

using Shown = RecordingStatusLine::Shown;

class StatusTextsTest : public ::testing::Test, protected EditingModel {
protected:
    StatusTextsTest() { texts.setCanvas(&controller, &selection, canvas.get()); }

    void load(const IconImage& icon)
    {
        ASSERT_TRUE(image.load(icon));
        if (icon.hasPalette()) {
            ASSERT_TRUE(palette.takeFromIcon(icon));
        }
        toolState.setColourMode(icon.bitCount());
        controller.setView(canvas.get(), canvas.get());
        selection.setView(canvas.get(), canvas.get());
    }
    static IconImage icon(std::int32_t width, std::int32_t height, std::int32_t bitCount)
    {
        IconImage made;
        EXPECT_TRUE(made.create(width, height, bitCount));
        made.setStandardPalette();
        return made;
    }
    // The last texts sent, or a layout of -1 when nothing was.
    Shown last() const { return line.shown.empty() ? Shown{-1, {}} : line.shown.back(); }

    std::unique_ptr<test::FakeCanvas> canvas =
        std::make_unique<test::FakeCanvas>(test::CanvasLayout{1, {0, 0}, {0, 0}, {400, 300}, {1000, 1000}}, 16, 16);
    RecordingStatusLine line;
    StatusTexts texts{line, toolState, image, palette};
};

TEST_F(StatusTextsTest, APaletteImageShowsPositionIndexWithPaddedColourAndMask)
{
    IconImage sixteen = icon(16, 16, 4);
    sixteen.setPaletteColor(2, makeColor(128, 0, 0));
    sixteen.setPixel(5, 3, 2);
    sixteen.setMask(5, 3, false);
    sixteen.setMask(6, 3, true);
    load(sixteen);

    texts.canvasReadout({5, 3});
    EXPECT_EQ(last(), (Shown{9, {u" 位置  ( 3, 5 )", u" 2番    RGB ( 128,   0,   0 )", u" マスクなし"}}));
    texts.canvasReadout({6, 3});
    EXPECT_EQ(last().parts[2], u" マスクあり");
    // Outside the image only the position part is left.
    texts.canvasReadout({-1, 3});
    EXPECT_EQ(last(), (Shown{8, {u" 位置  範囲外"}}));
    texts.canvasReadout({5, 16});
    EXPECT_EQ(last(), (Shown{8, {u" 位置  範囲外"}}));
}

TEST_F(StatusTextsTest, ThirtyTwoAndTwentyFourBitPixelsShowTheirOwnColours)
{
    IconImage alpha = icon(4, 4, 32);
    alpha.setPixel(0, 1, makeColor(255, 255, 255, 128));
    load(alpha);
    texts.canvasReadout({0, 1});
    EXPECT_EQ(last().parts[1], u" RGB ( 255, 255, 255 )   透明度 128");

    IconImage full = icon(4, 4, 24);
    full.setPixel(3, 0, makeColor(7, 42, 200));
    load(full);
    texts.canvasReadout({3, 0});
    EXPECT_EQ(last().parts[1], u" RGB (   7,  42, 200 )");
}

TEST_F(StatusTextsTest, APixelPastAShorterPaletteReadsBlackInsteadOfReadingPastIt)
{
    IconImage eight = icon(4, 4, 8);
    eight.setPixel(1, 1, 200);
    ASSERT_TRUE(image.load(eight));
    palette.replace(std::vector<ColorValue>(16, makeColor(9, 9, 9)));
    texts.canvasReadout({1, 1});
    EXPECT_EQ(last().parts[1], u" 200番    RGB (   0,   0,   0 )");
}

TEST_F(StatusTextsTest, RestingOnOnePixelSendsOnceExceptForTheFineAdjustAndMoveTools)
{
    load(icon(8, 8, 32));
    texts.canvasReadout({2, 2});
    texts.canvasReadout({2, 2});
    EXPECT_EQ(line.shown.size(), 1u);
    // The fine-adjust tool changes the alpha under a resting pointer.
    toolState.setTool(ToolId::AlphaNudge);
    texts.canvasReadout({2, 2});
    texts.canvasReadout({2, 2});
    EXPECT_EQ(line.shown.size(), 3u);
    // Another kind of text in between lets the same pixel through again.
    toolState.setTool(ToolId::Pencil);
    texts.canvasReadout({2, 2});
    EXPECT_EQ(line.shown.size(), 3u);
    texts.toolHint(0);
    texts.canvasReadout({2, 2});
    EXPECT_EQ(line.shown.size(), 5u);
}

TEST_F(StatusTextsTest, LineRectangleSelectionAndMoveToolsShowTheirShapesAndTheView)
{
    load(icon(16, 16, 24));
    toolState.setTool(ToolId::Line);
    texts.canvasReadout({1, 2});
    EXPECT_EQ(last(), (Shown{8, {u" 位置  ( 2, 1 )"}}));
    controller.buttonDown(MouseButton::Left, canvas->centreOf(1, 2));
    controller.mouseMove(canvas->centreOf(9, 4));
    texts.canvasReadout({9, 4});
    EXPECT_EQ(last(), (Shown{10, {u" 位置  ( 4, 9 )", u" 直線  ( 2, 1 ) から ( 4, 9 )"}}));
    controller.buttonUp(MouseButton::Left, canvas->centreOf(9, 4));

    toolState.setTool(ToolId::RectFill);
    texts.canvasReadout({3, 3});
    EXPECT_EQ(last(), (Shown{12, {u" 位置  ( 3, 3 )", u" 選択なし"}}));
    controller.buttonDown(MouseButton::Left, canvas->centreOf(3, 3));
    controller.mouseMove(canvas->centreOf(5, 8));
    texts.canvasReadout({5, 8});
    EXPECT_EQ(last(), (Shown{11, {u" 位置  ( 8, 5 )", u" 選択範囲  ( 3, 3 ) から ( 8, 5 )", u" サイズ  ( 6 × 3 )"}}));
    controller.buttonUp(MouseButton::Left, canvas->centreOf(5, 8));

    toolState.setTool(ToolId::Select);
    texts.canvasReadout({0, 0});
    EXPECT_EQ(last().layout, 12);
    selection.setRect(PixelRect{2, 1, 4, 10});
    texts.canvasReadout({0, 1});
    EXPECT_EQ(last(), (Shown{11, {u" 位置  ( 1, 0 )", u" 選択範囲  ( 1, 2 ) から ( 10, 4 )", u" サイズ  ( 10 × 3 )"}}));

    toolState.setTool(ToolId::Move);
    canvas->scrollTo(ClientPoint{0, 0});
    texts.canvasReadout({0, 1});
    EXPECT_EQ(last(), (Shown{13, {u" ビューポート  ( 0, 0 )", u" 可視範囲  ( 0, 0 ) から ( 15, 15 )"}}));
}

TEST_F(StatusTextsTest, PaletteReadoutsForRangeLinkedAndFreePalettes)
{
    palette.replace(std::vector<ColorValue>{makeColor(1, 2, 3), makeColor(10, 20, 30)});
    texts.paletteReadout(1, 0, -1);
    EXPECT_EQ(last(), (Shown{18, {u" インデックス  1", u" RGB  ( 10, 20, 30 )"}}));
    texts.paletteReadout(1, 0, -1);
    EXPECT_EQ(line.shown.size(), 1u);
    texts.paletteReadout(2, 0, -1);
    EXPECT_EQ(last(), (Shown{15, {u" インデックス  範囲外"}}));
    // The range starts while the pointer stays on its cell: the texts change.
    texts.paletteReadout(-1, 0, 1);
    EXPECT_EQ(last(), (Shown{19, {u" インデックス  範囲外", u" 範囲選択中  0番 から 1番"}}));
    texts.paletteReadout(1, 1, 1);
    EXPECT_EQ(last(), (Shown{19, {u" インデックス  1", u" 範囲選択中  1番 から 1番"}}));

    // Linked to a 16-colour icon whose transparent pixels hold index 7.
    IconImage sixteen = icon(4, 4, 4);
    sixteen.setPaletteColor(12, makeColor(40, 50, 60));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            sixteen.setPixel(y, x, 7);
    load(sixteen);
    ASSERT_EQ(toolState.backgroundValue(), 7u);
    const std::u16string warning = u" インデックス  7 が背景色に使用されています。(変更すると背景に影響します)";
    texts.paletteReadout(12, 0, -1);
    EXPECT_EQ(last(), (Shown{16, {u" インデックス  12", u" RGB  ( 40, 50, 60 )", warning}}));
    texts.paletteReadout(16, 0, -1);
    EXPECT_EQ(last(), (Shown{17, {u" インデックス  範囲外", warning}}));
}

TEST_F(StatusTextsTest, ListReadoutCountsFromOneAndNamesTheEditedIcon)
{
    // Four icons, the third edited, the pointer on the first.
    texts.listReadout({0, 0, 4, 2});
    EXPECT_EQ(last(), (Shown{6, {u" 4個のアイコン", u" インデックス  1", u" 3番目のアイコンを編集中"}}));
    texts.listReadout({0, 0, 4, 2});
    EXPECT_EQ(line.shown.size(), 1u);
    texts.listReadout({-1, 0, 4, -1});
    EXPECT_EQ(last(), (Shown{5, {u" 4個のアイコン", u" インデックス  なし"}}));
    // The trash shows its own count and never an edited icon.
    texts.listReadout({-1, 1, 12, 2});
    EXPECT_EQ(last(), (Shown{5, {u" 12個のアイコン", u" インデックス  なし"}}));
}

TEST_F(StatusTextsTest, PreviewReadoutNamesTheScaleAndTheSelectedState)
{
    texts.previewReadout({2, false, false});
    EXPECT_EQ(last(), (Shown{1, {u" 1/2倍で縮小表示中"}}));
    texts.previewReadout({2, false, true});
    EXPECT_EQ(last(), (Shown{1, {u" 1/2倍で縮小表示中 (選択状態)"}}));
    texts.previewReadout({2, false, true});
    texts.previewReadout({0, true, false});
    EXPECT_EQ(line.shown.size(), 2u);
    texts.previewReadout({1, true, false});
    EXPECT_EQ(last().parts[0], u" 実寸サイズで表示中");
    texts.previewReadout({1, false, false});
    EXPECT_EQ(last().parts[0], u" 実寸サイズで表示中");
    texts.previewReadout({3, true, false});
    EXPECT_EQ(last().parts[0], u" 3倍で拡大表示中");
}

TEST_F(StatusTextsTest, HintsOfMenusPopupsAndToolsInTheirLayouts)
{
    texts.menuHint(40013);
    EXPECT_EQ(last(), (Shown{1, {u" イメージを１２倍で表示"}}));
    texts.menuHint(40013);
    EXPECT_EQ(line.shown.size(), 1u);
    // A submenu or the closing menu has no hint: the line is emptied.
    texts.menuHint(0);
    EXPECT_EQ(last(), (Shown{1, {u""}}));
    // Popups of another kind are told apart even for the same number.
    texts.selectionPopupHint(10002);
    EXPECT_EQ(last().parts[0], u" 選択範囲をコピー");
    texts.listPopupHint(1102);
    EXPECT_EQ(last().parts[0], u" このアイコンをごみ箱から削除する　（復元不可能）");
    texts.palettePopupHint(5002);
    EXPECT_EQ(last().parts[0], u" コピーしたパレットを貼り付け （挿入ではなく上書き）");
    texts.selectionPopupHint(5002);
    EXPECT_EQ(last().parts[0], u"");

    texts.toolHint(12);
    EXPECT_EQ(last(), (Shown{2,
                             {u" 四角形塗りツール",
                              u" ドラッグの始点と終点で囲まれる四角形を塗り潰す　　左：選択色　右：背景色"}}));
    texts.toolHint(EditingStatusSink::kNoTool);
    EXPECT_EQ(last(), (Shown{2, {u"", u""}}));
    texts.toolHint(16);
    EXPECT_EQ(line.shown.size(), 9u);
    EXPECT_EQ(last(), (Shown{2, {u"", u""}}));
}

} // namespace
} // namespace tessaly
