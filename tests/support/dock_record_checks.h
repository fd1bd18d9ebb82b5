#pragma once

#include <set>
#include <span>
#include <string>
#include <vector>

#include "ui/dock/dock_bar_model.h"
#include "ui/dock/dock_frame_geometry.h"
#include "ui/dock/dock_layout_record.h"

namespace tessaly::test {

// Five frames made as the editor makes them on a 1280 x 1024 screen; the
// tool frame (3) has no menu item to show it again, so it may not stay hidden.
inline std::vector<DockFrameDefaults> editorFrameDefaults()
{
    return {{{853, 22, 1280, 346}, true},
            {{853, 346, 1280, 670}, true},
            {{853, 670, 1280, 972}, true},
            {{0, 22, 120, 156}, false},
            {{0, 156, 120, 236}, true}};
}

// What the dock host relies on when it applies a bounded layout record, as
// the first rule the record breaks ("" when it keeps them all): one frame
// record per frame; bars that hold frames, thick enough to grab and no
// larger than the screen; each frame in one bar at most and a docked one in
// exactly one; sizes the screen can show; captions on a work area; frames
// that cannot be shown again not hidden; and bounding again changes nothing.
inline std::string unusableReason(const DockLayoutRecord& r, std::span<const DockFrameDefaults> defaults,
                                  const DockScreen& screen)
{
    if (r.frames.size() != defaults.size())
        return "one frame record per frame";
    const int width = screen.bounds.width();
    const int height = screen.bounds.height();
    std::set<std::int32_t> held;
    for (const DockSide side : kDockSides) {
        for (const DockRecordBar& bar : r.sides[sideIndex(side)]) {
            if (bar.frames.empty() || bar.frames.size() != bar.extents.size())
                return "a bar with no frames, or extents not matching them";
            if (bar.thickness < DockBarModel::kSplitterWidth || bar.thickness > (isHorizontal(side) ? height : width))
                return "bar thickness " + std::to_string(bar.thickness);
            for (std::size_t k = 0; k < bar.frames.size(); ++k) {
                const std::int32_t frame = bar.frames[k];
                if (frame < 0 || static_cast<std::size_t>(frame) >= defaults.size())
                    return "frame number " + std::to_string(frame);
                if (!held.insert(frame).second)
                    return "frame " + std::to_string(frame) + " in two places";
                if (bar.extents[k] < 0 || bar.extents[k] > (isHorizontal(side) ? width : height))
                    return "extent " + std::to_string(bar.extents[k]);
            }
        }
    }
    for (std::size_t i = 0; i < r.frames.size(); ++i) {
        const DockRecordFrame& f = r.frames[i];
        const std::string which = "frame " + std::to_string(i) + ": ";
        if (f.docked && !held.count(static_cast<std::int32_t>(i)))
            return which + "docked in no bar";
        if (!f.visible && !defaults[i].hideable)
            return which + "hidden for good";
        if (f.dockedWidth < 0 || f.dockedWidth > width || f.dockedHeight < 0 || f.dockedHeight > height)
            return which + "docked size";
        if (f.floating.width() < screen.minimumWidth || f.floating.width() > std::max(width, screen.minimumWidth) ||
            f.floating.height() < screen.minimumHeight ||
            f.floating.height() > std::max(height, screen.minimumHeight))
            return which + "floating size";
        if (dock_frame_geometry::placeCaptionOnWorkArea(f.floating, screen.captionHeight, screen.workAreas) !=
            f.floating)
            return which + "caption out of reach";
    }
    DockLayoutRecord again = r;
    again.bound(defaults, screen);
    return again == r ? "" : "bounding again changes it";
}

} // namespace tessaly::test
