#pragma once

#include <cstdint>
#include <vector>

#include "document/saved_line.h"
#include "document/undo_entry.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"

namespace tessaly {

// What a stroke paints.
enum class StrokeKind : std::uint8_t {
    ValueAndMask = 1, // pencil, eraser
    MaskOnly = 2,     // mask tool
    AlphaOnly = 3,    // alpha-set tool: the value's top byte
};

// A freehand stroke: the straight segments joining consecutive pointer
// positions, each with the cells it covered before it was drawn. Undo
// restores the segments from the last to the first, so a stroke that crosses
// itself gets back the colours from before the stroke.
class StrokeEntry final : public UndoEntry {
public:
    StrokeEntry(EditImage& image, StrokeKind kind, std::uint32_t value, std::uint8_t mask);

    // Starts at point: a one-point segment there when it lies inside the image.
    void begin(PixelPoint point);
    // Draws a segment from the last point to point and keeps it when part of
    // it lies inside the image. Nothing when point is the last point.
    void continueTo(PixelPoint point);
    // A stroke without segments changed nothing and is not worth pushing.
    bool isEmpty() const { return m_segments.empty(); }
    std::size_t segmentCount() const { return m_segments.size(); }

    void redo() override;
    void undo() override;

private:
    // Saves, draws and keeps the segment when part of it is inside the image.
    void addSegment(PixelPoint from, PixelPoint to);
    void draw(const SavedLine& segment);

    EditImage& m_image;
    StrokeKind m_kind;
    std::uint32_t m_value;
    std::uint8_t m_mask;
    PixelPoint m_last;
    std::vector<SavedLine> m_segments;
};

} // namespace tessaly
