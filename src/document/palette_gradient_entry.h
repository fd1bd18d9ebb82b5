#pragma once

#include <cstdint>
#include <vector>

#include "document/undo_entry.h"
#include "image/color_value.h"
#include "palette/model/palette.h"

namespace tessaly {

// A gradient run over palette entries first..last, with the colours it
// replaced. Redo runs the gradient again: its end colours keep their red,
// green and blue, so the ramp comes out the same.
class PaletteGradientEntry final : public UndoEntry {
public:
    explicit PaletteGradientEntry(Palette& palette);

    // Runs the gradient; false, changing nothing, unless
    // 0 <= first < last < palette length.
    bool apply(std::int32_t first, std::int32_t last);

    void redo() override;
    void undo() override;

private:
    Palette& m_palette;
    std::int32_t m_first = 0;
    std::int32_t m_last = -1;
    std::vector<ColorValue> m_oldColours;
};

} // namespace tessaly
