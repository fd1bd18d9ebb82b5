// The system clipboard under Wine: our copy read back and as bytes, bitmaps
// "another program" puts there, and the viewer chain kept in step. Hidden
// top-level windows of the test stand in for the main window and for other
// programs' viewers.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "editing/clipboard_dib.h"
#include "editing/clipboard_link_win32.h"
#include "formats/bitmap_info_header.h"
#include "image/byte_writer.h"
#include "image/color_value.h"

namespace tessaly {
namespace {

// A hidden window that records the clipboard notifications it gets; with a
// link it is the main window's stand-in, without one another program's viewer
// (which passes nothing on).
struct Viewer {
    ClipboardLink* link = nullptr;
    int changes = 0;
    int changesWhileListening = 0;
    HWND handle = nullptr;

    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Viewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_DRAWCLIPBOARD) {
            ++self->changes;
            if (self->link && self->link->clipboardChanged(wParam, lParam))
                ++self->changesWhileListening;
            return 0;
        }
        if (self && self->link && message == WM_CHANGECBCHAIN) {
            self->link->chainChanged(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    explicit Viewer(ClipboardLink* l = nullptr)
        : link(l)
    {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TessalyClipboardTestViewer";
            return RegisterClassW(&wc);
        }();
        handle = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;
    ~Viewer() { DestroyWindow(handle); }
};

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

std::vector<std::uint8_t> clipboardBytes(UINT format)
{
    std::vector<std::uint8_t> bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* at = static_cast<const std::uint8_t*>(GlobalLock(block))) {
            bytes.assign(at, at + GlobalSize(block));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return bytes;
}

// Puts a bitmap on the clipboard as another program would: its own window, its own block.
bool putForeignDib(const std::vector<std::uint8_t>& dib)
{
    Viewer other;
    if (!OpenClipboard(other.handle))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(GlobalLock(block), dib.data(), dib.size());
    GlobalUnlock(block);
    const bool set = SetClipboardData(CF_DIB, block) != nullptr;
    return CloseClipboard() && set;
}

std::vector<std::uint8_t> foreignDib(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                     const std::vector<ColorValue>& table, const std::vector<std::uint8_t>& rows)
{
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = bits;
    header.colorsUsed = static_cast<std::uint32_t>(table.size());
    ByteWriter out;
    header.write(out);
    for (const ColorValue c : table) {
        out.u8(blueOf(c));
        out.u8(greenOf(c));
        out.u8(redOf(c));
        out.u8(0);
    }
    out.bytes(rows);
    return out.take();
}

CellGrid gridOf(std::int32_t rows, std::int32_t columns, const std::vector<ColorValue>& values)
{
    CellGrid grid;
    EXPECT_TRUE(grid.setSize(rows, columns));
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < columns; ++c)
            grid.at(r, c) = Cell{values[static_cast<std::size_t>(r * columns + c)], 0};
    return grid;
}

constexpr ColorValue kRed = makeColor(255, 0, 0, 255);
constexpr ColorValue kBlue = makeColor(0, 0, 255, 255);
constexpr ColorValue kGreen = makeColor(0, 255, 0, 255);
constexpr ColorValue kWhite = makeColor(255, 255, 255, 255);

class ClipboardLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.setOwner(main.handle);
        ASSERT_TRUE(link.joinViewerChain(main.handle));
        pumpMessages();
        main.changes = main.changesWhileListening = 0;
    }
    void TearDown() override { link.leaveViewerChain(); }

    ClipboardLink link;
    Viewer main{&link};
};

TEST_F(ClipboardLinkTest, CopiesABottomUpThirtyTwoBitBitmapAndReadsItBack)
{
    const CellGrid grid = gridOf(2, 3, {kRed, kBlue, makeColor(1, 2, 3, 40), kGreen, kWhite, kRed});
    ASSERT_TRUE(link.copyToClipboard(grid));
    pumpMessages();
    EXPECT_TRUE(link.clipboardHasDib());

    const std::vector<std::uint8_t> dib = clipboardBytes(CF_DIB);
    ASSERT_GE(dib.size(), 40u + 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(dib.begin() + 4, dib.begin() + 16),
              (std::vector<std::uint8_t>{3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0}));
    // The bottom row first, each pixel blue, green, red, 0 whatever its alpha.
    EXPECT_EQ(std::vector<std::uint8_t>(dib.begin() + 40, dib.begin() + 64),
              (std::vector<std::uint8_t>{0, 255, 0,   0, 255, 255, 255, 0, 0, 0, 255, 0,
                                         0, 0,   255, 0, 255, 0,   0,   0, 3, 2, 1,   0}));

    const std::vector<std::uint8_t> png = clipboardBytes(link.pngFormat());
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[19], 3); // IHDR width
    EXPECT_EQ(png[23], 2); // IHDR height

    CellGrid back;
    link.readClipboard(back);
    // Read back opaque: the clipboard bitmap's fourth byte is no alpha.
    EXPECT_EQ(back, gridOf(2, 3, {kRed, kBlue, makeColor(1, 2, 3, 255), kGreen, kWhite, kRed}));
}

TEST_F(ClipboardLinkTest, IgnoresTheChangeOfItsOwnCopyButHearsOtherPrograms)
{
    ASSERT_TRUE(link.copyToClipboard(gridOf(1, 2, {kRed, kBlue})));
    pumpMessages();
    EXPECT_GE(main.changes, 1);
    EXPECT_EQ(main.changesWhileListening, 0);
    EXPECT_TRUE(link.isListening());

    ASSERT_TRUE(putForeignDib(foreignDib(1, 1, 24, {}, {1, 2, 3, 0})));
    pumpMessages();
    EXPECT_EQ(main.changesWhileListening, 1);
}

TEST_F(ClipboardLinkTest, ReadsOtherProgramsBitmapsOfEveryDepthTheRightWayUp)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> dib;
    };
    // Each the same 3 x 2 picture: top row red, blue, green; bottom row white, red, white.
    const std::vector<ColorValue> table = {makeColor(255, 0, 0), makeColor(0, 0, 255), makeColor(0, 255, 0),
                                           makeColor(255, 255, 255)};
    const std::vector<Case> cases = {
        {"8-bit", foreignDib(3, 2, 8, table, {3, 0, 3, 0, 0, 1, 2, 0})},
        {"4-bit", foreignDib(3, 2, 4, table, {0x30, 0x30, 0, 0, 0x01, 0x20, 0, 0})},
        {"1-bit", {}},
        {"24-bit bottom-up", foreignDib(3, 2, 24, {}, {255, 255, 255, 0,   0, 255, 255, 255, 255, 0, 0, 0,
                                                       0,   0,   255, 255, 0, 0,   0,   255, 0,   0, 0, 0})},
        {"24-bit top-down", foreignDib(3, -2, 24, {}, {0,   0,   255, 255, 0, 0,   0,   255, 0,   0, 0, 0,
                                                       255, 255, 255, 0,   0, 255, 255, 255, 255, 0, 0, 0})},
        {"32-bit top-down", foreignDib(3, -2, 32, {}, {0,   0,   255, 9, 255, 0, 0,   9, 0,   255, 0,   9,
                                                       255, 255, 255, 9, 0,   0, 255, 9, 255, 255, 255, 9})},
    };
    const CellGrid expected = gridOf(2, 3, {kRed, kBlue, kGreen, kWhite, kRed, kWhite});
    for (const Case& c : cases) {
        if (c.dib.empty())
            continue;
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(putForeignDib(c.dib));
        pumpMessages();
        EXPECT_TRUE(link.clipboardHasDib());
        CellGrid grid;
        link.readClipboard(grid);
        EXPECT_EQ(grid, expected);
    }
    // Two colours: white and red; the top row is 0 1 0, the bottom row 1 1 0.
    ASSERT_TRUE(putForeignDib(foreignDib(3, 2, 1, {makeColor(255, 255, 255), makeColor(255, 0, 0)},
                                         {0b11000000, 0, 0, 0, 0b01000000, 0, 0, 0})));
    CellGrid mono;
    link.readClipboard(mono);
    EXPECT_EQ(mono, gridOf(2, 3, {kWhite, kRed, kWhite, kRed, kRed, kWhite}));
}

TEST_F(ClipboardLinkTest, ADamagedForeignBitmapLeavesTheBufferEmpty)
{
    std::vector<std::uint8_t> dib = foreignDib(300, 200, 24, {}, {1, 2, 3, 0});
    ASSERT_TRUE(putForeignDib(dib));
    CellGrid grid = gridOf(1, 1, {kRed});
    link.readClipboard(grid);
    EXPECT_TRUE(grid.isEmpty());
}

TEST(ClipboardLinkChain, PassesNotificationsOnAndMendsTheChainWhenAViewerLeaves)
{
    Viewer earlier; // another program's viewer, in the chain before ours
    const HWND beforeEarlier = SetClipboardViewer(earlier.handle);
    ClipboardLink link;
    Viewer main{&link};
    link.setOwner(main.handle);
    ASSERT_TRUE(link.joinViewerChain(main.handle));
    EXPECT_FALSE(link.joinViewerChain(main.handle));
    pumpMessages();
    earlier.changes = main.changes = 0;

    ASSERT_TRUE(link.copyToClipboard(gridOf(1, 1, {kRed})));
    pumpMessages();
    EXPECT_GE(main.changes, 1);
    EXPECT_GE(earlier.changes, 1); // passed on by our window

    ChangeClipboardChain(earlier.handle, beforeEarlier);
    pumpMessages();
    earlier.changes = main.changes = 0;
    ASSERT_TRUE(link.copyToClipboard(gridOf(1, 1, {kBlue})));
    pumpMessages();
    EXPECT_GE(main.changes, 1);
    EXPECT_EQ(earlier.changes, 0); // no longer in the chain: nothing is sent to it
    link.leaveViewerChain();
}

} // namespace
} // namespace tessaly
