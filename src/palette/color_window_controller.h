#pragma once

#include <cstdint>
#include <memory>

#include "document/open_step_holder.h"
#include "document/palette_color_entry.h"
#include "document/undo_history.h"
#include "editing/client_point.h"
#include "editing/tool_state.h"
#include "editing/tool_state_observer.h"
#include "palette/color_window_layout.h"
#include "palette/color_window_view.h"
#include "palette/model/color_window_observer.h"
#include "palette/model/palette.h"
#include "palette/palette_window_controller.h"

namespace tessaly {

// Everything the selected-colour window does, without the window: what it
// shows (the current colour, its thumbs and value boxes, the mid colour of
// the lightness field, the background under the swatch) and what the user's
// changes do. A change goes to the palette entry framed in the palette
// window, as one PaletteColorEntry per drag, click or run of typing, when
// the palette is linked or applies colour changes; and, unless the palette
// is linked, to the drawing colour.
class ColorWindowController final : public ColorWindowObserver, public ToolStateObserver, public OpenStepHolder {
public:
    // What a press has grabbed: 1-4 the thumb of channel part - 1.
    static constexpr std::int32_t kNoPart = 0;
    static constexpr std::int32_t kHuePart = 5;
    static constexpr std::int32_t kLightnessPart = 6;

    enum class BoxKey { Tab, Up, Down };

    ColorWindowController(Palette& palette, ToolState& toolState, UndoHistory& history,
                          const PaletteWindowController& paletteWindow);
    ~ColorWindowController() override;
    ColorWindowController(const ColorWindowController&) = delete;
    ColorWindowController& operator=(const ColorWindowController&) = delete;

    void setView(ColorWindowView* view) { m_view = view; }

    // Linked, the palette entry at the drawing index; otherwise the drawing colour.
    ColorValue currentColor() const;

    // What the window paints.
    const ColorWindowLayout& layout() const { return m_layout; }
    ColorValue shownColor() const { return m_shownColor; }
    ColorValue midColor() const { return m_midColor; }
    bool lightnessFollows() const { return m_lightnessFollows; }
    bool maskTool() const { return m_maskTool; }
    bool alphaMode() const { return m_alphaMode; }
    bool twoToneBackground() const { return m_twoTone; }
    ColorValue background1() const { return m_background1; }
    ColorValue background2() const { return m_background2; }
    bool lampLit() const { return m_toolState.drawingMaskFlag() != 0; }
    // The swatch's colour over one of the background colours.
    ColorValue swatchOver(ColorValue background) const;

    // The client area changed size: lay out, place the boxes, repaint.
    void resize(std::int32_t width, std::int32_t height);
    void setAlphaMode(bool alphaMode);
    void setMaskTool(bool maskTool);
    void invalidateSwatchAndLamp();
    void setSolidBackground(ColorValue colour);
    void setTwoToneBackground(std::uint8_t grey1, std::uint8_t grey2);

    // Closes the open palette colour step: onto the history while the
    // palette is linked and the entry changed, otherwise it is dropped.
    // Undo and Redo call it before they run.
    void commitPaletteEdit();
    bool hasOpenPaletteEdit() const { return m_entry != nullptr; }
    // OpenStepHolder
    void closeOpenStep() override { commitPaletteEdit(); }

    // Mouse, left button, client coordinates.
    void buttonDown(ClientPoint point);
    void mouseMove(ClientPoint point);
    void buttonUp(ClientPoint point);
    void captureLost();
    bool isDragging() const { return m_dragging; }
    std::int32_t draggedPart() const { return m_part; }

    // The text of a value box changed.
    void boxChanged(std::int32_t box);
    // A key pressed in a value box; false for keys the box handles itself.
    bool boxKey(std::int32_t box, BoxKey key);
    // The keyboard focus left the window or one of its boxes, for one of
    // them (true) or for another window (false).
    void focusLeft(bool toOwnWindow);

    // ColorWindowObserver
    void refresh() override;
    void entriesReplaced() override;

    // ToolStateObserver
    void toolChanged(ToolId from, ToolId to) override;
    void colourModeChanged(std::int32_t bitCount) override;
    void drawingValueChanged(std::uint32_t value) override;
    void drawingMaskFlagChanged(std::uint8_t flag) override;

private:
    enum class Channels { Whole, ColourOnly };

    void relayout();
    void show(ColorValue colour);
    void syncBoxes();
    void setColour(ColorValue colour, Channels channels);
    void openPaletteEdit();
    void dragTo(ClientPoint point);
    ColorValue fieldColour(std::int32_t part, ClientPoint point) const;
    void writeBox(std::int32_t box, const std::string& text);
    void takeBoxes(std::int32_t box, const std::string& text);
    std::int32_t shownBoxes() const;
    std::int32_t channelCount() const { return m_layout.channelCount(); }

    Palette& m_palette;
    ToolState& m_toolState;
    UndoHistory& m_history;
    const PaletteWindowController& m_paletteWindow;
    ColorWindowView* m_view = nullptr;

    ColorWindowLayout m_layout;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    ColorValue m_shownColor = 0;
    ColorValue m_midColor;
    bool m_maskTool = false;
    bool m_alphaMode = false;
    bool m_twoTone = false;
    ColorValue m_background1 = 0;
    ColorValue m_background2 = 0;
    bool m_lightnessFollows = true;

    std::unique_ptr<PaletteColorEntry> m_entry;
    ColorValue m_entryOldColour = 0;
    bool m_dragging = false;
    std::int32_t m_part = kNoPart;
    ClientPoint m_grab;
    // Set while the controller writes the boxes itself, so that their
    // change notifications are not taken for typing.
    bool m_updating = false;
};

} // namespace tessaly
