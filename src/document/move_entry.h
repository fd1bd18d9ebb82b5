#pragma once

#include <cstdint>

#include "document/undo_entry.h"
#include "editing/model/cell_grid.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_rect.h"

namespace tessaly {

// A selection lifted out of the image and committed elsewhere: the origin is
// cleared to the background value (mask 1) and the content composited at the
// destination. The lift itself happened before the step was made; the step
// records it so that it is undone and redone together with the composite.
class MoveEntry final : public UndoEntry {
public:
    MoveEntry(EditImage& image, std::uint32_t backgroundValue);

    // liftRect: where the content was lifted from (inside the image), with
    // under, the image's cells there before the lift. rect: where the content
    // floats now (it may reach past the image), with display, the content
    // cells, the same size. Saves the cells under the destination (after the
    // lift cleared the origin) and composites the content there. False,
    // changing nothing, when the sizes disagree or liftRect is not inside
    // the image. Content wholly off the image still records the cleared origin.
    bool apply(const PixelRect& liftRect, const CellGrid& under, const PixelRect& rect, const CellGrid& display);

    void redo() override;
    void undo() override;

private:
    EditImage& m_image;
    std::uint32_t m_backgroundValue;
    PixelRect m_origin;
    PixelRect m_destination;
    CellGrid m_originCells;
    CellGrid m_underCells;
    CellGrid m_content;
};

} // namespace tessaly
