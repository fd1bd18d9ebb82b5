// The icon list pane as windows under Wine: what the thumbnails, labels and
// frames look like, pixel by pixel, and the mouse as messages.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/document_dialogs_win32.h"
#include "app/thumbnail_pixels.h"
#include "resources/palette_dialog_ids.h"
#include "support/dialog_driver_win32.h"
#include "support/icon_list_workbench_win32.h"
#include "support/icon_samples.h"

namespace tessaly {
namespace {

using test::ThreadTimerAction;

// A 32 x 32 image (so that its thumbnail is itself) of the bit count with
// every kind of pixel its mode has: colours of the palette or ramps, masked
// black (transparent), masked white (inverting), masked mid colours, and at
// 32 bits every alpha step.
IconImage sample(std::int32_t bitCount)
{
    IconImage image;
    EXPECT_TRUE(image.create(32, 32, bitCount));
    image.setStandardPalette();
    for (std::int32_t y = 0; y < 32; ++y) {
        for (std::int32_t x = 0; x < 32; ++x) {
            const std::uint32_t ramp = makeColor(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8),
                                                 static_cast<std::uint8_t>(255 - x * 4));
            std::uint32_t value = ramp;
            if (bitCount <= 8)
                value = static_cast<std::uint32_t>(x + y) % static_cast<std::uint32_t>(image.colorCount());
            else if (bitCount == 32)
                value = ramp | static_cast<std::uint32_t>((x * 32 + y * 7) % 256) << 24;
            image.setPixel(y, x, value);
            image.setMask(y, x, (x + 2 * y) % 3 == 0);
        }
    }
    if (bitCount <= 8) {
        // A masked black and a masked white pixel, whatever the pattern gave.
        image.setPixel(0, 0, 0);
        image.setPixel(0, 3, static_cast<std::uint32_t>(image.colorCount() - 1));
        image.setMask(0, 3, true);
    }
    return image;
}

// What the thumbnail table gives for source pixel (y, x) of a 32 x 32 image.
ColorValue expectedPixel(const IconImage& image, std::int32_t y, std::int32_t x, ColorValue bg, bool selected)
{
    const std::uint32_t value = image.getPixel(y, x);
    const bool masked = image.getMask(y, x);
    ColorValue colour = image.hasPalette() ? image.getPaletteColor(static_cast<std::int32_t>(value)) : value & 0xFFFFFF;
    if (image.bitCount() == 32)
        colour |= value & 0xFF000000u;
    return thumbnailPixel(colour, masked, image.bitCount(), bg, selected, GetSysColor(COLOR_HIGHLIGHT));
}

class IconListWindowTest : public ::testing::Test, protected test::IconListWorkbench {
protected:
    void SetUp() override { ASSERT_TRUE(create(400, 320)); }

    // What the view paints over its whole client area.
    void render(IconListView& view) { render(view, shot); }
    void render(IconListView& view, DibSection& into)
    {
        RECT client{};
        view.clientRect(client);
        into.release();
        ASSERT_TRUE(into.create32(client.right, client.bottom));
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, into.handle());
        view.paintInto(memory, client);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    ColorValue at(int x, int y) const { return shot.getPixel32(x, y); }
    // Counts the pixels of a client rectangle that have the colour.
    int count(const RECT& r, ColorValue colour) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += at(x, y) == colour ? 1 : 0;
        return n;
    }
    void mouse(IconListView& view, UINT message, int x, int y, WPARAM keys = 0)
    {
        view.send(message, keys, MAKELPARAM(x, y));
    }
    std::vector<std::int32_t> widths(const IconCollection& list) const
    {
        std::vector<std::int32_t> result;
        for (std::int32_t i = 0; i < list.count(); ++i)
            result.push_back(list.get(i)->width());
        return result;
    }

    DibSection shot;
};

TEST_F(IconListWindowTest, ThumbnailsShowEveryModeOverEachListsBackgroundNormalAndSelected)
{
    const std::int32_t modes[] = {1, 4, 8, 24, 32};
    struct List {
        IconCollection& icons;
        IconListState& state;
        IconListView& view;
        ColorValue background;
    };
    const List lists[] = {{editIcons, editList, editView, 0xFFFFFF},
                          {trashIcons, trash, trashView, 0xDFDFDF},
                          {importIcons, imports, importView, 0xBFBFBF}};
    for (std::int32_t tab = 0; tab < 3; ++tab) {
        const List& list = lists[tab];
        pane.selectTab(tab);
        for (const std::int32_t bits : modes)
            ASSERT_TRUE(list.icons.addCopy(sample(bits)));
        for (const bool selected : {false, true}) {
            for (std::int32_t i = 0; i < 5; ++i) {
                list.state.selectItem(selected ? i : -1);
                render(list.view);
                const RECT r = list.view.thumbnailClientRect(i);
                const IconImage& icon = *list.icons.get(i);
                int wrong = 0;
                for (std::int32_t y = 0; y < 32; ++y)
                    for (std::int32_t x = 0; x < 32; ++x)
                        wrong += at(r.left + x, r.top + y) != expectedPixel(icon, y, x, list.background, selected);
                EXPECT_EQ(wrong, 0) << "tab " << tab << ", " << icon.bitCount() << " bits, selected " << selected;
                EXPECT_EQ(at(r.left - 1, r.top), list.background);
            }
        }
    }
}

TEST_F(IconListWindowTest, LabelsNameSizeAndBitsAndARepeatedFormatIsRedInTheEditListOnly)
{
    constexpr ColorValue kRed = makeColor(0xFF, 0x40, 0x40);
    for (IconCollection* list : {&editIcons, &trashIcons}) {
        ASSERT_TRUE(list->addCopy(sample(8)));
        ASSERT_TRUE(list->addCopy(sample(8)));
        ASSERT_TRUE(list->addCopy(sample(24)));
    }
    render(editView);
    EXPECT_EQ(count(editView.labelClientRect(0), kRed), 0);
    EXPECT_GT(count(editView.labelClientRect(0), 0x000000), 20);
    EXPECT_GT(count(editView.labelClientRect(1), kRed), 20) << "the second 32 x 32 256-colour icon";
    EXPECT_EQ(count(editView.labelClientRect(1), 0x000000), 0);
    EXPECT_EQ(count(editView.labelClientRect(2), kRed), 0);
    pane.selectTab(1);
    render(trashView);
    EXPECT_EQ(count(trashView.labelClientRect(1), kRed), 0);
    EXPECT_GT(count(trashView.labelClientRect(1), 0x000000), 20);
    // The text stays in its label: the gap below the thumbnail is clean.
    const RECT t = trashView.thumbnailClientRect(1);
    EXPECT_EQ(count(RECT{t.left, t.bottom, t.right, t.bottom + 4}, 0xDFDFDF), 4 * 32);
}

TEST_F(IconListWindowTest, ADragByMouseMessagesMovesTheEditedIconAndKeepsItEdited)
{
    for (std::int32_t i = 0; i < 4; ++i)
        ASSERT_TRUE(editIcons.addCopy(test::patternedImage(20 + i, 20, 24, static_cast<std::uint32_t>(i))));
    editList.selectItem(0);
    ASSERT_TRUE(document.openIconForEditing());
    ASSERT_EQ(editView.editedIndex(), 0);

    const RECT first = editView.thumbnailClientRect(0);
    const RECT last = editView.thumbnailClientRect(3);
    const int x = first.left + 10;
    const int y = first.top + 10;
    mouse(editView, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), editView.handle());
    mouse(editView, WM_MOUSEMOVE, x + 2, y, MK_LBUTTON);
    mouse(editView, WM_MOUSEMOVE, x + 6, y, MK_LBUTTON);
    DibSection before;
    render(editView, before);
    const int endX = last.left + 10 + 40;
    const int endY = last.top + 10;
    mouse(editView, WM_MOUSEMOVE, endX, endY, MK_LBUTTON);

    // The drag image is the dragged thumbnail half over what lay under it.
    render(editView);
    const ThumbnailCache::Thumbnail& dragged = editList.thumbnail(0);
    const int cornerX = endX - 10;
    const int cornerY = endY - 10;
    int wrong = 0;
    for (int dy = 0; dy < 32; ++dy)
        for (int dx = 0; dx < 32; ++dx) {
            const std::size_t k = static_cast<std::size_t>(dy) * 32 + static_cast<std::size_t>(dx);
            const ColorValue expected = dragImagePixel(dragged.colours[k], dragged.masked[k] != 0, 24,
                                                       before.getPixel32(cornerX + dx, cornerY + dy));
            wrong += at(cornerX + dx, cornerY + dy) != expected;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_NE(count(RECT{cornerX, cornerY, cornerX + 32, cornerY + 32}, 0xFFFFFF), 32 * 32) << "it shows";
    mouse(editView, WM_LBUTTONUP, endX, endY);
    EXPECT_EQ(widths(editIcons), (std::vector<std::int32_t>{21, 22, 23, 20}));
    EXPECT_EQ(editView.editedIndex(), 3);
    EXPECT_EQ(editView.selectedIndex(), 3);
    EXPECT_NE(GetCapture(), editView.handle());

    // The editing frame went with it: black, white, black around the thumbnail.
    render(editView);
    const RECT moved = editView.thumbnailClientRect(3);
    EXPECT_EQ(at(moved.left - 3, moved.top - 3), 0x000000u);
    EXPECT_EQ(at(moved.left - 2, moved.top + 10), 0xFFFFFFu);
    EXPECT_EQ(at(moved.right, moved.bottom), 0x000000u);
    EXPECT_EQ(at(moved.right + 2, moved.top), 0x000000u);
    const RECT gone = editView.thumbnailClientRect(0);
    EXPECT_EQ(at(gone.left - 3, gone.top - 3), 0xFFFFFFu);
    EXPECT_EQ(at(gone.left - 1, gone.top + 10), 0xFFFFFFu);
    // Saving the edit writes into the icon at its new place.
    EXPECT_TRUE(document.saveEditedIcon());
    EXPECT_EQ(editIcons.get(3)->width(), 20);
}

// The popup menu of this thread once it is open, or null.
HWND openMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            if (test::className(window) == L"#32768" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::wstring> itemsOf(HMENU menu)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            items.push_back(L"|");
            continue;
        }
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        const bool grayed = (state & MF_GRAYED) != 0;
        items.push_back(std::to_wstring(static_cast<int>(id)) + L" " + text + (grayed ? L" (grayed)" : L""));
    }
    return items;
}

TEST_F(IconListWindowTest, TheTrashAndImportPopupsHoldTheirItemsInOrder)
{
    auto menu = [&](ListMenuKind kind) { return itemsOf(menus.handle(kind)); };
    // The edit list's two menus are read while shown, below.
    EXPECT_EQ(menu(ListMenuKind::Trash), (std::vector<std::wstring>{L"1101 編集リストへ追加", L"1102 ごみ箱から削除",
                                                                    L"|", L"1103 ごみ箱をクリア"}));
    EXPECT_EQ(menu(ListMenuKind::Import),
              (std::vector<std::wstring>{L"1201 このアイコンを追加", L"1202 このアイコンから作成"}));
}

TEST_F(IconListWindowTest, ARightDragOpensTheDropMenuAndItsChoiceCopiesThere)
{
    for (std::int32_t i = 0; i < 3; ++i)
        ASSERT_TRUE(editIcons.addCopy(test::patternedImage(20 + i, 20, 8)));
    const RECT first = editView.thumbnailClientRect(0);
    const RECT last = editView.thumbnailClientRect(2);
    std::vector<std::wstring> shown;
    // Inside the menu's own loop: read it, then choose the second item with
    // the keyboard as a user would.
    ThreadTimerAction chooser(10, [&] {
        const HWND menuWindow = openMenuWindow();
        if (!menuWindow)
            return false;
        shown = itemsOf(menus.handle(ListMenuKind::EditListDrag));
        PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    ThreadTimerAction watchdog(3000, [] {
        EndMenu();
        return true;
    });
    mouse(editView, WM_RBUTTONDOWN, first.left + 8, first.top + 8, MK_RBUTTON);
    mouse(editView, WM_MOUSEMOVE, first.left + 20, first.top + 8, MK_RBUTTON);
    mouse(editView, WM_MOUSEMOVE, last.left + 48, last.top + 8, MK_RBUTTON);
    mouse(editView, WM_RBUTTONUP, last.left + 48, last.top + 8);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"1010 ここに移動", L"1011 ここにコピー", L"|", L"1012 キャンセル"}));
    EXPECT_FALSE(editController.isPressed());
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(widths(editIcons), (std::vector<std::int32_t>{20, 21, 22, 20})) << "a copy at the end";
    EXPECT_EQ(editView.selectedIndex(), 0);
}

TEST_F(IconListWindowTest, ARightClickOnTheEditedIconGraysWhatDoesNotApply)
{
    ASSERT_TRUE(editIcons.addCopy(test::patternedImage(20, 20, 4)));
    editList.selectItem(0);
    ASSERT_TRUE(document.openIconForEditing());
    std::vector<std::wstring> shown;
    ThreadTimerAction reader(10, [&] {
        if (!openMenuWindow())
            return false;
        shown = itemsOf(menus.handle(ListMenuKind::EditList));
        EndMenu();
        return true;
    });
    const RECT r = editView.thumbnailClientRect(0);
    mouse(editView, WM_RBUTTONDOWN, r.left + 5, r.top + 5, MK_RBUTTON);
    mouse(editView, WM_RBUTTONUP, r.left + 5, r.top + 5);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"1001 新規作成 (grayed)", L"1002 このアイコンのコピーを作成",
                                                L"1003 このアイコンを元に作成", L"1004 ごみ箱に移動", L"|",
                                                L"1005 編集を開始する (grayed)", L"1006 編集内容を保存",
                                                L"1007 編集を終了する"}));
}

TEST_F(IconListWindowTest, TabsShowOneViewAtATimeAndTheChosenOneJoinsTheFrame)
{
    EXPECT_TRUE(editView.isVisible());
    EXPECT_FALSE(trashView.isVisible());
    EXPECT_FALSE(importView.isVisible());
    const ClientRect tab1 = pane.layout().tabRect(1);
    pane.send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab1.left, tab1.top + 5));
    EXPECT_EQ(pane.currentTab(), 0) << "on the tab's edge";
    pane.send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab1.left + 5, tab1.top + 5));
    EXPECT_EQ(pane.currentTab(), 1);
    EXPECT_TRUE(trashView.isVisible());
    EXPECT_FALSE(editView.isVisible());
    EXPECT_EQ(GetFocus(), trashView.handle());
    SetFocus(pane.handle());
    EXPECT_EQ(GetFocus(), trashView.handle()) << "the pane hands its focus on";

    RECT client{};
    pane.clientRect(client);
    DibSection picture;
    ASSERT_TRUE(picture.create32(client.right, client.bottom));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture.handle());
    pane.paintInto(memory);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    const ColorValue face = GetSysColor(COLOR_BTNFACE);
    const ClientRect edge = pane.layout().frameRect();
    const ClientRect tab0 = pane.layout().tabRect(0);
    EXPECT_EQ(picture.getPixel32(edge.left, edge.top + 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(picture.getPixel32(edge.right - 1, edge.top + 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(picture.getPixel32(edge.left + 3, edge.top + 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(picture.getPixel32(tab0.left + 20, edge.bottom - 1), GetSysColor(COLOR_3DDKSHADOW)) << "under tab 0";
    EXPECT_EQ(picture.getPixel32(tab1.left + 20, edge.bottom - 1), face) << "the chosen tab opens the frame";
    EXPECT_EQ(picture.getPixel32(tab1.left, tab1.top + 8), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(IconListWindowTest, ClosingAnEditedIconAsksWithTheWarningPrompt)
{
    DocumentDialogs dialogs(frame, [this] { pane.selectTab(IconListPane::kEditTab); });
    document.setHost(&dialogs);
    ASSERT_TRUE(editIcons.addCopy(test::patternedImage(16, 16, 24)));
    editList.selectItem(0);
    ASSERT_TRUE(document.openIconForEditing());
    image.fillRect(PixelRect{0, 0, 2, 2}, 0x123456, 0);
    history.markSaved();
    ASSERT_TRUE(history.isAtSavedPoint());
    selection.setRect(PixelRect{0, 0, 1, 1});
    ASSERT_TRUE(selection.lift());

    std::wstring text;
    bool warning = false;
    bool threeButtons = false;
    test::DialogDriver driver(L"アイコンを閉じています", [&](HWND box) {
        EnumChildWindows(
            box,
            [](HWND child, LPARAM data) -> BOOL {
                if (test::className(child) == L"Static")
                    *reinterpret_cast<std::wstring*>(data) += test::windowText(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&text));
        const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
        warning = icon != nullptr && icon == LoadIconW(nullptr, IDI_WARNING);
        threeButtons = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && GetDlgItem(box, IDCANCEL);
        test::click(box, IDCANCEL);
    });
    EXPECT_FALSE(document.closeEditedIcon()) << "floating content counts as a change";
    EXPECT_TRUE(driver.scriptRan());
    EXPECT_EQ(text, L"編集アイコンの変更を保存しますか？");
    EXPECT_TRUE(warning);
    EXPECT_TRUE(threeButtons);
    EXPECT_EQ(editView.editedIndex(), 0);

    test::DialogDriver yes(L"アイコンを閉じています", [](HWND box) { test::click(box, IDYES); });
    EXPECT_TRUE(document.closeEditedIcon());
    EXPECT_EQ(editView.editedIndex(), -1);
}

TEST_F(IconListWindowTest, TheCreationDialogsAnswerForTheDocument)
{
    int untitled = 0;
    DocumentDialogs dialogs(frame, [&] { ++untitled; });
    document.setHost(&dialogs);
    ASSERT_TRUE(importIcons.addCopy(test::patternedImage(16, 16, 8)));
    imports.selectItem(0);
    test::DialogDriver convert(L"アイコンの複製", [](HWND box) {
        EXPECT_EQ(test::itemText(box, IDC_WIDTH), L"16");
        test::click(box, IDC_SIZE_48);
        test::click(box, IDC_MODE_ALPHA);
        test::click(box, IDOK);
    });
    EXPECT_TRUE(document.createFromImport());
    EXPECT_EQ(untitled, 1);
    ASSERT_EQ(editIcons.count(), 1);
    EXPECT_EQ(editIcons.get(0)->width(), 48);
    EXPECT_EQ(editIcons.get(0)->bitCount(), 32);

    test::DialogDriver create(L"アイコンの作成", [](HWND box) {
        test::click(box, IDC_SIZE_16);
        test::click(box, IDC_MODE_16);
        test::click(box, IDOK);
    });
    EXPECT_TRUE(document.newIcon());
    ASSERT_EQ(editIcons.count(), 2);
    EXPECT_EQ(editIcons.get(1)->width(), 16);
    EXPECT_EQ(editIcons.get(1)->bitCount(), 4);
    test::DialogDriver cancel(L"アイコンの作成", [](HWND box) { test::click(box, IDCANCEL); });
    EXPECT_FALSE(document.newIcon());
    EXPECT_EQ(editIcons.count(), 2);
}

} // namespace
} // namespace tessaly
