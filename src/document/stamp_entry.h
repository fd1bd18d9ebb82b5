#pragma once

#include "document/undo_entry.h"
#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// Floating content that did not come out of the image (a paste), composited
// into it, with the cells it covered before.
class StampEntry final : public UndoEntry {
public:
    explicit StampEntry(EditImage& image);

    // content lies at rect (the same size, possibly reaching past the image).
    // Keeps the part inside the image, saves the cells under it and
    // composites it; false, changing nothing, when no part is inside or the
    // sizes disagree.
    bool apply(const CellGrid& content, const PixelRect& rect);

    void redo() override;
    void undo() override;

private:
    EditImage& m_image;
    PixelRect m_rect;
    CellGrid m_content;
    CellGrid m_saved;
};

} // namespace tessaly
