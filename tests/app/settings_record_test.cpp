#include "app/settings_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "support/temp_dir.h"

namespace tessaly {
namespace {

void put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A file as the editor leaves it, byte by byte: placement, a dock layout with
// frames 0 and 3 docked in a top bar and 1 in a right one, "C:\icons", then the view options,
// and two stray bytes after them. fieldEnds: where each field ends.
std::vector<std::uint8_t> handBuiltFile(std::vector<std::size_t>* fieldEnds = nullptr)
{
    std::vector<std::uint8_t> b;
    std::vector<std::size_t> ends;
    for (const std::uint32_t v :
         {44u, 2u, 3u, 0xFFFFFF00u, 0xFFFFFF00u, 0xFFFFFFF8u, 0xFFFFFFF8u, 100u, 50u, 900u, 700u})
        put32(b, v);
    ends.push_back(b.size());
    // Bars per side with their thicknesses, then each bar's entries: frames and extents.
    for (const std::uint32_t v : {1u, 59u, 0u, 0u, 1u, 87u, 2u, 0u, 3u, 300u, 400u, 1u, 1u, 500u})
        put32(b, v);
    for (int frame = 0; frame < 5; ++frame) {
        b.push_back(frame == 0 || frame == 1 || frame == 3); // docked
        b.push_back(frame != 4);                             // visible
        for (const std::uint32_t v : {120u, 50u, 10u * frame, 20u, 10u * frame + 200, 220u})
            put32(b, v);
    }
    ends.push_back(b.size());
    const std::string folder = "C:\\icons";
    b.insert(b.end(), folder.begin(), folder.end());
    b.resize(ends.back() + 260, 0);
    ends.push_back(b.size());
    const auto field = [&](std::initializer_list<std::uint8_t> bytes) {
        b.insert(b.end(), bytes);
        ends.push_back(b.size());
    };
    field({9, 0, 0, 0});  // canvas background: not a row of the table, kept
    field({12, 0, 0, 0}); // zoom
    field({0});           // grid hidden
    field({2});           // palette shows whole: any nonzero byte
    field({7, 0, 0, 0});  // preview background
    field({1});           // preview automatic zoom
    field({0});           // apply colour changes off
    b.push_back(0xAB);
    b.push_back(0xCD);
    if (fieldEnds)
        *fieldEnds = ends;
    return b;
}

SettingsRecord handBuiltRecord()
{
    SettingsRecord r;
    r.placement = {44, 2, 3, {-256, -256}, {-8, -8}, {100, 50, 900, 700}};
    r.placementRead = r.dockLayoutRead = true;
    r.dockLayout.sides[0] = {{59, {0, 3}, {300, 400}}};
    r.dockLayout.sides[3] = {{87, {1}, {500}}};
    for (int f = 0; f < 5; ++f)
        r.dockLayout.frames.push_back({f == 0 || f == 1 || f == 3, f != 4, 120, 50, {10 * f, 20, 10 * f + 200, 220}});
    r.setLastFolder("C:\\icons");
    r.canvasBackground = 9;
    r.zoom = 12;
    r.grid = false;
    r.paletteShowsWhole = true;
    r.previewBackground = 7;
    r.previewAutoZoom = true;
    r.applyColorChanges = false;
    return r;
}

TEST(SettingsRecord, ReadsAndWritesTheFileLayoutByteForByte)
{
    std::vector<std::size_t> ends;
    const std::vector<std::uint8_t> file = handBuiltFile(&ends);
    const SettingsRecord read = SettingsRecord::read(file, 5);
    EXPECT_EQ(read, handBuiltRecord());
    EXPECT_EQ(read.lastFolderText(), "C:\\icons");
    std::vector<std::uint8_t> canonical(file.begin(), file.end() - 2); // without the stray bytes
    canonical[ends[6] - 1] = 1;                                        // a set flag is written as 1
    EXPECT_EQ(read.write(), canonical);

    SettingsRecord defaults; // as if no file had been found
    defaults.dockLayout = handBuiltRecord().dockLayout;
    defaults.placementRead = defaults.dockLayoutRead = true;
    const std::vector<std::uint8_t> written = defaults.write();
    ASSERT_EQ(written.size(), file.size() - 2);
    const std::vector<std::uint8_t> options = {6, 0, 0, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::vector<std::uint8_t>(written.end() - 16, written.end()), options);
    EXPECT_EQ(SettingsRecord::read(written, 5), defaults);
}

TEST(SettingsRecord, EveryCutKeepsTheFieldsBeforeItAndDefaultsAfterIt)
{
    std::vector<std::size_t> ends;
    const std::vector<std::uint8_t> file = handBuiltFile(&ends);
    const SettingsRecord whole = handBuiltRecord();
    for (std::size_t n = 0; n <= file.size(); ++n) {
        const SettingsRecord r = SettingsRecord::read(std::span(file).first(n), 5);
        SettingsRecord expected;
        const auto keep = [&](std::size_t field, auto member) {
            if (n >= ends[field])
                expected.*member = whole.*member;
        };
        keep(0, &SettingsRecord::placement), keep(0, &SettingsRecord::placementRead);
        keep(1, &SettingsRecord::dockLayout), keep(1, &SettingsRecord::dockLayoutRead);
        keep(2, &SettingsRecord::lastFolder), keep(3, &SettingsRecord::canvasBackground);
        keep(4, &SettingsRecord::zoom), keep(5, &SettingsRecord::grid), keep(6, &SettingsRecord::paletteShowsWhole);
        keep(7, &SettingsRecord::previewBackground), keep(8, &SettingsRecord::previewAutoZoom);
        keep(9, &SettingsRecord::applyColorChanges);
        ASSERT_EQ(r, expected) << "cut at " << n;
    }
}

TEST(SettingsRecord, RandomAndDamagedBytesReadToRecordsThatWriteBack)
{
    std::mt19937 random(5);
    const std::vector<std::uint8_t> original = handBuiltFile();
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = original;
        if (round % 3 == 0)
            bytes.resize(random() % 600);
        for (int k = 0; k < (round % 3 == 0 ? static_cast<int>(bytes.size()) : 1 + round % 4); ++k)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        const SettingsRecord r = SettingsRecord::read(bytes, 5);
        ASSERT_TRUE(SettingsRecord::isZoom(r.zoom));
        if (r.dockLayoutRead) {
            ASSERT_EQ(SettingsRecord::read(r.write(), 5), r) << "round " << round;
        }
    }
}

TEST(SettingsRecord, AZoomTheCanvasDoesNotOfferIsAutomatic)
{
    std::vector<std::size_t> ends;
    std::vector<std::uint8_t> file = handBuiltFile(&ends);
    const std::size_t at = ends[3]; // the zoom's first byte
    for (const std::uint32_t zoom : {0u, 1u, 2u, 4u, 8u, 12u, 16u, 3u, 32u, 0xFFFFFFFFu, 0x104u}) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<std::uint8_t>(zoom >> (8 * i));
        const bool offered = zoom == 0 || zoom == 1 || zoom == 2 || zoom == 4 || zoom == 8 || zoom == 12 || zoom == 16;
        EXPECT_EQ(SettingsRecord::read(file, 5).zoom, offered ? static_cast<std::int32_t>(zoom) : 0) << zoom;
    }
}

TEST(SettingsRecord, TheLastFolderNeedsItsNul)
{
    SettingsRecord r;
    EXPECT_TRUE(r.setLastFolder(std::string(259, 'x')));
    EXPECT_EQ(r.lastFolderText(), std::string(259, 'x'));
    EXPECT_FALSE(r.setLastFolder(std::string(260, 'x')));
    EXPECT_EQ(r.lastFolderText(), "");
    r.lastFolder.fill('y'); // a field cut off without its NUL names no folder
    EXPECT_EQ(r.lastFolderText(), "");
}

SettingsRecord boundedPlacement(std::uint32_t show, DockRect normal)
{
    SettingsRecord r;
    r.placement = {40, 0xF2, show, {}, {}, normal};
    r.boundPlacement({{0, 0, 1280, 1000}, {1280, 0, 2560, 1040}}, 20, 100);
    return r;
}

TEST(SettingsRecord, APlacementThatWouldHideTheWindowShowsItNormal)
{
    for (const std::uint32_t show : {0u, 2u, 6u, 7u, 11u, 12u, 0xFFFFFFFFu})
        EXPECT_EQ(boundedPlacement(show, {10, 10, 500, 400}).placement.showCommand, 1u) << show;
    for (const std::uint32_t show : {1u, 3u, 4u, 5u, 8u, 9u, 10u})
        EXPECT_EQ(boundedPlacement(show, {10, 10, 500, 400}).placement.showCommand, show) << show;
    const WindowPlacementRecord p = boundedPlacement(3, {10, 10, 500, 400}).placement;
    EXPECT_EQ(p, (WindowPlacementRecord{44, 2, 3, {}, {}, {10, 10, 500, 400}}));
}

TEST(SettingsRecord, APlacementOffEveryScreenMovesOntoTheNearestWorkArea)
{
    EXPECT_EQ(boundedPlacement(1, {5000, 100, 5800, 700}).placement.normal, (DockRect{1760, 100, 2560, 700}));
    EXPECT_EQ(boundedPlacement(1, {-3000, 200, -2200, 800}).placement.normal, (DockRect{0, 200, 800, 800}));
    EXPECT_EQ(boundedPlacement(1, {1500, -900, 2000, -10}).placement.normal, (DockRect{1500, 0, 2000, 890}));
    EXPECT_EQ(boundedPlacement(1, {1200, 500, 1700, 900}).placement.normal, (DockRect{1200, 500, 1700, 900}));
    // Too small, backwards, or larger than the desktop: a window the user can take hold of.
    EXPECT_EQ(boundedPlacement(1, {300, 300, 310, 302}).placement.normal, (DockRect{300, 300, 400, 320}));
    EXPECT_EQ(boundedPlacement(1, {900, 900, 100, 100}).placement.normal, (DockRect{900, 900, 1000, 920}));
    EXPECT_EQ(boundedPlacement(1, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}).placement.normal, (DockRect{0, 0, 2560, 1040}));
    EXPECT_EQ(boundedPlacement(1, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}).placement.normal,
              (DockRect{2460, 1020, 2560, 1040}));
}

TEST(SettingsRecord, TheFileComesBackAsWrittenAndAMissingOneGivesNone)
{
    const test::TempDir dir;
    EXPECT_FALSE(readSettingsFile(dir / "settings.dat", 5));
    ASSERT_TRUE(writeSettingsFile(dir / "settings.dat", handBuiltRecord()));
    EXPECT_EQ(readSettingsFile(dir / "settings.dat", 5), handBuiltRecord());
}

} // namespace
} // namespace tessaly
