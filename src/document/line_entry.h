#pragma once

#include <cstdint>
#include <optional>

#include "document/saved_line.h"
#include "document/undo_entry.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"

namespace tessaly {

// A straight line of the line tool, with the cells it covered before.
class LineEntry final : public UndoEntry {
public:
    LineEntry(EditImage& image, std::uint32_t value, std::uint8_t mask);

    // Saves the cells under the line and draws it; false, drawing nothing,
    // when no point of the line lies inside the image.
    bool setEndPoints(PixelPoint from, PixelPoint to);

    void redo() override;
    void undo() override;

private:
    EditImage& m_image;
    std::uint32_t m_value;
    std::uint8_t m_mask;
    std::optional<SavedLine> m_line;
};

} // namespace tessaly
