// The three dialogs driven through their own message loops with the
// messages a user's typing and clicking produce.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "palette/icon_create_dialog_win32.h"
#include "palette/icon_duplicate_dialog_win32.h"
#include "palette/palette_length_dialog_win32.h"
#include "resources/palette_dialog_ids.h"
#include "support/dialog_driver_win32.h"

namespace tessaly {
namespace {

using test::checked;
using test::click;
using test::DialogDriver;
using test::enabled;
using test::itemText;
using test::typeInto;

constexpr const wchar_t* kCreateTitle = L"アイコンの作成";
constexpr const wchar_t* kDuplicateTitle = L"アイコンの複製";
constexpr const wchar_t* kPaletteTitle = L"パレット作成";

constexpr int kSizeRadios[] = {IDC_SIZE_16, IDC_SIZE_32, IDC_SIZE_48, IDC_SIZE_64, IDC_SIZE_OTHER};
constexpr int kModeRadios[] = {IDC_MODE_MONOCHROME, IDC_MODE_16, IDC_MODE_256, IDC_MODE_FULL, IDC_MODE_ALPHA};
constexpr int kConversionRadios[] = {IDC_CONVERT_NONE, IDC_CONVERT_WEB_SAFE, IDC_CONVERT_GREYSCALE};

// The one checked radio of a group, 0 when none or several are.
template <std::size_t N> int checkedOf(HWND dialog, const int (&group)[N])
{
    int found = 0;
    for (const int id : group) {
        if (checked(dialog, id)) {
            if (found)
                return 0;
            found = id;
        }
    }
    return found;
}

struct CreateResult {
    bool ok = false;
    std::uint32_t width = 7;
    std::uint32_t height = 9;
    std::int32_t bitCount = 4;

    bool operator==(const CreateResult&) const = default;
};

void PrintTo(const CreateResult& r, std::ostream* out)
{
    *out << (r.ok ? "OK " : "cancelled ") << r.width << 'x' << r.height << ' ' << r.bitCount << "-bit";
}

CreateResult runCreate(DialogDriver::Script script)
{
    DialogDriver driver(kCreateTitle, std::move(script));
    CreateResult result;
    IconCreateDialog dialog;
    result.ok = dialog.ask(nullptr, result.width, result.height, result.bitCount);
    EXPECT_TRUE(driver.scriptRan());
    EXPECT_FALSE(driver.hadToCloseTheDialog());
    return result;
}

TEST(IconCreateDialog, StartsAt32By32With256ColoursAndReturnsThePresetAndModeChosen)
{
    const CreateResult result = runCreate([](HWND dialog) {
        EXPECT_EQ(test::windowText(dialog), kCreateTitle);
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"32");
        EXPECT_EQ(itemText(dialog, IDC_HEIGHT), L"32");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_32);
        EXPECT_EQ(checkedOf(dialog, kModeRadios), IDC_MODE_256);
        EXPECT_TRUE(enabled(dialog, IDOK));
        EXPECT_EQ(itemText(dialog, IDC_SIZE_48), L"４８×４８");
        EXPECT_EQ(itemText(dialog, IDC_MODE_ALPHA), L"半透明");
        EXPECT_EQ(itemText(dialog, IDCANCEL), L"ｷｬﾝｾﾙ");
        click(dialog, IDC_SIZE_48);
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"48");
        EXPECT_EQ(itemText(dialog, IDC_HEIGHT), L"48");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_48);
        // "それ以外" leaves the boxes as they are.
        click(dialog, IDC_SIZE_OTHER);
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"48");
        click(dialog, IDC_MODE_ALPHA);
        EXPECT_EQ(checkedOf(dialog, kModeRadios), IDC_MODE_ALPHA);
        click(dialog, IDOK);
    });
    EXPECT_EQ(result, (CreateResult{true, 48, 48, 32}));
}

TEST(IconCreateDialog, TypedSizesPickTheirPresetAndAZeroSideDisablesOk)
{
    const CreateResult result = runCreate([](HWND dialog) {
        typeInto(dialog, IDC_WIDTH, L"48");
        typeInto(dialog, IDC_HEIGHT, L"48");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_48);
        typeInto(dialog, IDC_HEIGHT, L"32");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_OTHER);
        EXPECT_TRUE(enabled(dialog, IDOK));
        typeInto(dialog, IDC_WIDTH, L"");
        EXPECT_FALSE(enabled(dialog, IDOK));
        typeInto(dialog, IDC_WIDTH, L"0");
        EXPECT_FALSE(enabled(dialog, IDOK));
        // The boxes take digits only.
        typeInto(dialog, IDC_WIDTH, L"2x0");
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"20");
        EXPECT_TRUE(enabled(dialog, IDOK));
        click(dialog, IDC_MODE_MONOCHROME);
        click(dialog, IDOK);
    });
    EXPECT_EQ(result, (CreateResult{true, 20, 32, 1}));
}

TEST(IconCreateDialog, RefusesASideBeyond1024SayingSoAndStaysOpen)
{
    test::MessageBoxSeen refusal;
    bool focusOnHeight = false;
    const CreateResult result = runCreate([&](HWND dialog) {
        typeInto(dialog, IDC_HEIGHT, L"1025");
        EXPECT_TRUE(enabled(dialog, IDOK));
        refusal = test::clickOkExpectingRefusal(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        focusOnHeight = GetFocus() == GetDlgItem(dialog, IDC_HEIGHT);
        typeInto(dialog, IDC_HEIGHT, L"1024");
        typeInto(dialog, IDC_WIDTH, L"1024");
        click(dialog, IDOK);
    });
    EXPECT_EQ(refusal.title, kCreateTitle);
    EXPECT_EQ(refusal.text, L"幅と高さは 1 から 1024 までにしてください。");
    EXPECT_TRUE(focusOnHeight);
    EXPECT_EQ(result, (CreateResult{true, 1024, 1024, 8}));
}

TEST(IconCreateDialog, CancelEscapeAndTheCloseBoxLeaveTheVariables)
{
    const DialogDriver::Script ways[] = {
        [](HWND dialog) {
            click(dialog, IDC_SIZE_64);
            click(dialog, IDCANCEL);
        },
        [](HWND dialog) {
            click(dialog, IDC_SIZE_64);
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        },
        [](HWND dialog) {
            click(dialog, IDC_SIZE_64);
            SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        },
    };
    for (const auto& way : ways)
        EXPECT_EQ(runCreate(way), CreateResult{});
}

struct DuplicateResult {
    bool ok = false;
    std::uint32_t width;
    std::uint32_t height;
    std::int32_t bitCount;
    ConversionType type = ConversionType::Greyscale;

    bool operator==(const DuplicateResult&) const = default;
};

void PrintTo(const DuplicateResult& r, std::ostream* out)
{
    *out << (r.ok ? "OK " : "cancelled ") << r.width << 'x' << r.height << ' ' << r.bitCount << "-bit, conversion "
         << static_cast<int>(r.type);
}

DuplicateResult runDuplicate(std::uint32_t width, std::uint32_t height, std::int32_t bitCount,
                             DialogDriver::Script script)
{
    DialogDriver driver(kDuplicateTitle, std::move(script));
    DuplicateResult result{false, width, height, bitCount};
    IconDuplicateDialog dialog;
    result.ok = dialog.ask(nullptr, result.width, result.height, result.bitCount, result.type);
    EXPECT_TRUE(driver.scriptRan());
    EXPECT_FALSE(driver.hadToCloseTheDialog());
    return result;
}

bool conversionsEnabled(HWND dialog)
{
    const bool first = enabled(dialog, IDC_CONVERT_NONE);
    EXPECT_EQ(enabled(dialog, IDC_CONVERT_WEB_SAFE), first);
    EXPECT_EQ(enabled(dialog, IDC_CONVERT_GREYSCALE), first);
    return first;
}

bool modesEnabled(HWND dialog)
{
    const bool first = enabled(dialog, IDC_MODE_MONOCHROME);
    for (const int id : kModeRadios)
        EXPECT_EQ(enabled(dialog, id), first) << id;
    return first;
}

TEST(IconDuplicateDialog, StartsFromTheSourceAndOffersPaletteChoicesOnlyFor256Colours)
{
    const DuplicateResult fullColour = runDuplicate(48, 48, 24, [](HWND dialog) {
        EXPECT_EQ(test::windowText(dialog), kDuplicateTitle);
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"48");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_48);
        EXPECT_EQ(checkedOf(dialog, kModeRadios), IDC_MODE_FULL);
        EXPECT_EQ(checkedOf(dialog, kConversionRadios), IDC_CONVERT_NONE);
        EXPECT_FALSE(checked(dialog, IDC_KEEP_PALETTE));
        EXPECT_TRUE(modesEnabled(dialog));
        EXPECT_FALSE(conversionsEnabled(dialog));
        EXPECT_EQ(itemText(dialog, IDC_CONVERT_WEB_SAFE), L"Webセーフカラー");
        click(dialog, IDC_MODE_256);
        EXPECT_TRUE(conversionsEnabled(dialog));
        click(dialog, IDC_CONVERT_WEB_SAFE);
        click(dialog, IDC_MODE_16);
        EXPECT_FALSE(conversionsEnabled(dialog));
        click(dialog, IDOK);
    });
    EXPECT_EQ(fullColour, (DuplicateResult{true, 48, 48, 4, ConversionType::None}));

    const DuplicateResult palette = runDuplicate(20, 30, 8, [](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"20");
        EXPECT_EQ(itemText(dialog, IDC_HEIGHT), L"30");
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_OTHER);
        EXPECT_EQ(checkedOf(dialog, kModeRadios), IDC_MODE_256);
        EXPECT_TRUE(conversionsEnabled(dialog));
        click(dialog, IDC_CONVERT_GREYSCALE);
        click(dialog, IDC_SIZE_16);
        click(dialog, IDOK);
    });
    EXPECT_EQ(palette, (DuplicateResult{true, 16, 16, 8, ConversionType::Greyscale}));
}

TEST(IconDuplicateDialog, KeepingThePaletteFixesTheSourceModeButNotTheSize)
{
    const DuplicateResult result = runDuplicate(32, 32, 4, [](HWND dialog) {
        click(dialog, IDC_MODE_256);
        click(dialog, IDC_CONVERT_WEB_SAFE);
        click(dialog, IDC_KEEP_PALETTE);
        EXPECT_EQ(checkedOf(dialog, kModeRadios), IDC_MODE_16);
        EXPECT_FALSE(modesEnabled(dialog));
        EXPECT_FALSE(conversionsEnabled(dialog));
        click(dialog, IDC_SIZE_64);
        EXPECT_EQ(itemText(dialog, IDC_WIDTH), L"64");
        EXPECT_EQ(itemText(dialog, IDC_HEIGHT), L"64");
        EXPECT_FALSE(modesEnabled(dialog));
        // Unchecked again, the mode choice is free; 16 colours offer no palette choice.
        click(dialog, IDC_KEEP_PALETTE);
        EXPECT_TRUE(modesEnabled(dialog));
        EXPECT_FALSE(conversionsEnabled(dialog));
        click(dialog, IDC_KEEP_PALETTE);
        click(dialog, IDOK);
    });
    EXPECT_EQ(result, (DuplicateResult{true, 64, 64, 4, ConversionType::KeepPalette}));
}

TEST(IconDuplicateDialog, RefusesAnOversizedWidthAndCancelLeavesTheVariables)
{
    test::MessageBoxSeen refusal;
    const DuplicateResult result = runDuplicate(256, 256, 32, [&](HWND dialog) {
        EXPECT_EQ(checkedOf(dialog, kSizeRadios), IDC_SIZE_OTHER);
        typeInto(dialog, IDC_WIDTH, L"99999999999");
        refusal = test::clickOkExpectingRefusal(dialog);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_WIDTH));
        click(dialog, IDC_MODE_MONOCHROME);
        click(dialog, IDCANCEL);
    });
    EXPECT_EQ(refusal.title, kDuplicateTitle);
    EXPECT_EQ(refusal.text, L"幅と高さは 1 から 1024 までにしてください。");
    // The variables come back exactly as they went in.
    EXPECT_EQ(result, (DuplicateResult{false, 256, 256, 32, ConversionType::Greyscale}));
}

struct LengthResult {
    bool ok = false;
    std::int32_t length;
};

LengthResult runPaletteLength(std::int32_t length, DialogDriver::Script script)
{
    DialogDriver driver(kPaletteTitle, std::move(script));
    LengthResult result{false, length};
    PaletteLengthDialog dialog;
    result.ok = dialog.ask(nullptr, result.length);
    EXPECT_TRUE(driver.scriptRan());
    EXPECT_FALSE(driver.hadToCloseTheDialog());
    return result;
}

TEST(PaletteLengthDialog, StartsWithTheLengthSelectedInTheFocusedBox)
{
    const LengthResult result = runPaletteLength(256, [](HWND dialog) {
        const HWND box = GetDlgItem(dialog, IDC_PALETTE_LENGTH);
        EXPECT_EQ(itemText(dialog, IDC_PALETTE_LENGTH), L"256");
        EXPECT_EQ(GetFocus(), box);
        DWORD start = 99;
        DWORD end = 99;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);
        EXPECT_TRUE(enabled(dialog, IDOK));
        typeInto(dialog, IDC_PALETTE_LENGTH, L"");
        EXPECT_FALSE(enabled(dialog, IDOK));
        typeInto(dialog, IDC_PALETTE_LENGTH, L"16");
        EXPECT_TRUE(enabled(dialog, IDOK));
        click(dialog, IDOK);
    });
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.length, 16);
}

TEST(PaletteLengthDialog, AnEmptyPaletteStartsWithOkDisabledAndCancelKeepsIt)
{
    const LengthResult result = runPaletteLength(0, [](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_PALETTE_LENGTH), L"0");
        EXPECT_FALSE(enabled(dialog, IDOK));
        typeInto(dialog, IDC_PALETTE_LENGTH, L"5");
        EXPECT_TRUE(enabled(dialog, IDOK));
        click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.length, 0);
}

TEST(PaletteLengthDialog, RefusesALengthBeyond65536SayingSo)
{
    test::MessageBoxSeen refusal;
    const LengthResult result = runPaletteLength(16, [&](HWND dialog) {
        typeInto(dialog, IDC_PALETTE_LENGTH, L"65537");
        refusal = test::clickOkExpectingRefusal(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        typeInto(dialog, IDC_PALETTE_LENGTH, L"65536");
        click(dialog, IDOK);
    });
    EXPECT_EQ(refusal.title, kPaletteTitle);
    EXPECT_EQ(refusal.text, L"パレットの長さは 1 から 65536 までにしてください。");
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.length, 65536);
}

// Labels whose text is wider than their control (the check mark included
// for radios and check boxes): cut off on screen.
std::vector<std::wstring> clippedLabels(HWND dialog)
{
    struct Search {
        HFONT font;
        std::vector<std::wstring> clipped;
    } search{reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), {}};
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            const LONG style = GetWindowLongW(control, GWL_STYLE);
            const bool isStatic = test::className(control) == L"Static";
            const LONG kind = style & BS_TYPEMASK;
            const bool isChoice =
                test::className(control) == L"Button" && (kind == BS_AUTORADIOBUTTON || kind == BS_AUTOCHECKBOX);
            if (!isStatic && !isChoice)
                return TRUE;
            const std::wstring text = test::windowText(control);
            HDC dc = GetDC(control);
            const HGDIOBJ old = SelectObject(dc, s->font);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            RECT client{};
            GetClientRect(control, &client);
            const int mark = isChoice ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
            if (extent.cx + mark > client.right)
                s->clipped.push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.clipped;
}

TEST(PaletteDialogs, EveryLabelFitsItsControl)
{
    std::vector<std::wstring> clipped;
    auto collect = [&](HWND dialog) {
        const auto found = clippedLabels(dialog);
        clipped.insert(clipped.end(), found.begin(), found.end());
        click(dialog, IDCANCEL);
    };
    runCreate(collect);
    runDuplicate(32, 32, 8, collect);
    runPaletteLength(16, collect);
    EXPECT_TRUE(clipped.empty()) << clipped.size() << " labels cut off, the first: "
                                 << (clipped.empty() ? "" : test::utf8(clipped.front()));
}

} // namespace
} // namespace tessaly
