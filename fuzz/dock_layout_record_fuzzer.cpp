// Feeds arbitrary bytes to the dock layout record as the host reads it for
// the editor's five frames: a record that reads writes back to the same
// record, a damaged one is refused with the reader failed, and whatever was
// read, once bounded, can be applied without leaving a frame out of reach.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "support/dock_record_checks.h"
#include "ui/dock/dock_layout_record.h"

using namespace tessaly;

namespace {

const std::vector<DockFrameDefaults> kFrames = test::editorFrameDefaults();

DockScreen twoMonitors()
{
    DockScreen s;
    s.bounds = {-1280, 0, 1920, 1200};
    s.workAreas = {{-1280, 0, 0, 1024}, {0, 0, 1920, 1160}};
    s.captionHeight = 21;
    s.minimumWidth = 112;
    s.minimumHeight = 27;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(std::span<const std::uint8_t>(data, size));
    DockLayoutRecord record;
    if (record.read(in, kFrames.size()) != DockRecordError::None) {
        if (in.ok() || record != DockLayoutRecord{})
            __builtin_trap();
        record = DockLayoutRecord::creationLayout(kFrames);
    } else {
        ByteWriter out;
        record.write(out);
        ByteReader again(out.data());
        DockLayoutRecord reread;
        if (reread.read(again, kFrames.size()) != DockRecordError::None || reread != record || again.remaining())
            __builtin_trap();
    }
    const DockScreen screen = twoMonitors();
    record.bound(kFrames, screen);
    if (!test::unusableReason(record, kFrames, screen).empty())
        __builtin_trap();
    return 0;
}
