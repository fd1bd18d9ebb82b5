#include "editing/tool_state.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editing/model/edit_image.h"
#include "image/icon_image.h"

namespace tessaly {
namespace {

// Writes every notification into one log, in order.
class RecordingToolObserver final : public ToolStateObserver {
public:
    void toolChanging(ToolId from, ToolId to) override { add("changing", int(from), int(to)); }
    void toolChanged(ToolId from, ToolId to) override { add("changed", int(from), int(to)); }
    void colourModeChanged(std::int32_t bitCount) override { add("mode", bitCount); }
    void drawingValueChanged(std::uint32_t value) override { add("value", static_cast<long long>(value)); }
    void drawingMaskFlagChanged(std::uint8_t flag) override { add("mask", flag); }

    std::vector<std::string> log;

private:
    // Built with a stream: string concatenation here trips a false GCC 12
    // restrict warning in the Windows build.
    void add(const char* what, long long a, long long b = -1)
    {
        std::ostringstream line;
        line << what << ' ' << a;
        if (b >= 0)
            line << ' ' << b;
        log.push_back(line.str());
    }
};

// A 4-bit icon with the given cells masked, each holding its value.
IconImage iconWithMasked(std::initializer_list<std::pair<std::int32_t, std::uint32_t>> maskedValues)
{
    IconImage icon;
    EXPECT_TRUE(icon.create(8, 8, 4));
    for (std::int32_t y = 0; y < 8; ++y)
        for (std::int32_t x = 0; x < 8; ++x)
            icon.setMask(y, x, false);
    std::int32_t at = 0;
    for (const auto& [count, value] : maskedValues) {
        for (std::int32_t i = 0; i < count; ++i, ++at) {
            icon.setPixel(at / 8, at % 8, value);
            icon.setMask(at / 8, at % 8, true);
        }
    }
    icon.setPixel(7, 7, 9); // unmasked cells do not count, however many
    return icon;
}

TEST(ToolState, BackgroundIsTheMostFrequentMaskedValueInPaletteModesLowestOnTies)
{
    EditImage image;
    ASSERT_TRUE(image.load(iconWithMasked({{3, 7}, {5, 5}, {2, 1}})));
    EXPECT_EQ(ToolState::backgroundValueOf(image, 4), 5u);
    EXPECT_EQ(ToolState::backgroundValueOf(image, 24), 0u);
    ASSERT_TRUE(image.load(iconWithMasked({{4, 12}, {4, 3}})));
    EXPECT_EQ(ToolState::backgroundValueOf(image, 4), 3u);
    ASSERT_TRUE(image.load(iconWithMasked({})));
    EXPECT_EQ(ToolState::backgroundValueOf(image, 4), 0u);

    ToolState state(image);
    ASSERT_TRUE(image.load(iconWithMasked({{6, 5}, {1, 2}})));
    state.setColourMode(4);
    EXPECT_EQ(state.backgroundValue(), 5u);
    EXPECT_EQ(state.drawingValue(), 5u) << "the drawing value starts as the background";
    EXPECT_TRUE(state.isPaletteMode());
}

TEST(ToolState, AlphaToolsAreLeftWhenTheModeLosesAlpha)
{
    EditImage image;
    ToolState state(image);
    RecordingToolObserver observer;
    state.addObserver(&observer);
    state.setColourMode(32);
    state.setTool(ToolId::AlphaNudge);
    observer.log.clear();
    state.setColourMode(24);
    EXPECT_EQ(state.tool(), ToolId::Pencil);
    EXPECT_EQ(observer.log, (std::vector<std::string>{"mode 24", "changing 10 0", "changed 10 0"}));
    state.setColourMode(24);
    EXPECT_EQ(observer.log.size(), 3u) << "an unchanged mode tells nobody";
    EXPECT_TRUE(ToolState::hasAlphaTools(32));
    EXPECT_FALSE(ToolState::hasAlphaTools(24));
}

TEST(ToolState, ToolChangesSetTheMaskFlagAndTellObserversBeforeAndAfter)
{
    EditImage image;
    ToolState state(image);
    RecordingToolObserver observer;
    state.addObserver(&observer);
    state.addObserver(&observer); // added once only
    state.setTool(ToolId::Eraser);
    EXPECT_EQ(state.drawingMaskFlag(), 1);
    state.setTool(ToolId::Eraser);
    state.setTool(ToolId::Pencil);
    EXPECT_EQ(state.drawingMaskFlag(), 0);
    EXPECT_EQ(observer.log, (std::vector<std::string>{"changing 0 1", "changed 0 1", "changing 1 0", "changed 1 0"}));

    observer.log.clear();
    state.setDrawingValue(0x80112233);
    state.setDrawingRGB(0x00AABBCC);
    state.setDrawingAlpha(0x11FFFFFF);
    state.setDrawingMaskFlag(1);
    state.setDrawingMaskFlag(1);
    EXPECT_EQ(state.drawingValue(), 0x11AABBCCu);
    const auto value = [](std::uint32_t v) {
        std::ostringstream line;
        line << "value " << v;
        return line.str();
    };
    EXPECT_EQ(observer.log,
              (std::vector<std::string>{value(0x80112233), value(0x80AABBCC), value(0x11AABBCC), "mask 1"}));
    state.removeObserver(&observer);
    state.setTool(ToolId::Line);
    EXPECT_EQ(observer.log.size(), 4u);
}

} // namespace
} // namespace tessaly
