#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/undo_entry.h"
#include "editing/model/edit_image.h"
#include "editing/model/pixel_point.h"

namespace tessaly {

// One horizontal run of cells filled by a flood fill.
struct FillSpan {
    std::int32_t row = 0;
    std::int32_t first = 0;
    std::int32_t last = 0;

    friend bool operator==(const FillSpan&, const FillSpan&) = default;
};

// A flood fill, kept as the spans it filled in fill order rather than as
// cells: every cell of a span held the old value and mask before, so undo
// refills the same spans with the old pair and redo with the new one.
class FillEntry final : public UndoEntry {
public:
    explicit FillEntry(EditImage& image);

    // Fills the 4-connected region of cells equal (value and mask) to the
    // start cell with the new pair. False, changing nothing, when the start
    // lies outside the image or already holds exactly the new pair.
    bool fill(std::int32_t row, std::int32_t column, std::uint32_t value, std::uint8_t mask);

    std::int32_t spanCount() const { return static_cast<std::int32_t>(m_spans.size()); }
    const FillSpan& span(std::int32_t index) const { return m_spans[static_cast<std::size_t>(index)]; }

    void redo() override;
    void undo() override;

private:
    bool isOld(const Cell& cell) const;
    // Fills the run of old cells through (row, column) and returns it.
    FillSpan fillRun(std::int32_t row, std::int32_t column);
    // Pushes one seed, at its right end, for every run of old cells of row
    // within first..last.
    void seedRow(std::vector<PixelPoint>& seeds, std::int32_t row, std::int32_t first, std::int32_t last) const;
    // The fill proper; throws std::bad_alloc when the seeds or spans outgrow memory.
    void spread(std::int32_t row, std::int32_t column);

    EditImage& m_image;
    std::uint32_t m_oldValue = 0;
    std::uint32_t m_newValue = 0;
    std::uint8_t m_oldMask = 0;
    std::uint8_t m_newMask = 0;
    // Both grow geometrically: a fixed growth step would copy them over and
    // over, and a maze-like region of a 256 x 256 image holds 30,000 spans.
    std::vector<FillSpan> m_spans;
};

} // namespace tessaly
