#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/pointer_array.h"
#include "ui/dock/dock_rect.h"
#include "ui/dock/dock_side.h"

namespace tessaly {

// One frame's place in a bar: the frame (by the number its host gave it),
// its length along the bar and whether it shows. A floating frame keeps an
// invisible entry in its last bar, so that it can return there.
struct DockBarEntry {
    std::int32_t frame = 0;
    std::int32_t extent = 0;
    bool visible = false;
};

struct DockFramePlacement {
    std::int32_t frame = 0;
    DockRect rect; // in the bar's client coordinates
};

// A splitter being dragged: the sash along the bar's inner edge, or the gap
// after one visible entry, with where the pointer took hold of it.
struct DockSplitterDrag {
    static constexpr std::int32_t kSash = -1;

    std::int32_t index = kSash; // kSash, or the visible entry the gap follows
    int grabOffset = 0;         // pointer minus the band's start, along the drag

    friend bool operator==(const DockSplitterDrag&, const DockSplitterDrag&) = default;
};

enum class DockSizeCursor { Arrow, SizeNorthSouth, SizeWestEast };

// The entries of one dock bar and all the arithmetic on them: sharing the
// bar's length between frames, placing the frames, and the splitters. The
// bar's window keeps one and moves windows to what it computes. Rectangles
// here are in the bar's client coordinates; "along" is x for horizontal bars
// and y for vertical ones.
class DockBarModel {
public:
    // The gap between neighbouring frames and the width of the sash.
    static constexpr int kSplitterWidth = 7;

    explicit DockBarModel(DockSide side) : m_side(side) {}

    DockSide side() const { return m_side; }
    const PointerArray<DockBarEntry>& entries() const { return m_entries; }
    std::int32_t visibleCount() const { return m_visible.count(); }
    bool containsFrame(std::int32_t frame) const { return indexOf(frame) >= 0; }
    bool frameVisible(std::int32_t frame) const;

    // Inserts the frame before the first visible entry whose middle lies past
    // the drop rectangle's centre and gives it the drop rectangle's length,
    // taken from the others in proportion. Lay out next.
    bool addFrame(std::int32_t frame, const DockRect& drop);
    bool removeFrame(std::int32_t frame);
    // Moves a visible entry to the place the drop rectangle's centre points
    // at; true when it moved. Lay out next.
    bool moveFrame(std::int32_t frame, const DockRect& drop);
    // True when the entry's visibility changed. A returning frame keeps its
    // extent; the others make room for it in proportion.
    bool setFrameVisible(std::int32_t frame, bool visible);

    // The extents of all entries, in entry order.
    std::vector<std::int32_t> getExtents() const;
    // False, changing nothing, unless there is one extent per entry.
    bool setExtents(std::span<const std::int32_t> extents);

    // Where frames go: the client rectangle less a pixel at top and bottom
    // and less the sash on the side facing the host's client window.
    DockRect usableRect(const DockRect& client) const;
    // Shares the usable length between the visible entries by cumulative
    // rounding and returns where each visible frame goes.
    std::vector<DockFramePlacement> layoutBar(const DockRect& client);
    // The gaps between neighbouring visible frames, as the last layout left them.
    std::vector<DockRect> gapRects(const DockRect& client) const;

    // Splitters. The hit test looks across the bar first (the sash), then
    // along it (the gaps); no splitter under the pointer gives nothing.
    std::optional<DockSplitterDrag> hitSplitter(const DockRect& client, DockPoint pointer) const;
    DockSizeCursor cursorAt(const DockRect& client, DockPoint pointer) const;
    // Where the dragged band starts for a pointer position, kept inside the
    // range the splitter may move in. clientWindow is the host's client
    // window in the bar's client coordinates (the sash may go up to its far edge).
    int dragPosition(const DockSplitterDrag& drag, const DockRect& client, const DockRect& clientWindow,
                     DockPoint pointer) const;
    DockRect dragBand(const DockSplitterDrag& drag, const DockRect& client, int position) const;
    // Ends a drag at a band position. For the sash the result is the bar's new
    // thickness; for a gap the extents change (lay out next) and there is none.
    std::optional<int> finishDrag(const DockSplitterDrag& drag, const DockRect& client, int position);

private:
    std::int32_t indexOf(std::int32_t frame) const;
    void rebuildVisible();
    std::int64_t visibleSum() const;
    int usableAlongStart() const { return isHorizontal(m_side) ? 0 : 1; }
    int usableLength(const DockRect& client) const;
    int sashStart(const DockRect& client) const;
    // Along-bar start of the gap after visible entry i (usable coordinates).
    int gapStart(std::int32_t i) const;

    DockSide m_side;
    PointerArray<DockBarEntry> m_entries{16};
    PointerArray<std::int32_t> m_visible{16}; // indices into m_entries
};

} // namespace tessaly
