#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/undo_entry.h"
#include "image/color_value.h"
#include "palette/model/palette.h"

namespace tessaly {

// Copied colours pasted over palette entries from a start index on, clipped
// to the palette's end, with the colours they replaced.
class PalettePasteEntry final : public UndoEntry {
public:
    explicit PalettePasteEntry(Palette& palette);

    // Writes colours from start on (as many as fit); false, changing nothing,
    // when there are no colours or start lies outside the palette.
    bool apply(std::span<const ColorValue> colours, std::int32_t start);

    void redo() override;
    void undo() override;

private:
    Palette& m_palette;
    std::int32_t m_start = 0;
    std::vector<ColorValue> m_oldColours;
    std::vector<ColorValue> m_newColours;
};

} // namespace tessaly
