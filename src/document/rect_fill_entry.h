#pragma once

#include <cstdint>

#include "document/undo_entry.h"
#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// A rectangle filled with one value and mask (the rectangle tool, delete,
// the discarded lift of a paste), with the cells it covered before.
class RectFillEntry final : public UndoEntry {
public:
    explicit RectFillEntry(EditImage& image);

    // Saves the cells of rect (clipped to the image) and fills it; false,
    // changing nothing, when nothing of rect lies inside the image.
    bool apply(const PixelRect& rect, std::uint32_t value, std::uint8_t mask);

    void redo() override;
    void undo() override;

private:
    EditImage& m_image;
    PixelRect m_rect;
    std::uint32_t m_value = 0;
    std::uint8_t m_mask = 0;
    CellGrid m_saved;
};

} // namespace tessaly
