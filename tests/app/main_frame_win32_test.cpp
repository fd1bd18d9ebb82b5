#include "app/main_frame_win32.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/application_win32.h"
#include "editing/tool_button_layout.h"
#include "formats/ico_writer.h"
#include "image/color_value.h"
#include "image/file_bytes.h"
#include "support/dialog_driver_win32.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring title(HWND window)
{
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The program started in a directory of its own, with body run inside its
// message loop once the main frame is up; the close box ends it afterwards.
class RunningProgram {
public:
    explicit RunningProgram(const std::filesystem::path& directory)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(directory);
    }
    ~RunningProgram() { std::filesystem::current_path(m_previous); }

    int run(std::function<void(Application&)> body)
    {
        s_body = std::move(body);
        s_application = &m_application;
        EXPECT_NE(SetTimer(nullptr, 0, 1, &tick), 0u);
        const int code = m_application.run(GetModuleHandleW(nullptr), L"", SW_SHOWNOACTIVATE);
        s_application = nullptr;
        return code;
    }
    Application& application() { return m_application; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        if (!s_application)
            return;
        if (s_body)
            s_body(*s_application);
        s_body = nullptr;
        if (s_application->mainFrame().handle())
            PostMessageW(s_application->mainFrame().handle(), WM_CLOSE, 0, 0);
    }

    static inline Application* s_application = nullptr;
    static inline std::function<void(Application&)> s_body;
    std::filesystem::path m_previous;
    Application m_application;
};

RECT screenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT clientOnScreen(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The frames the main frame owns, in the order they were made.
std::vector<HWND> ownedFrames(HWND owner)
{
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetWindow(window, GW_OWNER) == s->owner && className(window) == DockFrame::kClassName)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    // The system lists top-level windows from the top of the z-order down;
    // the first made is the lowest.
    return {search.found.rbegin(), search.found.rend()};
}

TEST(Program, StartsWithItsFramesAndViewsWhereAFirstStartPutsThem)
{
    test::TempDir dir;
    RunningProgram program(dir.path());
    const int code = program.run([](Application& app) {
        const HWND main = app.mainFrame().handle();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(className(main), L"IconEditor-MainFrame");
        EXPECT_EQ(title(main), L"Tessaly");
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_NE(GetMenu(main), nullptr);
        EXPECT_EQ(GetClipboardViewer(), main);

        // The canvas and the status bar are both child 10000 of the main frame.
        const HWND canvas = app.canvas().handle();
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(GetParent(canvas), main);
        EXPECT_EQ(GetDlgCtrlID(canvas), 10000);
        EXPECT_EQ(className(canvas), L"IconEditor-ViewWindow");
        const HWND bar = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(GetDlgCtrlID(bar), 10000);

        const std::vector<HWND> frames = ownedFrames(main);
        ASSERT_EQ(frames.size(), 5u);
        const wchar_t* titles[] = {L"アイコンリスト", L"選択色", L"パレット", L"ツール", L"プレビュー"};
        const int viewIds[] = {10001, 10002, 10003, 10004, 10006};
        // Where the main frame's client area was when the frames were made:
        // the menu bar and the status bar do not move it.
        const RECT c = clientOnScreen(main);
        const int w = c.right - c.left;
        const int h = c.bottom - c.top;
        const RECT places[] = {{c.right - w / 3, c.top, c.right, c.top + h / 3},
                               {c.right - w / 3, c.top + h / 3, c.right, c.top + 2 * (h / 3)},
                               {c.right - w / 3, c.top + 2 * (h / 3), c.right, c.top + 3 * (h / 3) - 22},
                               // The tool frame grows from 134 to show all its buttons.
                               {c.left, c.top, c.left + 120, screenRect(frames[3]).bottom},
                               {c.left, screenRect(frames[3]).bottom, c.left + 120, screenRect(frames[3]).bottom + 80}};
        EXPECT_GT(screenRect(frames[3]).bottom, c.top + 134);
        // Every tool's button, the alpha tools' too, lies inside the tool view.
        RECT toolView{};
        GetClientRect(GetDlgItem(frames[3], viewIds[3]), &toolView);
        EXPECT_GE(toolView.bottom, ToolButtonLayout::heightFor(toolView.right, true));
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(title(frames[i]), titles[i]) << i;
            const RECT r = screenRect(frames[i]);
            EXPECT_EQ(r.left, places[i].left) << i;
            EXPECT_EQ(r.top, places[i].top) << i;
            EXPECT_EQ(r.right, places[i].right) << i;
            EXPECT_EQ(r.bottom, places[i].bottom) << i;
            const HWND view = GetDlgItem(frames[i], viewIds[i]);
            ASSERT_NE(view, nullptr) << i;
            EXPECT_EQ(className(view), L"IconEditor-ViewWindow") << i;
            // The icon list fills its frame; the other views sit inside a
            // two-pixel edge.
            const RECT inner = clientOnScreen(frames[i]);
            const RECT shown = screenRect(view);
            const int inset = i == 0 ? 0 : 2;
            EXPECT_EQ(shown.left - inner.left, inset) << i;
            EXPECT_EQ(inner.bottom - shown.bottom, inset) << i;
        }
        // What a first start gives the canvas and the preview.
        EXPECT_EQ(app.canvasBackground(), 6);
        EXPECT_EQ(app.previewBackground(), 3);
        const MenuConditions conditions = app.menuConditions();
        EXPECT_FALSE(conditions.fileOpen);
        EXPECT_TRUE(conditions.iconListFrameVisible && conditions.paletteFrameVisible &&
                    conditions.selectedColorFrameVisible && conditions.previewFrameVisible);

        // The window toggles hide a frame and show it again without taking the focus.
        app.showPaletteFrame(false);
        EXPECT_FALSE(app.menuConditions().paletteFrameVisible);
        app.showPaletteFrame(true);
        EXPECT_TRUE(IsWindowVisible(frames[2]));
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(program.application().mainFrame().handle(), nullptr);
}

bool g_menuWasOpen = false;

void CALLBACK closeMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    g_menuWasOpen = GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE);
    EndMenu();
}

TEST(Program, MenuKeysAndTheCloseKeyInAFrameReachTheMainFrame)
{
    test::TempDir dir;
    RunningProgram program(dir.path());
    bool mainStillThere = false;
    const int code = program.run([&](Application& app) {
        MainFrame& main = app.mainFrame();
        const HWND list = GetWindow(main.frame(FrameSlot::IconList).handle(), GW_CHILD);
        ASSERT_NE(list, nullptr);
        // Alt+I typed in the icon list opens the main frame's menu bar.
        MSG alt{};
        alt.hwnd = list;
        alt.message = WM_SYSCHAR;
        alt.wParam = L'i';
        alt.lParam = static_cast<LPARAM>(KF_ALTDOWN) << 16;
        g_menuWasOpen = false;
        ASSERT_NE(SetTimer(nullptr, 0, 50, &closeMenu), 0u);
        EXPECT_TRUE(main.routeMenuKey(alt));
        EXPECT_TRUE(g_menuWasOpen);
        // In the main frame itself the system does that already.
        alt.hwnd = app.canvas().handle();
        EXPECT_FALSE(main.routeMenuKey(alt));

        // Alt+F4 in a frame closes the program, not the frame and its view.
        SendMessageW(main.frame(FrameSlot::IconList).handle(), WM_CLOSE, 0, 0);
        mainStillThere = IsWindow(list) != FALSE;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(mainStillThere) << "the frame's view outlived the close request";
    EXPECT_EQ(program.application().mainFrame().handle(), nullptr) << "the program ended";
}

// The text of a message box's static controls.
std::wstring boxText(HWND box)
{
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            if (className(child) == L"Static")
                *reinterpret_cast<std::wstring*>(data) += title(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST(Program, TheCloseBoxAsksAboutAChangedFileAndCancelKeepsItRunning)
{
    test::TempDir dir;
    RunningProgram program(dir.path());
    std::wstring seenText;
    bool stillRunning = false;
    const int code = program.run([&](Application& app) {
        IconImage icon;
        ASSERT_TRUE(icon.create(16, 16, 32));
        app.model().editIcons.newFile();
        ASSERT_TRUE(app.model().editIcons.addCopy(icon));
        const HWND main = app.mainFrame().handle();
        {
            test::DialogDriver cancel(L"ファイルを閉じています", [&](HWND box) {
                seenText = boxText(box);
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            });
            SendMessageW(main, WM_CLOSE, 0, 0);
            EXPECT_TRUE(cancel.scriptRan());
        }
        stillRunning = IsWindow(main) && app.model().editIcons.isNamed();
        // No: the program ends without writing the icon anywhere.
        test::DialogDriver no(L"ファイルを閉じています", [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
        SendMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(no.scriptRan());
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(seenText, L"ファイルの内容が変更されています。\n変更を保存しますか？");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "settings.dat"));
}

// Drops files on a window as the shell does: a DROPFILES block of wide,
// NUL-separated names posted with WM_DROPFILES, which the window frees.
void dropFiles(HWND window, const std::vector<std::filesystem::path>& files)
{
    std::wstring names;
    for (const auto& file : files)
        names += file.wstring() + L'\0';
    names += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

TEST(Program, OneDroppedIconFileOpensAndSeveralFilesAreImportedTogether)
{
    test::TempDir dir;
    const auto writeIcon = [&](const char* name, std::int32_t side, int count) {
        std::vector<IconImage> images(static_cast<std::size_t>(count));
        std::vector<const IconImage*> pointers;
        for (IconImage& image : images) {
            EXPECT_TRUE(image.create(side, side, 32));
            pointers.push_back(&image);
        }
        std::vector<std::uint8_t> file;
        EXPECT_TRUE(IcoWriter().encode(pointers, file));
        EXPECT_TRUE(writeFileReplacing(dir / name, file));
        return dir / name;
    };
    const auto two = writeIcon("two.ico", 16, 2);
    const auto three = writeIcon("three.ico", 32, 3);
    RunningProgram program(dir.path());
    std::wstring titleAfterOpen;
    std::int32_t opened = 0, imported = 0, editedAfterImport = 0;
    EXPECT_EQ(program.run([&](Application& app) {
        const HWND main = app.mainFrame().handle();
        dropFiles(main, {two});
        titleAfterOpen = title(main);
        opened = app.model().editIcons.count();
        dropFiles(main, {two, three});
        imported = app.model().importIcons.count();
        editedAfterImport = app.model().editIcons.count();
    }),
              0);
    EXPECT_EQ(titleAfterOpen, L"two - Tessaly");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(imported, 5);
    EXPECT_EQ(editedAfterImport, 2);
}

// Puts data on the clipboard as another program would: its own window, its own block.
bool putOnClipboard(UINT format, const std::vector<std::uint8_t>& bytes)
{
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    bool set = false;
    if (other && OpenClipboard(other)) {
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        set = SetClipboardData(format, block) != nullptr;
        set = CloseClipboard() && set;
    }
    DestroyWindow(other);
    pumpMessages();
    return set;
}

// A 2 x 1 24-bit bottom-up bitmap: red, then blue.
std::vector<std::uint8_t> redBlueDib()
{
    std::vector<std::uint8_t> dib(40 + 8, 0);
    const std::uint8_t header[] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    std::memcpy(dib.data(), header, sizeof header);
    const std::uint8_t pixels[] = {0, 0, 255, 255, 0, 0, 0, 0};
    std::memcpy(dib.data() + 40, pixels, sizeof pixels);
    return dib;
}

TEST(Program, KeepsItsPasteBufferInStepWithOtherProgramsCopiesButNotWithItsOwn)
{
    test::TempDir dir;
    RunningProgram program(dir.path());
    program.run([](Application& app) {
        ImageClipboard& clipboard = app.model().clipboard;
        ASSERT_TRUE(putOnClipboard(CF_DIB, redBlueDib()));
        const CellGrid& content = clipboard.content();
        ASSERT_EQ(content.rows(), 1);
        ASSERT_EQ(content.columns(), 2);
        EXPECT_EQ(content.at(0, 0), (Cell{makeColor(255, 0, 0, 255), 0}));
        EXPECT_EQ(content.at(0, 1), (Cell{makeColor(0, 0, 255, 255), 0}));
        EXPECT_TRUE(app.menuConditions().hasPasteContent);

        // Text from another program leaves nothing to paste.
        const std::string text = "not a picture";
        ASSERT_TRUE(putOnClipboard(CF_TEXT, std::vector<std::uint8_t>(text.begin(), text.end() + 1)));
        EXPECT_TRUE(clipboard.isEmpty());

        // The editor's own copy keeps its alpha and masks: it is not read back.
        CellGrid copy;
        ASSERT_TRUE(copy.setSize(1, 1));
        copy.at(0, 0) = Cell{makeColor(10, 20, 30, 40), 1};
        clipboard.storeCopy(std::move(copy));
        pumpMessages();
        ASSERT_FALSE(clipboard.isEmpty());
        EXPECT_EQ(clipboard.content().at(0, 0), (Cell{makeColor(10, 20, 30, 40), 1}));
    });
    EXPECT_EQ(GetClipboardViewer(), nullptr) << "the program left the viewer chain";
}

TEST(Program, ExitWritesSettingsAndPaletteAndTheNextStartRestoresThem)
{
    test::TempDir dir;
    RECT placed{};
    RECT paletteFrame{};
    {
        RunningProgram program(dir.path());
        program.run([&](Application& app) {
            const std::vector<ColorValue> colours = {makeColor(1, 2, 3), makeColor(4, 5, 6)};
            app.model().palette.replace(colours);
            SetWindowPos(app.mainFrame().handle(), nullptr, 40, 30, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE);
            placed = screenRect(app.mainFrame().handle());
            HWND palette = app.mainFrame().frame(FrameSlot::Palette).handle();
            SetWindowPos(palette, nullptr, 300, 200, 180, 160, SWP_NOZORDER | SWP_NOACTIVATE);
            paletteFrame = screenRect(palette);
            app.setCanvasBackground(2);
            app.setZoom(8);
            app.setGrid(false);
            app.setPreviewBackground(7); // no such choice: black, and recorded as it is
            app.setPreviewAutoZoom(true);
            app.showPreviewFrame(false);
        });
        // The program's end ran once: taking the object apart writes nothing again.
        std::filesystem::rename(dir.path() / "settings.dat", dir.path() / "kept.dat");
        std::filesystem::rename(dir.path() / "default.pal", dir.path() / "kept.pal");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "settings.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "default.pal"));
    std::filesystem::rename(dir.path() / "kept.dat", dir.path() / "settings.dat");
    std::filesystem::rename(dir.path() / "kept.pal", dir.path() / "default.pal");
    const std::optional<std::vector<std::uint8_t>> pal = readFileBytes(dir.path() / "default.pal");
    ASSERT_TRUE(pal.has_value());
    EXPECT_EQ(pal->size(), 8u);
    const std::optional<std::vector<std::uint8_t>> settings = readFileBytes(dir.path() / "settings.dat");
    ASSERT_TRUE(settings.has_value());
    ASSERT_GT(settings->size(), 44u + 260u + 16u);
    EXPECT_EQ(settings->at(0), 44u) << "the placement's length leads the file";

    RunningProgram again(dir.path());
    again.run([&](Application& app) {
        const HWND main = app.mainFrame().handle();
        EXPECT_TRUE(IsWindowVisible(main));
        const RECT r = screenRect(main);
        EXPECT_EQ(r.left, placed.left);
        EXPECT_EQ(r.top, placed.top);
        EXPECT_EQ(r.right, placed.right);
        EXPECT_EQ(r.bottom, placed.bottom);
        const RECT p = screenRect(app.mainFrame().frame(FrameSlot::Palette).handle());
        EXPECT_EQ(p.left, paletteFrame.left);
        EXPECT_EQ(p.top, paletteFrame.top);
        EXPECT_EQ(p.right - p.left, paletteFrame.right - paletteFrame.left);
        const MenuConditions c = app.menuConditions();
        EXPECT_EQ(c.canvasBackground, 2);
        EXPECT_EQ(c.zoomSetting, 8);
        EXPECT_FALSE(c.gridShown);
        EXPECT_EQ(c.previewBackground, 7);
        EXPECT_TRUE(c.previewAutoZoom);
        EXPECT_FALSE(c.previewFrameVisible);
        EXPECT_TRUE(c.paletteFrameVisible);
        ASSERT_EQ(app.model().palette.length(), 2);
        EXPECT_EQ(app.model().palette.entry(1) & 0xFFFFFF, makeColor(4, 5, 6) & 0xFFFFFF);
        EXPECT_EQ(app.model().document.userPalette().size(), 2u);
    });
}

TEST(Program, StartsVisibleWhateverTheSettingsFileHolds)
{
    test::TempDir dir;
    std::vector<std::uint8_t> junk(3000);
    std::uint32_t state = 11;
    for (std::uint8_t& b : junk) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    // A minimised, hidden window far off every screen, then noise.
    const std::uint8_t placement[44] = {44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0,  0, 0, 0, 0, 0, 0, 0, 0, 0x7F, 0, 0, 0, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0};
    std::copy(std::begin(placement), std::end(placement), junk.begin());
    for (const std::size_t size : {std::size_t{0}, std::size_t{20}, std::size_t{44}, junk.size()}) {
        ASSERT_TRUE(writeFileReplacing(dir.path() / "settings.dat", std::span(junk).first(size)));
        RunningProgram program(dir.path());
        program.run([size](Application& app) {
            const HWND main = app.mainFrame().handle();
            EXPECT_TRUE(IsWindowVisible(main)) << size;
            EXPECT_FALSE(IsIconic(main)) << size;
            const RECT r = screenRect(main);
            EXPECT_GT(r.right - r.left, 50) << size;
            EXPECT_TRUE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr) << size;
            for (std::size_t i = 0; i < kFrameSlotCount; ++i) {
                const RECT f = screenRect(app.mainFrame().frame(static_cast<FrameSlot>(i)).handle());
                EXPECT_TRUE(MonitorFromRect(&f, MONITOR_DEFAULTTONULL) != nullptr) << size << " frame " << i;
            }
        });
    }
}

} // namespace
} // namespace tessaly
