#include "ui/dialog_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/dib_section_win32.h"
#include "test_resources.h"
#include "test_window_class_win32.h"

namespace tessaly {
namespace {

std::wstring windowText(HWND window)
{
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// Closes itself with a chosen code through a posted OK command, recording
// what it saw on the way.
class TestDialog final : public Dialog {
public:
    struct Event {
        UINT message;
        HWND handle;
    };

    INT_PTR closeCode = 0;
    std::vector<Event> events;
    LONG_PTR slotAtInit = 0;
    HWND ownerAtInit = nullptr;
    std::wstring caption;
    std::wstring label;

protected:
    INT_PTR handleDialogMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        events.push_back({message, handle()});
        switch (message) {
        case WM_INITDIALOG:
            slotAtInit = GetWindowLongPtrW(handle(), DWLP_USER);
            ownerAtInit = GetWindow(handle(), GW_OWNER);
            caption = windowText(handle());
            label = windowText(GetDlgItem(handle(), IDC_TEST_LABEL));
            PostMessageW(handle(), WM_COMMAND, IDOK, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                endModal(closeCode);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

class OwnerWindow final : public Window {
public:
    ~OwnerWindow() override { destroy(); }
};

TEST(Dialog, RunModalReturnsTheCodeGivenToEndModal)
{
    TestDialog dialog;
    dialog.closeCode = 1234;
    EXPECT_EQ(dialog.runModal(IDD_TEST_DIALOG, nullptr), 1234);
    EXPECT_EQ(dialog.handle(), nullptr);
}

TEST(Dialog, BindsAtInitDialogAndUnbindsAfterDestroy)
{
    TestDialog dialog;
    ASSERT_EQ(dialog.runModal(IDD_TEST_DIALOG, nullptr), 0);
    ASSERT_FALSE(dialog.events.empty());
    // WM_SETFONT comes before WM_INITDIALOG and is left to the system.
    EXPECT_EQ(dialog.events.front().message, static_cast<UINT>(WM_INITDIALOG));
    for (const auto& event : dialog.events)
        EXPECT_NE(event.message, static_cast<UINT>(WM_SETFONT));
    const HWND native = dialog.events.front().handle;
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(dialog.slotAtInit, reinterpret_cast<LONG_PTR>(&dialog));
    bool sawDestroy = false;
    for (const auto& event : dialog.events) {
        if (event.message == WM_DESTROY) {
            sawDestroy = true;
            EXPECT_EQ(event.handle, native);
        }
    }
    EXPECT_TRUE(sawDestroy);
    EXPECT_FALSE(IsWindow(native));
}

TEST(Dialog, OwnerAndJapaneseTemplateTextsReachTheDialog)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.create(test::testWindowClass(), L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    TestDialog dialog;
    ASSERT_EQ(dialog.runModal(IDD_TEST_DIALOG, &owner), 0);
    EXPECT_EQ(dialog.ownerAtInit, owner.handle());
    EXPECT_EQ(dialog.caption, L"アイコンの作成");
    EXPECT_EQ(dialog.label, L"アイコンの作成");
}

// Draws one character black on white in a font and returns the pixels.
std::vector<ColorValue> renderCharacter(const LOGFONTW& font, wchar_t character)
{
    DibSection canvas;
    if (!canvas.create32(48, 48))
        return {};
    canvas.fillRect32(RECT{0, 0, 48, 48}, makeColor(255, 255, 255));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, canvas.handle());
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ oldFont = SelectObject(dc, handle);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 4, 4, &character, 1);
    SelectObject(dc, oldFont);
    DeleteObject(handle);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    std::vector<ColorValue> pixels;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            pixels.push_back(canvas.getPixel32(x, y));
    return pixels;
}

TEST(Dialog, SystemCaptionAndMessageFontsDrawJapanese)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    // A character no font here has: it draws as the font's missing-glyph box.
    constexpr wchar_t kMissing = L'\xE000';
    for (const LOGFONTW& font : {metrics.lfCaptionFont, metrics.lfMessageFont, metrics.lfMenuFont}) {
        const auto missing = renderCharacter(font, kMissing);
        for (wchar_t japanese : {L'ア', L'作'}) {
            const auto drawn = renderCharacter(font, japanese);
            ASSERT_FALSE(drawn.empty());
            EXPECT_TRUE(drawn != missing) << "no glyph for U+" << std::hex << static_cast<int>(japanese) << " in "
                                          << static_cast<int>(font.lfWeight);
        }
    }
}

TEST(Dialog, MissingTemplateFails)
{
    TestDialog dialog;
    EXPECT_EQ(dialog.runModal(9999, nullptr), -1);
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.handle(), nullptr);
}

} // namespace
} // namespace tessaly
