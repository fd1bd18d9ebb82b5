#pragma once

#include <vector>

#include "document/undo_entry.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"

namespace tessaly {

// The fine-adjust tool's press: the pixels whose alpha moved one step, in
// order, a pixel listed once per step it moved.
class AlphaNudgeEntry final : public UndoEntry {
public:
    AlphaNudgeEntry(EditImage& image, AlphaDirection direction);

    // Moves the pixel's alpha one step in the step's direction and records it
    // if it moved; false when it was already at the limit or outside.
    bool nudge(PixelPoint point);
    bool isEmpty() const { return m_points.empty(); }
    std::size_t pointCount() const { return m_points.size(); }

    void redo() override;
    void undo() override;

private:
    void nudgeAll(AlphaDirection direction);

    EditImage& m_image;
    AlphaDirection m_direction;
    std::vector<PixelPoint> m_points;
};

} // namespace tessaly
