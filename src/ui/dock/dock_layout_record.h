#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "ui/dock/dock_rect.h"
#include "ui/dock/dock_side.h"

namespace tessaly {

struct DockRecordBar {
    std::int32_t thickness = 0;
    std::vector<std::int32_t> frames; // numbers in the host's frame list, -1 for none
    std::vector<std::int32_t> extents;

    friend bool operator==(const DockRecordBar&, const DockRecordBar&) = default;
};

struct DockRecordFrame {
    bool docked = false;
    bool visible = true;
    std::int32_t dockedWidth = 0;
    std::int32_t dockedHeight = 0;
    DockRect floating;

    friend bool operator==(const DockRecordFrame&, const DockRecordFrame&) = default;
};

// What a frame is when nothing else is known: where and how big it was
// created, and whether the user can show it again once it is hidden.
struct DockFrameDefaults {
    DockRect creation;
    bool hideable = true;
};

// What the screen allows: sizes larger than it cannot be shown, and a
// floating frame's caption must lie on a work area to be taken hold of.
struct DockScreen {
    DockRect bounds; // the whole desktop, across all monitors
    std::vector<DockRect> workAreas;
    int captionHeight = 0; // a floating frame's top border and small caption
    int minimumWidth = 1;
    int minimumHeight = 1;
};

enum class DockRecordError { None, Truncated, TooManyBars, TooManyEntries };

// The dock layout as the settings file keeps it, little-endian: for each
// side the bar count and the bars' thicknesses; then for each bar of each
// side its entry count, the entries' frame numbers and their extents; then
// for each frame of the host, in creation order, the docked and visible
// flags (a byte each), the docked width and height, and the floating
// rectangle. The frame count is not stored: the host must have the same
// frames, made in the same order, as when the record was written.
class DockLayoutRecord {
public:
    // Far more than any layout of the editor's frames needs; a count above
    // these is damage, not a layout.
    static constexpr std::uint32_t kMaxBarsPerSide = 256;
    static constexpr std::uint32_t kMaxEntriesPerBar = 256;

    std::array<std::vector<DockRecordBar>, kDockSideCount> sides;
    std::vector<DockRecordFrame> frames;

    // Every frame floating where it was created, shown, no bars.
    static DockLayoutRecord creationLayout(std::span<const DockFrameDefaults> frames);

    void write(ByteWriter& out) const;
    // Reads the record of a host with frameCount frames. A damaged record
    // leaves this empty and names the damage; the reader is then failed,
    // since nothing after the record can be found any more.
    DockRecordError read(ByteReader& in, std::size_t frameCount);

    // Makes a record read from outside safe to apply to the host whose frames
    // are given: thicknesses, extents and sizes within what the screen can
    // show; entries only for frames that exist, each frame in one bar at
    // most; no bar without entries; every floating frame's caption on a work
    // area; a frame that cannot be hidden shown. A frame recorded as docked
    // that no bar holds goes back to where it was created.
    void bound(std::span<const DockFrameDefaults> defaults, const DockScreen& screen);

    friend bool operator==(const DockLayoutRecord&, const DockLayoutRecord&) = default;

private:
    DockRecordError readBars(ByteReader& in);
    DockRecordError readEntries(ByteReader& in);
    DockRecordError readFrames(ByteReader& in, std::size_t frameCount);
};

} // namespace tessaly
