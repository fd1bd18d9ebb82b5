#include "palette/color_window_controller.h"

#include <algorithm>
#include <string>

#include "palette/color_window_colors.h"
#include "palette/value_box_rules.h"

namespace tessaly {
namespace {

std::uint8_t channelOf(ColorValue c, std::int32_t channel)
{
    return static_cast<std::uint8_t>(c >> (8 * channel));
}

ColorValue withChannel(ColorValue c, std::int32_t channel, std::uint8_t value)
{
    const std::uint32_t shift = static_cast<std::uint32_t>(8 * channel);
    return (c & ~(0xFFu << shift)) | static_cast<ColorValue>(value) << shift;
}

constexpr ColorValue kAlphaBits = 0xFF000000u;

} // namespace

ColorWindowController::ColorWindowController(Palette& palette, ToolState& toolState, UndoHistory& history,
                                             const PaletteWindowController& paletteWindow)
    : m_palette(palette)
    , m_toolState(toolState)
    , m_history(history)
    , m_paletteWindow(paletteWindow)
    , m_midColor(ColorWindowColors::midColor(0))
{
}

ColorWindowController::~ColorWindowController() = default;

ColorValue ColorWindowController::currentColor() const
{
    if (!m_palette.isLinked())
        return m_toolState.drawingValue();
    const std::uint32_t index = m_toolState.drawingValue();
    return index < static_cast<std::uint32_t>(m_palette.length()) ? m_palette.entry(static_cast<std::int32_t>(index))
                                                                  : 0;
}

ColorValue ColorWindowController::swatchOver(ColorValue background) const
{
    ColorValue maskBackground = 0;
    const std::uint32_t b = m_toolState.backgroundValue();
    if (m_palette.isLinked() && b < static_cast<std::uint32_t>(m_palette.length()))
        maskBackground = m_palette.entry(static_cast<std::int32_t>(b));
    return ColorWindowColors::swatchColour(m_shownColor, background, m_maskTool, m_alphaMode, lampLit(),
                                           maskBackground);
}

// Layout

void ColorWindowController::resize(std::int32_t width, std::int32_t height)
{
    m_width = width;
    m_height = height;
    relayout();
}

void ColorWindowController::relayout()
{
    m_layout.layout(m_width, m_height, m_alphaMode);
    if (!m_view)
        return;
    for (std::int32_t i = 0; i < ColorWindowLayout::kMaxChannels; ++i)
        m_view->placeBox(i, m_layout.channel(i).box, m_layout.channel(i).boxShown);
    m_view->invalidateAll();
}

void ColorWindowController::setAlphaMode(bool alphaMode)
{
    if (alphaMode == m_alphaMode)
        return;
    m_alphaMode = alphaMode;
    relayout();
    // The transparency box was not kept up while it was hidden; a stale
    // number there would come back as the alpha of the next typed colour.
    syncBoxes();
}

void ColorWindowController::setMaskTool(bool maskTool)
{
    if (maskTool == m_maskTool)
        return;
    m_maskTool = maskTool;
    invalidateSwatchAndLamp();
}

void ColorWindowController::invalidateSwatchAndLamp()
{
    if (!m_view)
        return;
    m_view->invalidate(m_layout.swatch(), ColorWindowView::Erase::No);
    m_view->invalidate(m_layout.lamp(), ColorWindowView::Erase::No);
}

void ColorWindowController::setSolidBackground(ColorValue colour)
{
    m_twoTone = false;
    m_background1 = colour & 0x00FFFFFFu;
    if (!m_view)
        return;
    m_view->invalidate(m_layout.swatch(), ColorWindowView::Erase::No);
    if (m_alphaMode)
        m_view->invalidate(m_layout.channel(3).bar, ColorWindowView::Erase::No);
}

void ColorWindowController::setTwoToneBackground(std::uint8_t grey1, std::uint8_t grey2)
{
    setSolidBackground(makeColor(grey1, grey1, grey1));
    m_twoTone = true;
    m_background2 = makeColor(grey2, grey2, grey2);
}

// Showing a colour

void ColorWindowController::refresh()
{
    m_updating = true;
    show(currentColor());
    m_updating = false;
}

void ColorWindowController::show(ColorValue colour)
{
    if (colour == m_shownColor)
        return;
    using Erase = ColorWindowView::Erase;
    for (std::int32_t i = 0; i < channelCount(); ++i) {
        const std::uint8_t v = channelOf(colour, i);
        if (!m_view)
            break;
        if (v != channelOf(m_shownColor, i)) {
            // The thumb's lines include its right and bottom edges.
            const auto around = [](ViewRect r) { return ViewRect{r.left, r.top, r.right + 2, r.bottom + 1}; };
            m_view->invalidate(around(m_layout.thumb(i, channelOf(m_shownColor, i))), Erase::Yes);
            m_view->invalidate(around(m_layout.thumb(i, v)), Erase::Yes);
        }
        if (v != ValueBoxRules::valueOf(m_view->boxText(i)))
            m_view->setBoxText(i, std::to_string(v));
    }
    m_shownColor = colour;
    if (m_lightnessFollows)
        m_midColor = ColorWindowColors::midColor(colour);
    if (!m_view)
        return;
    m_view->invalidate(m_layout.swatch(), Erase::No);
    for (std::int32_t i = 0; i < channelCount(); ++i)
        m_view->invalidate(m_layout.channel(i).bar, Erase::No);
    if (m_lightnessFollows)
        m_view->invalidate(m_layout.lightnessField(), Erase::No);
    m_view->updateNow();
}

void ColorWindowController::syncBoxes()
{
    if (!m_view)
        return;
    m_updating = true;
    for (std::int32_t i = 0; i < channelCount(); ++i) {
        const std::uint8_t v = channelOf(m_shownColor, i);
        if (v != ValueBoxRules::valueOf(m_view->boxText(i)) || ValueBoxRules::rewrite(m_view->boxText(i)))
            m_view->setBoxText(i, std::to_string(v));
    }
    m_updating = false;
}

// Setting a colour

void ColorWindowController::setColour(ColorValue colour, Channels channels)
{
    const ColorValue whole =
        channels == Channels::Whole ? colour : (currentColor() & kAlphaBits) | (colour & ~kAlphaBits);
    openPaletteEdit();
    if (m_entry)
        m_entry->set(whole);
    // Linked, the drawing colour is the index, which stays.
    if (m_palette.isLinked())
        return;
    if (channels == Channels::Whole)
        m_toolState.setDrawingValue(colour);
    else
        m_toolState.setDrawingRGB(colour);
}

void ColorWindowController::openPaletteEdit()
{
    const std::int32_t index = m_paletteWindow.selectedIndex();
    // A step belongs to one entry: framing another one ends it.
    if (m_entry && m_entry->index() != index)
        commitPaletteEdit();
    if (m_entry || index < 0 || index >= m_palette.length())
        return;
    if (!m_palette.isLinked() && !m_palette.applyColorChanges())
        return;
    auto entry = std::make_unique<PaletteColorEntry>(m_palette);
    if (!entry->begin(index))
        return;
    m_entryOldColour = m_palette.entry(index);
    m_entry = std::move(entry);
}

void ColorWindowController::commitPaletteEdit()
{
    if (!m_entry)
        return;
    std::unique_ptr<PaletteColorEntry> entry = std::move(m_entry);
    // A step that ends where it began would only make the edit look unsaved.
    if (m_palette.isLinked() && m_palette.entry(entry->index()) != m_entryOldColour)
        m_history.push(std::move(entry));
}

void ColorWindowController::entriesReplaced()
{
    // The entry the step names belongs to entries that are gone.
    m_entry.reset();
}

// Mouse

void ColorWindowController::buttonDown(ClientPoint point)
{
    if (m_dragging)
        return;
    // Every press is a step of its own, apart from any typing before it.
    commitPaletteEdit();
    for (std::int32_t i = 0; i < channelCount(); ++i) {
        const ViewRect thumb = m_layout.thumb(i, channelOf(m_shownColor, i));
        if (m_layout.barUsable(i) && thumb.containsWithEdges(point.x, point.y)) {
            m_grab = {point.x - (thumb.left + thumb.right) / 2, point.y - thumb.top};
            if (m_view)
                m_view->captureMouse();
            m_dragging = true;
            m_part = i + 1;
            return;
        }
    }
    for (std::int32_t i = 0; i < channelCount(); ++i) {
        const ColorWindowLayout::Channel& c = m_layout.channel(i);
        const ColorValue current = currentColor();
        const std::uint8_t v = channelOf(current, i);
        const bool minus = !c.minus.isEmpty() && c.minus.containsWithEdges(point.x, point.y);
        const bool plus = !c.plus.isEmpty() && c.plus.containsWithEdges(point.x, point.y);
        if (minus || plus) {
            if (minus && v > 0)
                setColour(withChannel(current, i, static_cast<std::uint8_t>(v - 1)), Channels::Whole);
            if (plus && v < 255)
                setColour(withChannel(current, i, static_cast<std::uint8_t>(v + 1)), Channels::Whole);
            commitPaletteEdit();
            return;
        }
    }
    const bool hue = m_layout.hueField().contains(point.x, point.y);
    const bool lightness =
        !hue && m_layout.lightnessField().width() > 2 && m_layout.lightnessField().contains(point.x, point.y);
    if (!hue && !lightness)
        return;
    const std::int32_t part = hue ? kHuePart : kLightnessPart;
    const ColorValue colour = fieldColour(part, point);
    if (m_view)
        m_view->captureMouse();
    m_dragging = true;
    m_part = part;
    if (lightness)
        m_lightnessFollows = false;
    setColour(colour, Channels::ColourOnly);
}

void ColorWindowController::mouseMove(ClientPoint point)
{
    if (m_dragging)
        dragTo(point);
}

void ColorWindowController::dragTo(ClientPoint point)
{
    if (m_part >= 1 && m_part <= channelCount()) {
        const std::int32_t i = m_part - 1;
        if (!m_layout.barUsable(i))
            return;
        setColour(withChannel(m_shownColor, i, m_layout.valueAt(i, point.x - m_grab.x)), Channels::Whole);
        return;
    }
    const ViewRect& field = m_part == kHuePart ? m_layout.hueField() : m_layout.lightnessField();
    if (field.isEmpty() || (m_part != kHuePart && m_part != kLightnessPart))
        return;
    const ClientPoint inside{std::clamp(point.x, field.left, field.right - 1),
                             std::clamp(point.y, field.top, field.bottom - 1)};
    setColour(fieldColour(m_part, inside), Channels::ColourOnly);
}

ColorValue ColorWindowController::fieldColour(std::int32_t part, ClientPoint point) const
{
    if (part == kHuePart) {
        const ViewRect& f = m_layout.hueField();
        return ColorWindowColors::hueAt(point.x - f.left, point.y - f.top, f.width(), f.height());
    }
    const ViewRect& f = m_layout.lightnessField();
    return ColorWindowColors::lightnessAt(point.x - f.left, f.width(), m_midColor);
}

void ColorWindowController::buttonUp(ClientPoint point)
{
    static_cast<void>(point);
    if (!m_dragging)
        return;
    if (m_part == kLightnessPart)
        m_lightnessFollows = true;
    m_dragging = false;
    m_part = kNoPart;
    if (m_view)
        m_view->releaseMouse();
    // One drag, one step.
    commitPaletteEdit();
}

void ColorWindowController::captureLost()
{
    buttonUp(ClientPoint{});
}

// Value boxes

void ColorWindowController::boxChanged(std::int32_t box)
{
    if (m_updating || !m_view || box < 0 || box >= channelCount())
        return;
    const std::string text = m_view->boxText(box);
    if (const auto rewritten = ValueBoxRules::rewrite(text)) {
        writeBox(box, *rewritten);
        return;
    }
    takeBoxes(box, text);
}

// Rewrites a box as the user would have typed it, then takes its value.
void ColorWindowController::writeBox(std::int32_t box, const std::string& text)
{
    // The box reports the rewrite as a change of its own; this call takes
    // it instead, once.
    m_updating = true;
    m_view->setBoxText(box, text);
    m_updating = false;
    takeBoxes(box, text);
}

void ColorWindowController::takeBoxes(std::int32_t box, const std::string& text)
{
    const ColorValue current = currentColor();
    ColorValue composed = 0;
    for (std::int32_t i = 0; i < channelCount(); ++i) {
        const std::uint8_t v = ValueBoxRules::valueOf(i == box ? text : m_view->boxText(i));
        composed |= static_cast<ColorValue>(v) << (8 * i);
    }
    // Without the transparency box the alpha byte stays as it is.
    if (channelCount() < 4)
        composed |= current & kAlphaBits;
    if (composed != current)
        setColour(composed, Channels::Whole);
}

std::int32_t ColorWindowController::shownBoxes() const
{
    return m_layout.channel(0).boxShown ? channelCount() : 0;
}

bool ColorWindowController::boxKey(std::int32_t box, BoxKey key)
{
    if (!m_view || box < 0 || box >= ColorWindowLayout::kMaxChannels)
        return false;
    switch (key) {
    case BoxKey::Tab:
        if (shownBoxes() > 0)
            m_view->focusBox(ValueBoxRules::nextBox(box, shownBoxes()));
        return true;
    case BoxKey::Up:
    case BoxKey::Down: {
        const std::uint8_t v = ValueBoxRules::valueOf(m_view->boxText(box));
        const auto stepped = key == BoxKey::Up ? ValueBoxRules::up(v) : ValueBoxRules::down(v);
        if (stepped && box < channelCount())
            writeBox(box, std::to_string(*stepped));
        return true;
    }
    }
    return false;
}

void ColorWindowController::focusLeft(bool toOwnWindow)
{
    if (!toOwnWindow)
        commitPaletteEdit();
}

// ToolStateObserver

void ColorWindowController::toolChanged(ToolId from, ToolId to)
{
    static_cast<void>(from);
    setMaskTool(isMaskTool(to));
}

void ColorWindowController::colourModeChanged(std::int32_t bitCount)
{
    setAlphaMode(bitCount == 32);
}

void ColorWindowController::drawingValueChanged(std::uint32_t value)
{
    static_cast<void>(value);
    refresh();
}

void ColorWindowController::drawingMaskFlagChanged(std::uint8_t flag)
{
    static_cast<void>(flag);
    invalidateSwatchAndLamp();
}

} // namespace tessaly
