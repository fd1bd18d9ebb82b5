#pragma once

#include <cstdint>

#include "document/undo_entry.h"
#include "image/color_value.h"
#include "palette/model/palette.h"

namespace tessaly {

// A colour change of one palette entry from the selected-colour window. It
// stays open while a control is dragged or a value typed, keeping the first
// old colour and the last new one, so the whole edit is one step.
class PaletteColorEntry final : public UndoEntry {
public:
    explicit PaletteColorEntry(Palette& palette);

    // Names the entry and remembers its colour; false, leaving the step
    // unbegun, for an index outside the palette.
    bool begin(std::int32_t index);
    // Sets the entry (once begun) and remembers colour as the new colour.
    void set(ColorValue colour);
    bool isBegun() const { return m_index >= 0; }
    std::int32_t index() const { return m_index; }

    void redo() override;
    void undo() override;

private:
    Palette& m_palette;
    std::int32_t m_index = -1;
    ColorValue m_oldColour = 0;
    ColorValue m_newColour = 0;
};

} // namespace tessaly
