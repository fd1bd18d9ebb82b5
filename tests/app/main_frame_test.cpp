#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "image/color_value.h"

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

void drainQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// What the application hands its main window.
struct FrameParts {
    ImageClipboard imageClipboard;
    ClipboardLink clipboardLink;
};

TEST(MainFrame, IsAFrameworkWindowOfTheMainFrameClass)
{
    FrameParts parts;
    MainFrame frame(parts.imageClipboard, parts.clipboardLink);
    ASSERT_TRUE(frame.create());
    EXPECT_EQ(className(frame.handle()), L"IconEditor-MainFrame");
    EXPECT_EQ(title(frame.handle()), L"Tessaly");
    EXPECT_EQ(GetWindowLongPtrW(frame.handle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&frame));
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.create());
    frame.destroy();
    drainQueue();
}

TEST(MainFrame, ClosingItAsksTheLoopToQuit)
{
    drainQueue();
    FrameParts parts;
    MainFrame frame(parts.imageClipboard, parts.clipboardLink);
    ASSERT_TRUE(frame.create());
    frame.send(WM_CLOSE, 0, 0);
    EXPECT_EQ(frame.handle(), nullptr);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(MainFrame, CanBeMadeAgainAfterClosing)
{
    FrameParts parts;
    MainFrame frame(parts.imageClipboard, parts.clipboardLink);
    ASSERT_TRUE(frame.create());
    frame.send(WM_CLOSE, 0, 0);
    drainQueue();
    EXPECT_TRUE(frame.create());
    EXPECT_NE(frame.handle(), nullptr);
    frame.destroy();
    drainQueue();
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
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

TEST(MainFrame, KeepsTheImageClipboardInStepWithOtherProgramsCopies)
{
    FrameParts parts;
    MainFrame frame(parts.imageClipboard, parts.clipboardLink);
    ASSERT_TRUE(frame.create());
    EXPECT_EQ(GetClipboardViewer(), frame.handle());

    ASSERT_TRUE(putOnClipboard(CF_DIB, redBlueDib()));
    const CellGrid& content = parts.imageClipboard.content();
    ASSERT_EQ(content.rows(), 1);
    ASSERT_EQ(content.columns(), 2);
    EXPECT_EQ(content.at(0, 0), (Cell{makeColor(255, 0, 0, 255), 0}));
    EXPECT_EQ(content.at(0, 1), (Cell{makeColor(0, 0, 255, 255), 0}));

    // Text from another program leaves nothing to paste.
    const std::string text = "not a picture";
    ASSERT_TRUE(putOnClipboard(CF_TEXT, std::vector<std::uint8_t>(text.begin(), text.end() + 1)));
    EXPECT_TRUE(parts.imageClipboard.isEmpty());

    const HWND handle = frame.handle();
    frame.destroy();
    drainQueue();
    EXPECT_NE(GetClipboardViewer(), handle);
}

TEST(MainFrame, PutsTheEditorsCopyOnTheClipboardWithoutReadingItBack)
{
    FrameParts parts;
    MainFrame frame(parts.imageClipboard, parts.clipboardLink);
    ASSERT_TRUE(frame.create());

    CellGrid copy;
    ASSERT_TRUE(copy.setSize(1, 1));
    copy.at(0, 0) = Cell{makeColor(10, 20, 30, 40), 1};
    parts.imageClipboard.storeCopy(std::move(copy));
    pumpMessages();

    EXPECT_TRUE(parts.clipboardLink.clipboardHasDib());
    // Had the change been read back, the cell would now be opaque and unmasked.
    ASSERT_FALSE(parts.imageClipboard.isEmpty());
    EXPECT_EQ(parts.imageClipboard.content().at(0, 0), (Cell{makeColor(10, 20, 30, 40), 1}));

    // Once the window is gone, copies stay in the editor.
    frame.destroy();
    drainQueue();
    ASSERT_TRUE(putOnClipboard(CF_DIB, redBlueDib()));
    CellGrid later;
    ASSERT_TRUE(later.setSize(1, 1));
    parts.imageClipboard.storeCopy(std::move(later));
    CellGrid onClipboard;
    parts.clipboardLink.readClipboard(onClipboard);
    EXPECT_EQ(onClipboard.columns(), 2);
}

} // namespace
} // namespace tessaly
