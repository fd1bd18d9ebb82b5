#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/icon_list_status_sink.h"
#include "app/preview_status_sink.h"
#include "app/status_line.h"
#include "editing/canvas_controller.h"
#include "editing/canvas_geometry.h"
#include "editing/editing_status_sink.h"
#include "editing/model/edit_image.h"
#include "editing/selection.h"
#include "editing/tool_state.h"
#include "palette/model/palette.h"
#include "palette/palette_status_sink.h"

namespace tessaly {

// Turns what the views report (the item highlighted in a menu, the tool,
// pixel, palette cell, list item or preview scale under the pointer) into
// the status bar's texts and layout. A report that would show what the last
// one of its kind showed for the same key is not sent again, so that moves
// within one pixel, cell or item neither rewrite the texts nor lay the bar
// out again.
class StatusTexts final : public EditingStatusSink,
                          public IconListStatusSink,
                          public PaletteStatusSink,
                          public PreviewStatusSink {
public:
    StatusTexts(StatusLine& line, const ToolState& toolState, const EditImage& image, const Palette& palette);
    StatusTexts(const StatusTexts&) = delete;
    StatusTexts& operator=(const StatusTexts&) = delete;

    // What the canvas readout shows of the drags, the selection and the
    // view, set once they exist; without them only positions and colours.
    void setCanvas(const CanvasController* controller, const Selection* selection, const CanvasGeometry* geometry);

    // The item highlighted in the main menu or a popup; an id without a hint
    // (a submenu, a separator, the menu closing) shows the empty text.
    void menuHint(std::int32_t commandId);
    void listPopupHint(std::int32_t commandId) override;
    void selectionPopupHint(std::int32_t commandId) override;
    void palettePopupHint(std::int32_t commandId) override;

    // The tool button under the pointer in the tool window, or none.
    void toolHint(std::int32_t tool) override;
    // The pixel under the pointer on the canvas (it may lie outside the image).
    void canvasReadout(PixelPoint pixel) override;
    // The palette cell under the pointer (-1 or past the end for none); the
    // range highlighted at that moment, none while rangeLast < rangeFirst.
    void paletteReadout(std::int32_t index, std::int32_t rangeFirst, std::int32_t rangeLast) override;
    // The item under the pointer in the list pane's shown tab (0 edit list,
    // 1 trash, 2 import) with that list's count; the edited icon counts only
    // on the edit list.
    void listReadout(const ListReadout& readout) override;
    // The preview's scale (factor 0: none shown) and whether it shows the
    // selected state.
    void previewReadout(const PreviewReadout& readout) override;

private:
    // The last text's kind and what it showed it for.
    enum class Kind : std::uint8_t {
        None,
        Menu,
        ListPopup,
        SelectionPopup,
        PalettePopup,
        Tool,
        Canvas,
        Palette,
        IconList,
        Preview,
    };
    struct Key {
        Kind kind = Kind::None;
        std::int32_t first = 0;
        std::int32_t second = 0;
        std::int32_t third = 0;

        friend bool operator==(const Key&, const Key&) = default;
    };

    void hint(Kind kind, std::int32_t id, std::u16string_view text);
    // Sends when key differs from the last one, and remembers it.
    template <typename... Texts> void show(const Key& key, std::int32_t layout, Texts&&... parts);
    void send(const Key& key, std::int32_t layout, std::span<const std::u16string> parts);

    // The colour and mask parts of a pixel inside the image.
    std::u16string colourText(PixelPoint pixel) const;
    void showCanvas(const Key& key, PixelPoint pixel, std::u16string position);

    StatusLine& m_line;
    const ToolState& m_toolState;
    const EditImage& m_image;
    const Palette& m_palette;
    const CanvasController* m_controller = nullptr;
    const Selection* m_selection = nullptr;
    const CanvasGeometry* m_geometry = nullptr;
    Key m_last;
};

} // namespace tessaly
