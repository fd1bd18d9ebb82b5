#pragma once

#include <cstdint>

#include "document/undo_entry.h"
#include "editing/edit_image.h"
#include "image/pointer_array.h"

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

    std::int32_t spanCount() const { return m_spans.count(); }
    const FillSpan& span(std::int32_t index) const { return m_spans.get(index); }

    void redo() override;
    void undo() override;

private:
    bool isOld(std::int32_t row, std::int32_t column) const;
    // Fills the run of old cells through (row, column) and returns it.
    FillSpan fillRun(std::int32_t row, std::int32_t column);
    // Pushes one seed, at its right end, for every run of old cells of row
    // within first..last.
    bool seedRow(PointerArray<PixelPoint>& seeds, std::int32_t row, std::int32_t first, std::int32_t last) const;

    EditImage& m_image;
    std::uint32_t m_oldValue = 0;
    std::uint32_t m_newValue = 0;
    std::uint8_t m_oldMask = 0;
    std::uint8_t m_newMask = 0;
    PointerArray<FillSpan> m_spans{64};
};

} // namespace tessaly
