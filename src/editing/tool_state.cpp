#include "editing/tool_state.h"

#include <algorithm>
#include <array>

namespace tessaly {

ToolState::ToolState(const EditImage& image)
    : m_image(image)
{
}

void ToolState::addObserver(ToolStateObserver* observer)
{
    if (observer != nullptr && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void ToolState::removeObserver(ToolStateObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

template <typename Notify> void ToolState::notify(Notify notifyOne)
{
    for (ToolStateObserver* observer : m_observers)
        notifyOne(*observer);
}

void ToolState::setTool(ToolId id)
{
    if (id == m_tool)
        return;
    const ToolId old = m_tool;
    notify([&](ToolStateObserver& o) { o.toolChanging(old, id); });
    m_tool = id;
    m_drawingMaskFlag = isMaskTool(id) ? 1 : 0;
    notify([&](ToolStateObserver& o) { o.toolChanged(old, id); });
}

void ToolState::setColourMode(std::int32_t bitCount)
{
    if (bitCount == m_bitCount)
        return;
    m_bitCount = bitCount;
    m_backgroundValue = backgroundValueOf(m_image, bitCount);
    notify([&](ToolStateObserver& o) { o.colourModeChanged(bitCount); });
    if (!hasAlphaTools(bitCount) && isAlphaTool(m_tool))
        setTool(ToolId::Pencil);
    setDrawingValue(m_backgroundValue);
}

void ToolState::setDrawingValue(std::uint32_t value)
{
    if (value == m_drawingValue)
        return;
    m_drawingValue = value;
    notify([&](ToolStateObserver& o) { o.drawingValueChanged(value); });
}

void ToolState::setDrawingRGB(std::uint32_t colour)
{
    m_drawingValue = (m_drawingValue & 0xFF000000u) | (colour & 0x00FFFFFFu);
    notify([&](ToolStateObserver& o) { o.drawingValueChanged(m_drawingValue); });
}

void ToolState::setDrawingAlpha(std::uint32_t colour)
{
    m_drawingValue = (m_drawingValue & 0x00FFFFFFu) | (colour & 0xFF000000u);
    notify([&](ToolStateObserver& o) { o.drawingValueChanged(m_drawingValue); });
}

void ToolState::setDrawingMaskFlag(std::uint8_t flag)
{
    if (flag == m_drawingMaskFlag)
        return;
    m_drawingMaskFlag = flag;
    notify([&](ToolStateObserver& o) { o.drawingMaskFlagChanged(flag); });
}

std::uint32_t ToolState::backgroundValueOf(const EditImage& image, std::int32_t bitCount)
{
    if (bitCount > 8 || bitCount < 1 || !image.hasImage())
        return 0;
    // Cells of a palette image hold indices below 2^bitCount; anything larger
    // cannot come from a loaded icon and is not counted.
    const std::uint32_t values = 1u << bitCount;
    std::array<std::uint32_t, 256> counts{};
    for (std::int32_t r = 0; r < image.height(); ++r) {
        for (const Cell& cell : image.cells().row(r)) {
            if (cell.mask != 0 && cell.value < values)
                ++counts[cell.value];
        }
    }
    // max_element returns the first of equal maxima: the lowest value wins ties.
    const auto most = std::max_element(counts.begin(), counts.begin() + values);
    return *most == 0 ? 0 : static_cast<std::uint32_t>(most - counts.begin());
}

} // namespace tessaly
