#include "ui/dock/dock_layout_record.h"

#include <algorithm>

#include "ui/dock/dock_bar_model.h"
#include "ui/dock/dock_frame_geometry.h"

namespace tessaly {

namespace {

constexpr std::size_t kThicknessBytes = 4;
constexpr std::size_t kEntryBytes = 8; // frame number and extent
constexpr std::size_t kFrameBytes = 2 + 6 * 4;

std::int32_t clampTo(std::int64_t value, std::int64_t low, std::int64_t high)
{
    // An empty range yields its low end.
    return static_cast<std::int32_t>(std::max(low, std::min(value, high)));
}

DockRecordFrame creationFrame(const DockFrameDefaults& defaults)
{
    const DockRect& r = defaults.creation;
    return {false, true, r.width(), r.height(), r};
}

DockRect boundFloating(const DockRect& r, const DockScreen& screen)
{
    const DockRect& b = screen.bounds;
    const std::int32_t width = clampTo(static_cast<std::int64_t>(r.right) - r.left, screen.minimumWidth,
                                       std::max(screen.minimumWidth, b.width()));
    const std::int32_t height = clampTo(static_cast<std::int64_t>(r.bottom) - r.top, screen.minimumHeight,
                                        std::max(screen.minimumHeight, b.height()));
    const std::int32_t left = clampTo(r.left, static_cast<std::int64_t>(b.left) - width, b.right);
    const std::int32_t top = clampTo(r.top, static_cast<std::int64_t>(b.top) - height, b.bottom);
    const DockRect sized{left, top, left + width, top + height};
    if (screen.workAreas.empty())
        return dock_frame_geometry::placeCaptionOnWorkArea(sized, screen.captionHeight, std::span(&b, 1));
    return dock_frame_geometry::placeCaptionOnWorkArea(sized, screen.captionHeight, screen.workAreas);
}

// Reads a count that must not pass its limit, nor promise more items of
// itemBytes than the input has left.
DockRecordError readCount(ByteReader& in, std::uint32_t limit, std::size_t itemBytes, DockRecordError tooMany,
                          std::uint32_t& count)
{
    count = in.u32le();
    if (!in.ok())
        return DockRecordError::Truncated;
    if (count > limit)
        return tooMany;
    if (count > in.remaining() / itemBytes)
        return DockRecordError::Truncated;
    return DockRecordError::None;
}

} // namespace

DockLayoutRecord DockLayoutRecord::creationLayout(std::span<const DockFrameDefaults> frames)
{
    DockLayoutRecord record;
    for (const DockFrameDefaults& frame : frames)
        record.frames.push_back(creationFrame(frame));
    return record;
}

void DockLayoutRecord::write(ByteWriter& out) const
{
    for (const std::vector<DockRecordBar>& bars : sides) {
        out.u32le(static_cast<std::uint32_t>(bars.size()));
        for (const DockRecordBar& bar : bars)
            out.i32le(bar.thickness);
    }
    for (const std::vector<DockRecordBar>& bars : sides) {
        for (const DockRecordBar& bar : bars) {
            out.u32le(static_cast<std::uint32_t>(bar.frames.size()));
            for (const std::int32_t frame : bar.frames)
                out.i32le(frame);
            for (std::size_t i = 0; i < bar.frames.size(); ++i)
                out.i32le(i < bar.extents.size() ? bar.extents[i] : 0);
        }
    }
    for (const DockRecordFrame& frame : frames) {
        out.u8(frame.docked ? 1 : 0);
        out.u8(frame.visible ? 1 : 0);
        out.i32le(frame.dockedWidth);
        out.i32le(frame.dockedHeight);
        out.i32le(frame.floating.left);
        out.i32le(frame.floating.top);
        out.i32le(frame.floating.right);
        out.i32le(frame.floating.bottom);
    }
}

DockRecordError DockLayoutRecord::read(ByteReader& in, std::size_t frameCount)
{
    *this = DockLayoutRecord{};
    DockRecordError error = readBars(in);
    if (error == DockRecordError::None)
        error = readEntries(in);
    if (error == DockRecordError::None)
        error = readFrames(in, frameCount);
    if (error != DockRecordError::None) {
        *this = DockLayoutRecord{};
        in.skip(in.remaining() + 1);
    }
    return error;
}

DockRecordError DockLayoutRecord::readBars(ByteReader& in)
{
    for (std::vector<DockRecordBar>& bars : sides) {
        std::uint32_t count = 0;
        if (const DockRecordError e = readCount(in, kMaxBarsPerSide, kThicknessBytes, DockRecordError::TooManyBars, count);
            e != DockRecordError::None)
            return e;
        bars.resize(count);
        for (DockRecordBar& bar : bars)
            bar.thickness = in.i32le();
    }
    return in.ok() ? DockRecordError::None : DockRecordError::Truncated;
}

DockRecordError DockLayoutRecord::readEntries(ByteReader& in)
{
    for (std::vector<DockRecordBar>& bars : sides) {
        for (DockRecordBar& bar : bars) {
            std::uint32_t count = 0;
            if (const DockRecordError e =
                    readCount(in, kMaxEntriesPerBar, kEntryBytes, DockRecordError::TooManyEntries, count);
                e != DockRecordError::None)
                return e;
            bar.frames.resize(count);
            bar.extents.resize(count);
            for (std::int32_t& frame : bar.frames)
                frame = in.i32le();
            for (std::int32_t& extent : bar.extents)
                extent = in.i32le();
        }
    }
    return in.ok() ? DockRecordError::None : DockRecordError::Truncated;
}

DockRecordError DockLayoutRecord::readFrames(ByteReader& in, std::size_t frameCount)
{
    if (frameCount > in.remaining() / kFrameBytes)
        return DockRecordError::Truncated;
    frames.resize(frameCount);
    for (DockRecordFrame& frame : frames) {
        frame.docked = in.u8() != 0;
        frame.visible = in.u8() != 0;
        frame.dockedWidth = in.i32le();
        frame.dockedHeight = in.i32le();
        frame.floating.left = in.i32le();
        frame.floating.top = in.i32le();
        frame.floating.right = in.i32le();
        frame.floating.bottom = in.i32le();
    }
    return in.ok() ? DockRecordError::None : DockRecordError::Truncated;
}

void DockLayoutRecord::bound(std::span<const DockFrameDefaults> defaults, const DockScreen& screen)
{
    const std::size_t count = defaults.size();
    for (std::size_t i = frames.size(); i < count; ++i)
        frames.push_back(creationFrame(defaults[i]));
    frames.resize(count);
    const int screenWidth = std::max(1, screen.bounds.width());
    const int screenHeight = std::max(1, screen.bounds.height());

    std::vector<bool> placed(count, false);
    for (const DockSide side : kDockSides) {
        const int across = isHorizontal(side) ? screenHeight : screenWidth;
        const int along = isHorizontal(side) ? screenWidth : screenHeight;
        std::vector<DockRecordBar> kept;
        for (const DockRecordBar& bar : sides[sideIndex(side)]) {
            DockRecordBar bounded;
            bounded.thickness = clampTo(bar.thickness, DockBarModel::kSplitterWidth,
                                        std::max(across, DockBarModel::kSplitterWidth));
            const std::size_t entries = std::min(bar.frames.size(), bar.extents.size());
            for (std::size_t k = 0; k < entries; ++k) {
                const std::int32_t frame = bar.frames[k];
                if (frame < 0 || static_cast<std::size_t>(frame) >= count || placed[static_cast<std::size_t>(frame)])
                    continue;
                placed[static_cast<std::size_t>(frame)] = true;
                bounded.frames.push_back(frame);
                bounded.extents.push_back(clampTo(bar.extents[k], 0, along));
            }
            if (!bounded.frames.empty())
                kept.push_back(std::move(bounded));
        }
        sides[sideIndex(side)] = std::move(kept);
    }

    for (std::size_t i = 0; i < count; ++i) {
        DockRecordFrame& frame = frames[i];
        if (frame.docked && !placed[i])
            frame = creationFrame(defaults[i]);
        frame.dockedWidth = clampTo(frame.dockedWidth, 0, screenWidth);
        frame.dockedHeight = clampTo(frame.dockedHeight, 0, screenHeight);
        frame.floating = boundFloating(frame.floating, screen);
        if (!defaults[i].hideable)
            frame.visible = true;
    }
}

} // namespace tessaly
