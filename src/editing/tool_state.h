#pragma once

#include <cstdint>
#include <vector>

#include "editing/model/edit_image.h"
#include "editing/tool_id.h"
#include "editing/tool_state_observer.h"

namespace tessaly {

// What the tools need besides the image: the current tool, the colour mode of
// the edited image, the value the left button paints with, the value a pixel
// takes when it is made transparent, and the mask the combined eyedropper
// tools paint with. Its observers keep the windows in step with it.
class ToolState {
public:
    explicit ToolState(const EditImage& image);
    ToolState(const ToolState&) = delete;
    ToolState& operator=(const ToolState&) = delete;

    // Observers are told in the order they were added; none is owned.
    void addObserver(ToolStateObserver* observer);
    void removeObserver(ToolStateObserver* observer);

    // Nothing when id is current. Otherwise the observers finish the old
    // tool's work (toolChanging), id becomes current, and the drawing mask
    // flag becomes 1 for the mask tools and 0 for the others.
    void setTool(ToolId id);
    // Takes the bit count of the image just opened (24 when it is closed):
    // recomputes the background value from the image, leaves an alpha tool
    // when the new mode has no alpha, and draws with the background value.
    void setColourMode(std::int32_t bitCount);
    void setDrawingValue(std::uint32_t value);
    // Keeps the drawing value's alpha byte, takes red, green and blue of colour.
    void setDrawingRGB(std::uint32_t colour);
    // Keeps the drawing value's red, green and blue, takes the alpha byte of colour.
    void setDrawingAlpha(std::uint32_t colour);
    void setDrawingMaskFlag(std::uint8_t flag);

    ToolId tool() const { return m_tool; }
    std::int32_t bitCount() const { return m_bitCount; }
    bool isPaletteMode() const { return m_bitCount <= 8; }
    std::uint32_t drawingValue() const { return m_drawingValue; }
    std::uint32_t backgroundValue() const { return m_backgroundValue; }
    std::uint8_t drawingMaskFlag() const { return m_drawingMaskFlag; }

    static bool hasAlphaTools(std::int32_t bitCount) { return bitCount == 32; }
    // The most frequent value among the image's masked cells (the lowest of
    // equals; 0 without masked cells) in palette modes, 0 otherwise.
    static std::uint32_t backgroundValueOf(const EditImage& image, std::int32_t bitCount);

private:
    template <typename Notify> void notify(Notify notifyOne);

    const EditImage& m_image;
    std::vector<ToolStateObserver*> m_observers;
    ToolId m_tool = ToolId::Pencil;
    std::int32_t m_bitCount = 24;
    std::uint32_t m_drawingValue = 0;
    std::uint32_t m_backgroundValue = 0;
    std::uint8_t m_drawingMaskFlag = 0;
};

} // namespace tessaly
