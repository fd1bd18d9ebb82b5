#include "ui/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_resources.h"
#include "test_window_class.h"

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

TEST(Dialog, MissingTemplateFails)
{
    TestDialog dialog;
    EXPECT_EQ(dialog.runModal(9999, nullptr), -1);
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.handle(), nullptr);
}

} // namespace
} // namespace tessaly
