#include "ui/dock/dock_layout_record.h"

#include <gtest/gtest.h>

#include <random>

#include "support/dock_record_checks.h"
#include "ui/dock/dock_bar_model.h"

namespace tessaly {
namespace {

std::vector<DockFrameDefaults> editorFrames()
{
    return test::editorFrameDefaults();
}

DockScreen screen()
{
    DockScreen s;
    s.bounds = {0, 0, 2560, 1040};
    s.workAreas = {{0, 0, 1280, 1000}, {1280, 0, 2560, 1040}};
    s.captionHeight = 20;
    s.minimumWidth = 30;
    s.minimumHeight = 20;
    return s;
}

// Two frames in one top bar, two bars on the right (one holding a floating
// frame's invisible entry), one frame floating and hidden.
DockLayoutRecord genuine()
{
    DockLayoutRecord r;
    r.sides[0] = {{59, {0, 3}, {300, 400}}};
    r.sides[3] = {{87, {1}, {500}}, {60, {2}, {200}}};
    r.frames = {{true, true, 427, 50, {853, 22, 1280, 346}},
                {true, true, 80, 324, {853, 346, 1280, 670}},
                {false, true, 53, 302, {400, 300, 827, 602}},
                {true, true, 120, 50, {0, 22, 120, 156}},
                {false, false, 120, 80, {1300, 156, 1420, 236}}};
    return r;
}

std::vector<std::uint8_t> bytesOf(const DockLayoutRecord& r)
{
    ByteWriter out;
    r.write(out);
    return out.take();
}

void expectUsable(const DockLayoutRecord& r)
{
    EXPECT_EQ(test::unusableReason(r, editorFrames(), screen()), "");
}

// Reads bytes as the host does: a damaged record gives the creation layout.
DockLayoutRecord load(std::span<const std::uint8_t> bytes, DockRecordError* error = nullptr)
{
    const std::vector<DockFrameDefaults> defaults = editorFrames();
    ByteReader in(bytes);
    DockLayoutRecord r;
    const DockRecordError e = r.read(in, defaults.size());
    if (error)
        *error = e;
    if (e != DockRecordError::None)
        r = DockLayoutRecord::creationLayout(defaults);
    r.bound(defaults, screen());
    return r;
}

TEST(DockLayoutRecord, WritesCountsThicknessesEntriesAndFramesLittleEndianInThatOrder)
{
    DockLayoutRecord r;
    r.sides[1] = {{59, {1}, {300}}};
    r.frames = {{false, true, 200, 150, {-10, 20, 190, 170}}, {true, false, 0, 0, {0, 0, 0, 0}}};
    const std::vector<std::uint8_t> expected = {
        0, 0, 0, 0, 1, 0, 0, 0, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // bars per side, one thickness
        1, 0, 0, 0, 1, 0, 0, 0, 0x2C, 1, 0, 0,                        // one entry: frame 1, extent 300
        0, 1, 200, 0, 0, 0, 150, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF, 20, 0, 0, 0, 190, 0, 0, 0, 170, 0, 0, 0, //
        1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytesOf(r), expected);
}

TEST(DockLayoutRecord, AGenuineRecordComesBackByteForByteAndBoundingLeavesItAlone)
{
    const std::vector<std::uint8_t> bytes = bytesOf(genuine());
    ByteReader in(bytes);
    DockLayoutRecord read;
    ASSERT_EQ(read.read(in, 5), DockRecordError::None);
    EXPECT_EQ(in.position(), bytes.size()); // the settings after it start right here
    EXPECT_EQ(read, genuine());
    read.bound(editorFrames(), screen());
    EXPECT_EQ(read, genuine());
    EXPECT_EQ(bytesOf(read), bytes);
    expectUsable(read);
}

TEST(DockLayoutRecord, EveryTruncationIsRefusedAndGivesTheCreationLayout)
{
    const std::vector<std::uint8_t> bytes = bytesOf(genuine());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        DockRecordError error = DockRecordError::None;
        const DockLayoutRecord r = load(std::span(bytes).first(n), &error);
        EXPECT_EQ(error, DockRecordError::Truncated) << n;
        EXPECT_EQ(r, DockLayoutRecord::creationLayout(editorFrames())) << n;
    }
    expectUsable(load({}));
}

TEST(DockLayoutRecord, CountsAreBoundedByTheirLimitsAndByTheBytesLeft)
{
    ByteWriter out;
    out.u32le(DockLayoutRecord::kMaxBarsPerSide + 1);
    for (std::uint32_t i = 0; i < 4 * (DockLayoutRecord::kMaxBarsPerSide + 1); ++i)
        out.u32le(60);
    DockRecordError error = DockRecordError::None;
    load(out.data(), &error);
    EXPECT_EQ(error, DockRecordError::TooManyBars);

    ByteWriter entries;
    entries.u32le(1);
    entries.u32le(60);
    for (int side = 1; side < 4; ++side)
        entries.u32le(0);
    entries.u32le(0xFFFFFFFFu);
    load(entries.data(), &error);
    EXPECT_EQ(error, DockRecordError::TooManyEntries);

    // Within the limit but promising more than there is: no allocation for it.
    ByteWriter promise;
    promise.u32le(DockLayoutRecord::kMaxBarsPerSide);
    promise.u32le(60);
    load(promise.data(), &error);
    EXPECT_EQ(error, DockRecordError::Truncated);
}

TEST(DockLayoutRecord, BoundingDropsWhatNamesNoFrameAndPutsEveryFrameWithinReach)
{
    DockLayoutRecord r = genuine();
    r.sides[0][0] = {0, {-1, 9, 0, 0, 3}, {100, 100, -5, 100, 1 << 30}};
    r.sides[1] = {{100000, {-1}, {50}}, {60, {4}, {10}}};
    r.sides[3] = {};
    r.frames[1].docked = true;                              // in no bar any more
    r.frames[2].floating = {5000, 5000, 4000, 4000};        // backwards and off every screen
    r.frames[3].visible = false;                            // the tool frame
    r.frames[4] = {false, true, -7, 1 << 30, {0, 0, 9, 9}}; // too small, odd sizes
    r.bound(editorFrames(), screen());
    ASSERT_EQ(r.sides[0].size(), 1u);
    EXPECT_EQ(r.sides[0][0], (DockRecordBar{DockBarModel::kSplitterWidth, {0, 3}, {0, 2560}}));
    ASSERT_EQ(r.sides[1].size(), 1u); // the bar naming no frame is gone
    EXPECT_EQ(r.sides[1][0].frames, std::vector<std::int32_t>{4});
    EXPECT_EQ(r.frames[1], (DockRecordFrame{false, true, 427, 324, {853, 346, 1280, 670}}));
    EXPECT_EQ(r.frames[2].floating, (DockRect{2530, 1020, 2560, 1040}));
    EXPECT_TRUE(r.frames[3].visible);
    EXPECT_EQ(r.frames[4], (DockRecordFrame{false, true, 0, 1040, {0, 0, 30, 20}}));
    expectUsable(r);
}

TEST(DockLayoutRecord, RandomAndDamagedBytesAlwaysGiveAUsableLayout)
{
    std::mt19937 random(17);
    const std::vector<std::uint8_t> original = bytesOf(genuine());
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes = original;
        if (round % 4 == 0) {
            bytes.resize(random() % 200);
            for (std::uint8_t& b : bytes)
                b = static_cast<std::uint8_t>(random());
        } else {
            // A few bytes changed here and there, so most records still parse.
            for (int k = 0; k < 1 + round % 5; ++k)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0xFF : random());
        }
        const DockLayoutRecord r = load(bytes);
        expectUsable(r);
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

} // namespace
} // namespace tessaly
