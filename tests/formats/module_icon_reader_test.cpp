// The icon resources of program files, read from hand-built PE files whose
// every field the tests control: group order, named groups, the mends for
// short resources and 256-pixel entries, and damaged files refused cleanly.

#include <gtest/gtest.h>

#include "formats/module_icon_reader.h"
#include "formats/png_encoder.h"
#include "image/color_value.h"
#include "support/icon_samples.h"
#include "support/pe_file_builder.h"

namespace tessaly {
namespace {

using test::GroupEntrySpec;
using test::PeResource;

constexpr std::uint16_t kIcon = PeResourceDirectory::kIconType;
constexpr std::uint16_t kGroup = PeResourceDirectory::kIconGroupType;

ResourceId number(std::uint16_t n)
{
    return ResourceId{true, n, {}};
}

ResourceId named(const std::u16string& name)
{
    return ResourceId{false, 0, name};
}

GroupEntrySpec entryFor(const IconImage& image, std::uint16_t resource)
{
    return {static_cast<std::uint8_t>(image.width()), static_cast<std::uint8_t>(image.height()),
            static_cast<std::uint16_t>(image.bitCount()), static_cast<std::uint32_t>(40 + image.dataBytes()), resource};
}

struct Module {
    bool ok = false;
    IconImageList images;
    ModuleIconReader reader;
};

std::unique_ptr<Module> readModule(const std::vector<std::uint8_t>& file)
{
    auto module = std::make_unique<Module>();
    module->ok = module->reader.read(file, module->images);
    return module;
}

class ModuleIconReaderTest : public ::testing::Test {
protected:
    IconImage a16 = test::patternedImage(16, 16, 4, 1);
    IconImage a32 = test::patternedImage(32, 32, 32, 2);
    IconImage b16 = test::patternedImage(16, 16, 8, 3);
    IconImage c48 = test::patternedImage(48, 48, 1, 4);
};

TEST_F(ModuleIconReaderTest, ReadsNamedGroupsFirstThenNumberedOnesEachInEntryOrder)
{
    const auto file = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(a16)},
        {kIcon, number(2), 0, test::iconResource(a32)},
        {kIcon, number(3), 0, test::iconResource(b16)},
        {kIcon, number(4), 0, test::iconResource(c48)},
        {kGroup, named(u"MAIN"), 0, test::iconGroup({entryFor(c48, 4)})},
        {kGroup, number(7), 0, test::iconGroup({entryFor(a32, 2), entryFor(a16, 1)})},
        {kGroup, number(9), 0, test::iconGroup({entryFor(b16, 3)})},
    });
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 4u);
    EXPECT_TRUE(test::sameImage(*module->images[0], c48));
    EXPECT_TRUE(test::sameImage(*module->images[1], a32));
    EXPECT_TRUE(test::sameImage(*module->images[2], a16));
    EXPECT_TRUE(test::sameImage(*module->images[3], b16));
    EXPECT_EQ(module->reader.skippedEntries(), 0);

    const auto directory = PeResourceDirectory::parse(file);
    ASSERT_TRUE(directory);
    EXPECT_EQ(directory->namesOf(kGroup), (std::vector<ResourceId>{named(u"MAIN"), number(7), number(9)}));
}

TEST_F(ModuleIconReaderTest, TakesTheSizeOfAZeroSizedEntryFromTheResource)
{
    const IconImage big = test::patternedImage(256, 256, 8, 5);
    const auto file = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(big)},
        {kGroup, number(1), 0, test::iconGroup({{0, 0, 8, static_cast<std::uint32_t>(40 + big.dataBytes()), 1}})},
    });
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 1u);
    EXPECT_TRUE(test::sameImage(*module->images[0], big));
}

TEST_F(ModuleIconReaderTest, DecodesAPngCompressedResourceOfAZeroSizedEntry)
{
    // 256 x 256, alpha rising along the rows, the top row wholly transparent.
    std::vector<std::uint8_t> rgba;
    for (std::uint32_t y = 0; y < 256; ++y)
        for (std::uint32_t x = 0; x < 256; ++x)
            rgba.insert(rgba.end(),
                        {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7, static_cast<std::uint8_t>(y)});
    const std::vector<std::uint8_t> png = PngEncoder::encodeRgba(256, 256, rgba);
    const auto file = test::buildPe({
        {kIcon, number(3), 0, png},
        {kGroup, number(1), 0, test::iconGroup({{0, 0, 32, static_cast<std::uint32_t>(png.size()), 3}})},
    });
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 1u);
    const IconImage& image = *module->images[0];
    ASSERT_EQ(image.width(), 256);
    ASSERT_EQ(image.height(), 256);
    ASSERT_EQ(image.bitCount(), 32);
    EXPECT_EQ(image.getPixel(0, 5), makeColor(5, 0, 7, 0));
    EXPECT_TRUE(image.getMask(0, 5));
    EXPECT_EQ(image.getPixel(200, 9), makeColor(9, 200, 7, 200));
    EXPECT_FALSE(image.getMask(200, 9));
    EXPECT_EQ(module->reader.skippedEntries(), 0);
}

TEST_F(ModuleIconReaderTest, StopsWhenGroupsNameOneIconMoreOftenThanTheFileCanJustify)
{
    // A 256 x 256 icon (about 73 KB) named 2000 times: 146 MB from a file of about 100 KB.
    const IconImage big = test::patternedImage(256, 256, 8, 6);
    const std::vector<GroupEntrySpec> entries(2000, entryFor(big, 1));
    const auto file = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(big)},
        {kGroup, number(1), 0, test::iconGroup(entries)},
    });
    const auto module = readModule(file);
    EXPECT_FALSE(module->ok);
    EXPECT_EQ(module->reader.problem(), PeProblem::ImagesExceedFile);
    ASSERT_FALSE(module->images.empty());
    EXPECT_LT(module->images.size(), entries.size());
    EXPECT_EQ(module->images.size() + static_cast<std::size_t>(module->reader.skippedEntries()), entries.size());
    EXPECT_TRUE(test::sameImage(*module->images.front(), big));
}

TEST_F(ModuleIconReaderTest, SkipsResourcesShorterThanTheirImageAndMissingOnes)
{
    auto shortResource = test::iconResource(a32);
    shortResource.resize(40 + 32 * 32 * 4 / 2); // half the colour rows
    const auto file = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(a16)},
        {kIcon, number(2), 0, shortResource},
        {kGroup, number(1), 0, test::iconGroup({entryFor(a32, 2), entryFor(b16, 5), entryFor(a16, 1)})},
    });
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 1u);
    EXPECT_TRUE(test::sameImage(*module->images[0], a16));
    EXPECT_EQ(module->reader.skippedEntries(), 2);
}

TEST_F(ModuleIconReaderTest, PrefersTheNeutralLanguageThenUsEnglish)
{
    const auto file = test::buildPe({
        {kIcon, number(1), 0x407, test::iconResource(b16)},
        {kIcon, number(1), 0x409, test::iconResource(a16)},
        {kIcon, number(2), 0x407, test::iconResource(b16)},
        {kIcon, number(2), 0, test::iconResource(c48)},
        {kGroup, number(1), 0x407, test::iconGroup({entryFor(a16, 1), entryFor(c48, 2)})},
    });
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 2u);
    EXPECT_TRUE(test::sameImage(*module->images[0], a16));
    EXPECT_TRUE(test::sameImage(*module->images[1], c48));
}

TEST_F(ModuleIconReaderTest, RefusesFilesWithoutIconGroups)
{
    const auto noGroups = test::buildPe({{kIcon, number(1), 0, test::iconResource(a16)}});
    const auto module = readModule(noGroups);
    EXPECT_FALSE(module->ok);
    EXPECT_EQ(module->reader.problem(), PeProblem::NoIconGroups);
    EXPECT_TRUE(module->images.empty());
}

TEST_F(ModuleIconReaderTest, RefusesDamagedFilesCleanly)
{
    const auto good = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(a16)},
        {kGroup, number(1), 0, test::iconGroup({entryFor(a16, 1)})},
    });
    ASSERT_TRUE(readModule(good)->ok);
    auto damaged = [&](auto change) {
        auto file = good;
        change(file);
        return readModule(file);
    };
    using L = test::PeLayout;
    EXPECT_EQ(damaged([](auto& f) { f[0] = 'X'; })->reader.problem(), PeProblem::NotAnExecutable);
    EXPECT_EQ(damaged([](auto& f) { test::patch32(f, 0x3C, 0xFFFFFFF0u); })->reader.problem(),
              PeProblem::NotAnExecutable);
    EXPECT_EQ(damaged([](auto& f) { f.resize(L::kSectionTable + 10); })->reader.problem(), PeProblem::HeadersTruncated);
    EXPECT_EQ(damaged([](auto& f) { f[L::kOptionalHeader] = 0x99; })->reader.problem(),
              PeProblem::UnknownOptionalHeader);
    EXPECT_EQ(damaged([](auto& f) { test::patch32(f, L::kResourceDirectory, 0x9000); })->reader.problem(),
              PeProblem::NoResources);
    // The root's first entry points at a subdirectory beyond the section.
    EXPECT_EQ(damaged([](auto& f) { test::patch32(f, L::kSection + 20, 0x80000000u | 0x7FFFFFF0u); })->reader.problem(),
              PeProblem::ResourceTreeDamaged);
    // A directory whose entry count runs past the section.
    EXPECT_EQ(damaged([](auto& f) { f[L::kSection + 14] = 0xFF; })->reader.problem(), PeProblem::ResourceTreeDamaged);
    // The icon type's entry points back at the root: the loop is walked only
    // to the tree's depth, the icons are lost and the group's entry skipped.
    const auto loop = damaged([](auto& f) { test::patch32(f, L::kSection + 20, 0x80000000u); });
    EXPECT_TRUE(loop->ok);
    EXPECT_TRUE(loop->images.empty());
    EXPECT_EQ(loop->reader.skippedEntries(), 1);
}

TEST_F(ModuleIconReaderTest, RefusesATreeWhoseDirectoryListsItself)
{
    // A root of 200 entries, each an icon type pointing back at the root:
    // walked level by level that is 200^3 language entries from 2 KB.
    constexpr std::size_t kCount = 200;
    auto file = test::buildPe({{kIcon, number(1), 0, std::vector<std::uint8_t>(8 * kCount)}});
    using L = test::PeLayout;
    file[L::kSection + 12] = 0;
    file[L::kSection + 13] = 0;
    file[L::kSection + 14] = static_cast<std::uint8_t>(kCount);
    file[L::kSection + 15] = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        test::patch32(file, L::kSection + 16 + 8 * i, kIcon);
        test::patch32(file, L::kSection + 20 + 8 * i, 0x80000000u);
    }
    const auto module = readModule(file);
    EXPECT_FALSE(module->ok);
    EXPECT_EQ(module->reader.problem(), PeProblem::ResourceTreeDamaged);
    EXPECT_TRUE(module->images.empty());
}

TEST_F(ModuleIconReaderTest, SkipsAResourceWhoseDataLiesOutsideTheFile)
{
    auto file = test::buildPe({
        {kIcon, number(1), 0, test::iconResource(a16)},
        {kIcon, number(2), 0, test::iconResource(b16)},
        {kGroup, number(1), 0, test::iconGroup({entryFor(a16, 1), entryFor(b16, 2)})},
    });
    // Grow the first icon's data entry size far beyond the file.
    const auto directory = PeResourceDirectory::parse(file);
    ASSERT_TRUE(directory);
    const auto first = directory->find(kIcon, number(1));
    ASSERT_TRUE(first);
    bool patched = false;
    for (std::size_t at = test::PeLayout::kSection; at + 8 <= file.size() && !patched; at += 4) {
        const std::uint32_t size =
            file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16 | static_cast<std::uint32_t>(file[at + 7]) << 24;
        const auto address = static_cast<std::size_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16);
        if (size == first->size() && address - test::PeLayout::kSectionAddress + test::PeLayout::kSection ==
                                         static_cast<std::size_t>(first->data() - file.data())) {
            file[at + 7] = 0x40;
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    const auto module = readModule(file);
    ASSERT_TRUE(module->ok);
    ASSERT_EQ(module->images.size(), 1u);
    EXPECT_TRUE(test::sameImage(*module->images[0], b16));
    EXPECT_EQ(module->reader.skippedEntries(), 1);
}

} // namespace
} // namespace tessaly
