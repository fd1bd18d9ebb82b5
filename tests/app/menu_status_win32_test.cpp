#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_menu_layout.h"
#include "app/main_menu_win32.h"
#include "app/status_bar_win32.h"
#include "app/status_texts.h"
#include "support/canvas_workbench_win32.h"
#include "support/recording_command_target.h"
#include "ui/window_class_win32.h"

namespace tessaly {
namespace {

using test::RecordingCommandTarget;

std::wstring wide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

std::wstring partText(const StatusBar& bar, int part)
{
    const auto length = LOWORD(SendMessageW(bar.handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(bar.handle(), SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

std::vector<int> partEdges(const StatusBar& bar)
{
    std::vector<int> edges(8);
    const auto count = SendMessageW(bar.handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(static_cast<std::size_t>(count));
    return edges;
}

// A top-level window with the menu bar and a status bar that routes the
// menu's messages as the main frame does, and keeps the commands it got.
class MenuHost final : public Window {
public:
    MenuHost(MainMenu& menu, StatusTexts& texts, StatusBar& bar)
        : m_menu(menu)
        , m_texts(texts)
        , m_bar(bar)
    {
    }
    ~MenuHost() override { destroy(); }

    bool create()
    {
        if (!registerWindowClass(L"TessalyMenuTestFrame", 0, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                                 reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), nullptr))
            return false;
        return Window::create(L"TessalyMenuTestFrame", L"Tessaly menu", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                              m_menu.handle()) &&
               m_bar.create(*this);
    }

    // Opens the menu bar's popup of a mnemonic as Alt and the key would,
    // runs look while it is open, then closes it.
    void whileMenuOpen(wchar_t mnemonic, std::function<void()> look)
    {
        m_look = std::move(look);
        m_looked = false;
        SetTimer(handle(), 1, 100, nullptr);
        PostMessageW(handle(), WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
        MSG message;
        const DWORD start = GetTickCount();
        while (!m_looked && GetTickCount() - start < 5000) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
    }

    bool looked() const { return m_looked; }
    std::vector<int> commands;
    int menuLoops = 0;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            commands.push_back(LOWORD(wParam));
            m_menu.execute(LOWORD(wParam));
            return 0;
        case WM_ENTERMENULOOP:
            ++menuLoops;
            m_menu.updateStates();
            return 0;
        case WM_EXITMENULOOP:
            m_menu.enableAcceleratedItems();
            return 0;
        case WM_MENUSELECT:
            m_texts.menuHint(LOWORD(wParam));
            return 0;
        case WM_SIZE:
            m_bar.parentResized();
            return 0;
        case WM_TIMER:
            KillTimer(handle(), wParam);
            if (m_look && !m_looked) {
                m_look();
                m_looked = true;
                EndMenu();
            }
            return 0;
        case WM_DESTROY:
            // The menu belongs to MainMenu, which destroys it.
            SetMenu(handle(), nullptr);
            return 0;
        default:
            return Window::handleMessage(message, wParam, lParam);
        }
    }

private:
    MainMenu& m_menu;
    StatusTexts& m_texts;
    StatusBar& m_bar;
    std::function<void()> m_look;
    bool m_looked = false;
};

class MainMenuTest : public ::testing::Test, protected EditingModel {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.load());
        ASSERT_TRUE(host.create());
        host.show(SW_SHOW);
        SetForegroundWindow(host.handle());
    }

    UINT state(CommandId id) const { return GetMenuState(menu.handle(), commandNumber(id), MF_BYCOMMAND); }
    bool grayed(CommandId id) const { return (state(id) & MF_GRAYED) != 0; }
    bool checked(CommandId id) const { return (state(id) & MF_CHECKED) != 0; }

    RecordingCommandTarget target;
    MainMenu menu{target};
    StatusBar bar;
    StatusTexts texts{bar, toolState, image, palette};
    MenuHost host{menu, texts, bar};
};

struct ReadEntry {
    MenuEntry::Kind kind;
    std::uint16_t id;
    std::wstring text;

    friend bool operator==(const ReadEntry&, const ReadEntry&) = default;
};

void PrintTo(const ReadEntry& entry, std::ostream* os)
{
    *os << static_cast<int>(entry.kind) << " " << entry.id << " (" << entry.text.size() << " characters)";
}

void readMenu(HMENU menu, std::vector<ReadEntry>& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        if (info.fType & MFT_SEPARATOR) {
            out.push_back({MenuEntry::Kind::Separator, 0, L""});
        } else if (info.hSubMenu) {
            out.push_back({MenuEntry::Kind::Submenu, 0, text});
            readMenu(info.hSubMenu, out);
            out.push_back({MenuEntry::Kind::EndSubmenu, 0, L""});
        } else {
            out.push_back({MenuEntry::Kind::Item, static_cast<std::uint16_t>(info.wID), text});
        }
    }
}

TEST_F(MainMenuTest, TheLoadedMenuBarIsTheTableItemForItem)
{
    std::vector<ReadEntry> expected;
    for (const MenuEntry& entry : kMainMenuLayout)
        expected.push_back({entry.kind, entry.id, wide(entry.text)});
    std::vector<ReadEntry> read;
    readMenu(menu.handle(), read);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(GetMenuItemCount(menu.handle()), 6);
}

TEST_F(MainMenuTest, OpeningTheMenuSetsItsStatesAndHintsAndClosingItEnablesTheAcceleratedItems)
{
    // An untitled file, an 8-bit icon edited (the palette linked), zoom 12
    // from the settings, the palette frame hidden.
    target.conditions.fileOpen = true;
    target.conditions.editingIcon = true;
    target.conditions.paletteLinked = true;
    target.conditions.zoomSetting = 12;
    target.conditions.gridShown = true;
    target.conditions.iconListFrameVisible = true;
    bool sawStates = false;
    std::wstring hint;
    host.whileMenuOpen(L'f', [&] {
        EXPECT_TRUE(grayed(CommandId::Save));
        EXPECT_FALSE(grayed(CommandId::SaveAs));
        EXPECT_TRUE(grayed(CommandId::Undo));
        EXPECT_FALSE(grayed(CommandId::SelectAll));
        EXPECT_TRUE(grayed(CommandId::NewPalette));
        EXPECT_TRUE(grayed(CommandId::ApplyColorChanges));
        EXPECT_FALSE(grayed(CommandId::LoadPalette));
        EXPECT_TRUE(checked(CommandId::Zoom12));
        EXPECT_FALSE(checked(CommandId::ZoomAuto));
        EXPECT_TRUE(checked(CommandId::Grid));
        EXPECT_TRUE(checked(CommandId::IconListFrame));
        EXPECT_FALSE(checked(CommandId::PaletteFrame));
        sawStates = true;
        // Opened from the keyboard, the popup highlights its first item.
        const DWORD start = GetTickCount();
        MSG message;
        while (partText(bar, 0).empty() && GetTickCount() - start < 2000) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
        hint = partText(bar, 0);
    });
    ASSERT_TRUE(host.looked());
    EXPECT_TRUE(sawStates);
    EXPECT_EQ(hint, L" 新規にファイルを作成");
    EXPECT_EQ(bar.layout(), 1);
    // The closing menu has no item: its hint is the empty text.
    EXPECT_EQ(partText(bar, 0), L"");
    EXPECT_EQ(host.menuLoops, 1);
    // Closed again: the accelerated items are enabled, the others keep their state.
    EXPECT_FALSE(grayed(CommandId::Save));
    EXPECT_FALSE(grayed(CommandId::Undo));
    EXPECT_TRUE(grayed(CommandId::NewPalette));

    // Choosing the hidden palette frame's item shows it.
    SendMessageW(host.handle(), WM_COMMAND, commandNumber(CommandId::PaletteFrame), 0);
    EXPECT_EQ(target.calls, std::vector<std::string>{"showPaletteFrame on"});
}

TEST_F(MainMenuTest, TheAcceleratorsReachTheirCommandsWhichCheckTheirOwnPreconditions)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAcceleratorResourceId));
    ASSERT_NE(table, nullptr);
    const auto press = [&](const AcceleratorEntry& key) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = key.control ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        MSG message{host.handle(), WM_KEYDOWN, key.virtualKey, 1, 0, {}};
        return TranslateAcceleratorW(host.handle(), table, &message) != 0;
    };

    target.conditions = RecordingCommandTarget::everythingPossible();
    std::vector<int> expected;
    for (const AcceleratorEntry& key : kAccelerators) {
        EXPECT_TRUE(press(key)) << key.virtualKey;
        expected.push_back(commandNumber(key.command));
    }
    EXPECT_EQ(host.commands, expected);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"selectAll", "copy", "newFileWithIcon", "openFile", "saveFile",
                                                      "paste", "deleteSelection", "cut", "redo", "undo"}));

    // Without a file the menu grays Ctrl+S's item while open; closed, the
    // key reaches the command again, which does nothing.
    target.conditions = MenuConditions{};
    target.calls.clear();
    host.whileMenuOpen(L'f', [] {});
    host.commands.clear();
    EXPECT_TRUE(press(kAccelerators[4]));
    EXPECT_TRUE(press(kAccelerators[2]));
    EXPECT_EQ(host.commands, (std::vector<int>{40005, 40002}));
    EXPECT_EQ(target.calls, std::vector<std::string>{"newFileWithIcon"});

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    DestroyAcceleratorTable(table);
}

TEST(StatusBarTest, LayoutsSetTheirPartsOnlyWhenTheNumberChanges)
{
    test::HostFrame frame;
    ASSERT_TRUE(frame.create(640, 200, WS_OVERLAPPEDWINDOW));
    StatusBar bar;
    ASSERT_TRUE(bar.create(frame));
    EXPECT_EQ(GetDlgCtrlID(bar.handle()), StatusBar::kChildId);
    EXPECT_EQ(bar.layout(), 0);
    EXPECT_EQ(partEdges(bar), std::vector<int>{-1});

    const std::u16string texts[] = {u" a", u" b", u" c"};
    bar.show(9, texts);
    EXPECT_EQ(partEdges(bar), (std::vector<int>{120, 320, 400}));
    EXPECT_EQ(partText(bar, 2), L" c");
    // Parts changed behind the bar's back stay as they are while the number does.
    const int two[] = {50, -1};
    SendMessageW(bar.handle(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(two));
    bar.show(9, std::span(texts, 1));
    EXPECT_EQ(partEdges(bar), (std::vector<int>{50, -1}));
    bar.show(16, texts);
    EXPECT_EQ(partEdges(bar), (std::vector<int>{120, 320, -1}));
    bar.show(1, std::span(texts, 1));
    EXPECT_EQ(partEdges(bar), std::vector<int>{-1});
    EXPECT_EQ(HIWORD(SendMessageW(bar.handle(), SB_GETTEXTLENGTHW, 0, 0)) & SBT_NOBORDERS, SBT_NOBORDERS);
    // Numbers past the table are remembered but leave the parts alone.
    bar.setLayout(25);
    EXPECT_EQ(bar.layout(), 25);
    EXPECT_EQ(partEdges(bar), std::vector<int>{-1});
}

// The canvas and the tool window report to the status texts, which write
// the status bar's parts.
class ReadoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(600, 400, RECT{120, 0, 600, 360}, RECT{0, 0, 120, 360}, WS_OVERLAPPEDWINDOW));
        ASSERT_TRUE(bar.create(bench.frame));
        texts.setCanvas(&bench.controller, &bench.selection, &bench.canvas);
        bench.canvas.setStatusSink(&texts);
        bench.tools.setStatusSink(&texts);
    }

    test::CanvasWorkbench bench;
    StatusBar bar;
    StatusTexts texts{bar, bench.toolState, bench.image, bench.palette};
};

TEST_F(ReadoutTest, MovesOverTheCanvasAndTheToolWindowWriteTheirReadouts)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(16, 16, 4));
    icon.setStandardPalette();
    icon.setPaletteColor(2, makeColor(128, 0, 0));
    icon.setPixel(5, 3, 2);
    icon.setMask(5, 3, false);
    ASSERT_TRUE(bench.open(icon));

    const ClientPoint corner = bench.canvas.pixelToWindow(PixelPoint{5, 3});
    const int half = bench.canvas.zoom() / 2;
    bench.canvas.send(WM_MOUSEMOVE, 0, MAKELPARAM(corner.x + half, corner.y + half));
    EXPECT_EQ(bar.layout(), 9);
    EXPECT_EQ(partEdges(bar), (std::vector<int>{120, 320, 400}));
    EXPECT_EQ(partText(bar, 0), L" 位置  ( 3, 5 )");
    EXPECT_EQ(partText(bar, 1), L" 2番    RGB ( 128,   0,   0 )");
    EXPECT_EQ(partText(bar, 2), L" マスクなし");

    const RECT button = bench.tools.buttonRect(ToolId::Select);
    bench.tools.send(WM_MOUSEMOVE, 0, MAKELPARAM(button.left + 2, button.top + 2));
    EXPECT_EQ(bar.layout(), 2);
    EXPECT_EQ(partText(bar, 0), L" 選択ツール");
    EXPECT_EQ(partText(bar, 1), L" 左ドラッグで範囲を選択する　（移動・コピー・貼り付け等に使用する）");
}

} // namespace
} // namespace tessaly
