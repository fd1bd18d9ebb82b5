#pragma once

#include <vector>

#include "editing/model/cell.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"

namespace tessaly {

// A line of the edited image with the cells it covered before it was drawn,
// indexed by step number along the line (points outside the image hold
// nothing useful and are skipped). Strokes keep one per segment; the line
// step keeps one.
class SavedLine {
public:
    SavedLine(PixelPoint from, PixelPoint to)
        : m_from(from)
        , m_to(to)
    {
    }

    // Saves the cells under the line; false, when no point of it lies inside
    // the image or memory runs out.
    bool save(const EditImage& image);
    // Writes the saved cells back where the image differs from them.
    void restore(EditImage& image) const { image.restoreLine(m_from, m_to, m_saved); }

    PixelPoint from() const { return m_from; }
    PixelPoint to() const { return m_to; }

private:
    PixelPoint m_from;
    PixelPoint m_to;
    std::vector<Cell> m_saved;
};

} // namespace tessaly
