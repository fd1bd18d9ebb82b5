#include "app/settings_record.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "image/file_bytes.h"
#include "ui/dock/dock_frame_geometry.h"

namespace tessaly {

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

int clampTo(std::int64_t value, std::int64_t low, std::int64_t high)
{
    // An empty range yields its low end.
    return static_cast<int>(std::max(low, std::min(value, high)));
}

// Minimise and hide commands would start the editor without a window the
// user can see; an unknown command is no better.
bool leavesWindowHidden(std::uint32_t showCommand)
{
    switch (showCommand) {
    case 0:  // hide
    case 2:  // show minimised
    case 6:  // minimise
    case 7:  // show minimised, not activated
    case 11: // force minimise
        return true;
    default:
        return showCommand > WindowPlacementRecord::kLastShowCommand;
    }
}

bool readPlacement(ByteReader& in, WindowPlacementRecord& p)
{
    if (in.remaining() < WindowPlacementRecord::kLength)
        return false;
    p.length = in.u32le();
    p.flags = in.u32le();
    p.showCommand = in.u32le();
    p.minimised = {in.i32le(), in.i32le()};
    p.maximised = {in.i32le(), in.i32le()};
    p.normal.left = in.i32le();
    p.normal.top = in.i32le();
    p.normal.right = in.i32le();
    p.normal.bottom = in.i32le();
    return true;
}

void writePlacement(ByteWriter& out, const WindowPlacementRecord& p)
{
    out.u32le(p.length);
    out.u32le(p.flags);
    out.u32le(p.showCommand);
    out.i32le(p.minimised.x);
    out.i32le(p.minimised.y);
    out.i32le(p.maximised.x);
    out.i32le(p.maximised.y);
    out.i32le(p.normal.left);
    out.i32le(p.normal.top);
    out.i32le(p.normal.right);
    out.i32le(p.normal.bottom);
}

// Each view option is applied only when the file holds it whole; the reader
// stays failed after the first short field, so all later ones keep theirs.
void readU32(ByteReader& in, std::uint32_t& field)
{
    const std::uint32_t value = in.u32le();
    if (in.ok())
        field = value;
}

void readFlag(ByteReader& in, bool& field)
{
    const std::uint8_t value = in.u8();
    if (in.ok())
        field = value != 0;
}

// The smallest rectangle holding every work area, in 64 bits so that areas
// far apart cannot overflow it.
struct Span64 {
    std::int64_t left, top, right, bottom;
};

Span64 unionOf(const std::vector<DockRect>& areas)
{
    Span64 u{areas.front().left, areas.front().top, areas.front().right, areas.front().bottom};
    for (const DockRect& a : areas) {
        u.left = std::min<std::int64_t>(u.left, a.left);
        u.top = std::min<std::int64_t>(u.top, a.top);
        u.right = std::max<std::int64_t>(u.right, a.right);
        u.bottom = std::max<std::int64_t>(u.bottom, a.bottom);
    }
    return u;
}

// Size first (at least the minimum, at most the desktop), then the position
// near enough to the desktop that right and bottom stay representable; the
// caption rule then has sane numbers to move.
DockRect boundNormal(const DockRect& r, const std::vector<DockRect>& areas, int captionHeight, int minimumWidth)
{
    const std::int64_t minWidth = std::max(1, minimumWidth);
    const std::int64_t minHeight = std::max(1, captionHeight);
    const std::int64_t width = static_cast<std::int64_t>(r.right) - r.left;
    const std::int64_t height = static_cast<std::int64_t>(r.bottom) - r.top;
    if (areas.empty()) {
        const int w = clampTo(width, minWidth, kIntMax);
        const int h = clampTo(height, minHeight, kIntMax);
        const int left = clampTo(r.left, kIntMin, kIntMax - w);
        const int top = clampTo(r.top, kIntMin, kIntMax - h);
        return {left, top, left + w, top + h};
    }
    const Span64 u = unionOf(areas);
    const int w = clampTo(width, minWidth, std::max(minWidth, std::min(kIntMax, u.right - u.left)));
    const int h = clampTo(height, minHeight, std::max(minHeight, std::min(kIntMax, u.bottom - u.top)));
    const int left = clampTo(r.left, std::max(kIntMin, u.left - w), std::min(kIntMax - w, u.right));
    const int top = clampTo(r.top, std::max(kIntMin, u.top - h), std::min(kIntMax - h, u.bottom));
    const DockRect sized{left, top, left + w, top + h};
    return dock_frame_geometry::placeCaptionOnWorkArea(sized, captionHeight, areas);
}

} // namespace

bool SettingsRecord::isZoom(std::int32_t value)
{
    switch (value) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 8:
    case 12:
    case 16:
        return true;
    default:
        return false;
    }
}

SettingsRecord SettingsRecord::read(std::span<const std::uint8_t> bytes, std::size_t dockFrameCount)
{
    SettingsRecord r;
    ByteReader in(bytes);
    r.placementRead = readPlacement(in, r.placement);
    if (!r.placementRead)
        return r;
    r.dockLayoutRead = r.dockLayout.read(in, dockFrameCount) == DockRecordError::None;
    if (!r.dockLayoutRead)
        return r;
    std::array<std::uint8_t, kFolderBytes> folder{};
    if (in.read(folder)) // a short read leaves the reader failed
        r.lastFolder = folder;
    readU32(in, r.canvasBackground);
    std::uint32_t zoom = 0;
    readU32(in, zoom);
    if (isZoom(static_cast<std::int32_t>(zoom)))
        r.zoom = static_cast<std::int32_t>(zoom);
    readFlag(in, r.grid);
    readFlag(in, r.paletteShowsWhole);
    readU32(in, r.previewBackground);
    readFlag(in, r.previewAutoZoom);
    readFlag(in, r.applyColorChanges);
    return r;
}

std::vector<std::uint8_t> SettingsRecord::write() const
{
    ByteWriter out;
    writePlacement(out, placement);
    dockLayout.write(out);
    out.bytes(lastFolder);
    out.u32le(canvasBackground);
    out.u32le(static_cast<std::uint32_t>(zoom));
    out.u8(grid ? 1 : 0);
    out.u8(paletteShowsWhole ? 1 : 0);
    out.u32le(previewBackground);
    out.u8(previewAutoZoom ? 1 : 0);
    out.u8(applyColorChanges ? 1 : 0);
    return out.take();
}

std::string_view SettingsRecord::lastFolderText() const
{
    const auto* begin = reinterpret_cast<const char*>(lastFolder.data());
    const void* nul = std::memchr(begin, 0, lastFolder.size());
    if (!nul)
        return {};
    return {begin, static_cast<std::size_t>(static_cast<const char*>(nul) - begin)};
}

bool SettingsRecord::setLastFolder(std::string_view text)
{
    lastFolder.fill(0);
    if (text.size() >= kFolderBytes || text.find('\0') != std::string_view::npos)
        return false;
    std::memcpy(lastFolder.data(), text.data(), text.size());
    return true;
}

void SettingsRecord::boundPlacement(const std::vector<DockRect>& workAreas, int captionHeight, int minimumWidth)
{
    placement.length = WindowPlacementRecord::kLength;
    placement.flags &= WindowPlacementRecord::kKnownFlags;
    if (leavesWindowHidden(placement.showCommand))
        placement.showCommand = WindowPlacementRecord::kShowNormal;
    placement.normal = boundNormal(placement.normal, workAreas, captionHeight, minimumWidth);
}

std::optional<SettingsRecord> readSettingsFile(const std::filesystem::path& path, std::size_t dockFrameCount)
{
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path, SettingsRecord::kMaxFileBytes);
    if (!bytes)
        return std::nullopt;
    return SettingsRecord::read(*bytes, dockFrameCount);
}

bool writeSettingsFile(const std::filesystem::path& path, const SettingsRecord& record)
{
    return writeFileReplacing(path, record.write());
}

} // namespace tessaly
