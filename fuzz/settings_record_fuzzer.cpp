// Feeds arbitrary bytes to the settings file reader as the editor reads it,
// for a dock host of five frames: whatever is read writes back to bytes that
// read to the same record, and the placement, once bounded, shows a window
// of sane size whose caption the user can take hold of.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "app/settings_record.h"
#include "support/dock_record_checks.h"
#include "ui/dock/dock_frame_geometry.h"

using namespace tessaly;

namespace {

const std::vector<DockFrameDefaults> kFrames = test::editorFrameDefaults();
const std::vector<DockRect> kWorkAreas = {{-1280, 0, 0, 1024}, {0, 0, 1920, 1160}};
constexpr int kCaption = 23;
constexpr int kMinimumWidth = 112;

bool captionReachable(const DockRect& w)
{
    const int needed = std::min(dock_frame_geometry::kMinCaptionShown, w.width());
    return std::any_of(kWorkAreas.begin(), kWorkAreas.end(), [&](const DockRect& a) {
        const long long shown = static_cast<long long>(std::min(w.right, a.right)) - std::max(w.left, a.left);
        return w.top >= a.top && w.top + kCaption <= a.bottom && shown >= needed;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SettingsRecord record = SettingsRecord::read(std::span<const std::uint8_t>(data, size), kFrames.size());
    if (!SettingsRecord::isZoom(record.zoom) || (!record.dockLayoutRead && record.dockLayout != DockLayoutRecord{}))
        __builtin_trap();

    // As the editor does at exit: the host's layout is always whole.
    if (!record.dockLayoutRead)
        record.dockLayout = DockLayoutRecord::creationLayout(kFrames);
    record.placementRead = record.dockLayoutRead = true;
    const std::vector<std::uint8_t> written = record.write();
    const SettingsRecord reread = SettingsRecord::read(written, kFrames.size());
    if (reread != record || reread.write() != written)
        __builtin_trap();

    record.boundPlacement(kWorkAreas, kCaption, kMinimumWidth);
    const WindowPlacementRecord& p = record.placement;
    const std::uint32_t show = p.showCommand;
    if (p.length != 44 || show == 0 || show == 2 || show == 6 || show == 7 || show >= 11)
        __builtin_trap();
    if (p.normal.width() < kMinimumWidth || p.normal.height() < kCaption || p.normal.width() > 3200 ||
        p.normal.height() > 1160 || !captionReachable(p.normal))
        __builtin_trap();
    SettingsRecord again = record;
    again.boundPlacement(kWorkAreas, kCaption, kMinimumWidth);
    if (again != record)
        __builtin_trap();
    return 0;
}
