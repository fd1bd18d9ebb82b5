// The decisions of the icon and palette dialogs, without the dialogs.

#include <gtest/gtest.h>

#include <limits>

#include "palette/dialog_number.h"
#include "palette/icon_duplicate_rules.h"
#include "palette/icon_size_rules.h"
#include "palette/palette_length_rules.h"

namespace tessaly {
namespace {

TEST(DialogNumber, ReadsDigitsAndTakesAnythingElseAsZero)
{
    EXPECT_EQ(readDialogNumber(L"48"), 48u);
    EXPECT_EQ(readDialogNumber(L"0048"), 48u);
    EXPECT_EQ(readDialogNumber(L"4294967295"), 4294967295u);
    for (const wchar_t* text : {L"", L"abc", L"12a", L"-5", L" 5", L"+5", L"１６"})
        EXPECT_EQ(readDialogNumber(text), 0u) << text;
    // Too long to fit: the largest value, refused as too large, never a wrapped small one.
    for (const wchar_t* text : {L"4294967296", L"4294967312", L"99999999999999999999999"})
        EXPECT_EQ(readDialogNumber(text), std::numeric_limits<std::uint32_t>::max()) << text;
}

TEST(IconSizeRules, PresetsAreTheFourSquaresAndEverythingElseIsOther)
{
    using Preset = IconSizeRules::Preset;
    EXPECT_EQ(IconSizeRules::presetFor(16, 16), Preset::Size16);
    EXPECT_EQ(IconSizeRules::presetFor(32, 32), Preset::Size32);
    EXPECT_EQ(IconSizeRules::presetFor(48, 48), Preset::Size48);
    EXPECT_EQ(IconSizeRules::presetFor(64, 64), Preset::Size64);
    for (const auto& [w, h] : {std::pair{48u, 32u}, {32u, 48u}, {0u, 0u}, {128u, 128u}, {24u, 24u}})
        EXPECT_EQ(IconSizeRules::presetFor(w, h), Preset::Other) << w << 'x' << h;
    for (const Preset preset : {Preset::Size16, Preset::Size32, Preset::Size48, Preset::Size64}) {
        const auto side = IconSizeRules::sideOf(preset);
        ASSERT_TRUE(side);
        EXPECT_EQ(IconSizeRules::presetFor(*side, *side), preset);
    }
    EXPECT_FALSE(IconSizeRules::sideOf(Preset::Other));
}

TEST(IconSizeRules, OkNeedsNoZeroSideAndTheSizeMustFit1024)
{
    EXPECT_TRUE(IconSizeRules::canConfirm(1, 1));
    EXPECT_FALSE(IconSizeRules::canConfirm(0, 16));
    EXPECT_FALSE(IconSizeRules::canConfirm(16, 0));
    // 65536 x 65536 is 0 in 32-bit arithmetic; it must still count as a size, refused by the bound.
    EXPECT_TRUE(IconSizeRules::canConfirm(65536, 65536));
    EXPECT_FALSE(IconSizeRules::withinBounds(65536, 65536));
    EXPECT_TRUE(IconSizeRules::withinBounds(1024, 1024));
    EXPECT_FALSE(IconSizeRules::withinBounds(1025, 1));
    EXPECT_FALSE(IconSizeRules::withinBounds(1, 1025));
}

TEST(PaletteLengthRules, OkNeedsALengthAndTheLengthMustFitAPalette)
{
    EXPECT_FALSE(PaletteLengthRules::canConfirm(0));
    EXPECT_TRUE(PaletteLengthRules::canConfirm(1));
    EXPECT_TRUE(PaletteLengthRules::withinBounds(65536));
    EXPECT_FALSE(PaletteLengthRules::withinBounds(65537));
}

TEST(IconDuplicateRules, PaletteChoicesOnlyWith256ColoursAndKeepingThePaletteFixesTheMode)
{
    const IconDuplicateRules fromFull(ColorMode::FullColor);
    // At the start the source's own mode is checked: no palette choice for 24 bits.
    auto controls = fromFull.controlsFor(false, ColorMode::FullColor);
    EXPECT_EQ(controls.mode, ColorMode::FullColor);
    EXPECT_TRUE(controls.modesEnabled);
    EXPECT_FALSE(controls.conversionsEnabled);
    EXPECT_TRUE(fromFull.controlsFor(false, ColorMode::Color256).conversionsEnabled);
    EXPECT_TRUE(IconDuplicateRules(ColorMode::Color256).controlsFor(false, ColorMode::Color256).conversionsEnabled);

    controls = fromFull.controlsFor(true, ColorMode::Monochrome);
    EXPECT_EQ(controls.mode, ColorMode::FullColor);
    EXPECT_FALSE(controls.modesEnabled);
    EXPECT_FALSE(controls.conversionsEnabled);
    // Even with 256 colours shown before the box was checked.
    EXPECT_FALSE(IconDuplicateRules(ColorMode::Color256).controlsFor(true, ColorMode::Color256).conversionsEnabled);
}

TEST(IconDuplicateRules, OkReportsThePaletteChoiceOnlyWhereItCounts)
{
    const IconDuplicateRules rules(ColorMode::Color16);
    struct Case {
        bool keep;
        ColorMode mode;
        ConversionType shown;
        ColorMode expectedMode;
        ConversionType expectedType;
    };
    const Case cases[] = {
        {false, ColorMode::Color256, ConversionType::WebSafe, ColorMode::Color256, ConversionType::WebSafe},
        {false, ColorMode::Color256, ConversionType::Greyscale, ColorMode::Color256, ConversionType::Greyscale},
        {false, ColorMode::Color256, ConversionType::None, ColorMode::Color256, ConversionType::None},
        // Web-safe chosen, then 16 colours: the disabled choice no longer counts.
        {false, ColorMode::Color16, ConversionType::WebSafe, ColorMode::Color16, ConversionType::None},
        {false, ColorMode::SemiTransparent, ConversionType::Greyscale, ColorMode::SemiTransparent,
         ConversionType::None},
        {true, ColorMode::Color16, ConversionType::None, ColorMode::Color16, ConversionType::KeepPalette},
        {true, ColorMode::Color256, ConversionType::Greyscale, ColorMode::Color16, ConversionType::KeepPalette},
    };
    for (const Case& c : cases) {
        const auto choice = rules.choiceFor(c.keep, c.mode, c.shown);
        EXPECT_EQ(choice.mode, c.expectedMode) << static_cast<int>(c.mode) << ' ' << static_cast<int>(c.shown);
        EXPECT_EQ(choice.type, c.expectedType) << static_cast<int>(c.mode) << ' ' << static_cast<int>(c.shown);
    }
}

} // namespace
} // namespace tessaly
