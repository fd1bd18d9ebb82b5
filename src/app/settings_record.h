#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "ui/dock/dock_layout_record.h"
#include "ui/dock/dock_rect.h"

namespace tessaly {

// The main frame's placement as the window system reports it: eleven 32-bit
// fields, the length first. The normal rectangle is in the coordinates the
// window system uses for placements (those of the work area).
struct WindowPlacementRecord {
    static constexpr std::uint32_t kLength = 44;
    // Show commands the window system knows.
    static constexpr std::uint32_t kShowNormal = 1;
    static constexpr std::uint32_t kShowMaximised = 3;
    static constexpr std::uint32_t kLastShowCommand = 11;
    // The flags the window system defines (set minimised position, restore
    // to maximised, asynchronous placement).
    static constexpr std::uint32_t kKnownFlags = 0x7;

    std::uint32_t length = kLength;
    std::uint32_t flags = 0;
    std::uint32_t showCommand = kShowNormal;
    DockPoint minimised;
    DockPoint maximised;
    DockRect normal;

    friend bool operator==(const WindowPlacementRecord&, const WindowPlacementRecord&) = default;
};

// The editor's settings.dat: the main frame's placement, the dock layout,
// the folder the file dialogs last used and the view options, in file order,
// little-endian, without header or version. Every field starts at the value
// the program takes when the file is missing; a field the file does not hold
// whole keeps it.
struct SettingsRecord {
    static constexpr std::size_t kFolderBytes = 260;
    // No settings file of ours comes near this; a larger file is not one.
    static constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

    WindowPlacementRecord placement;
    bool placementRead = false; // else the window system's default position, shown with the start command
    DockLayoutRecord dockLayout;
    bool dockLayoutRead = false; // else the caller puts every frame where it was created
    // System-code-page text, NUL-terminated and zero-padded, as stored.
    std::array<std::uint8_t, kFolderBytes> lastFolder{};
    std::uint32_t canvasBackground = 6;
    std::int32_t zoom = 0; // 0 automatic, else 1, 2, 4, 8, 12 or 16
    bool grid = true;
    bool paletteShowsWhole = false;
    std::uint32_t previewBackground = 3;
    bool previewAutoZoom = false;
    bool applyColorChanges = true;

    // Reads the bytes of a settings file written for a dock host with
    // dockFrameCount frames. A field cut short and all after it keep their
    // defaults, and so do all fields after a damaged dock layout; a zoom the
    // canvas does not offer is automatic; bytes after the last field are
    // ignored.
    static SettingsRecord read(std::span<const std::uint8_t> bytes, std::size_t dockFrameCount);
    std::vector<std::uint8_t> write() const;

    static bool isZoom(std::int32_t value);

    // The last folder up to its NUL; empty when the field holds no NUL, since
    // such a folder was cut and names no folder.
    std::string_view lastFolderText() const;
    // Stores the folder zero-padded. A text that leaves no room for the NUL
    // (or holds one) stores an empty folder and gives false.
    bool setLastFolder(std::string_view text);

    // Makes a placement read from the file safe to apply on these work areas
    // (in placement coordinates, as the window system gives them): never
    // hidden or minimised, a known length and known flags, a normal rectangle
    // at least minimumWidth wide and a caption high, no larger than the
    // desktop, and with its caption on a work area (moved onto the nearest
    // one when it is on none).
    void boundPlacement(const std::vector<DockRect>& workAreas, int captionHeight, int minimumWidth);

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

// The settings file's record; none when the file cannot be read whole (or is
// too large to be a settings file), so that the caller takes the defaults.
std::optional<SettingsRecord> readSettingsFile(const std::filesystem::path& path, std::size_t dockFrameCount);
// Replaces the file only once the new one is written whole; false on failure.
bool writeSettingsFile(const std::filesystem::path& path, const SettingsRecord& record);

} // namespace tessaly
