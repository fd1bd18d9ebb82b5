#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "image/color_value.h"
#include "image/icon_image.h"
#include "image/pointer_array.h"
#include "palette/model/palette_observers.h"

namespace tessaly {

// The one colour table the user sees and edits. Free, it is a colour chooser
// of any length, loaded from and saved to .pal files. Linked, it holds the
// colour table of the edited palette image: pixels are indices into it, so
// every change of an entry recolours the image and the views are told.
//
// Entries are ColorValues 0x00BBGGRR. The palette's own operations write a
// zero top byte; entries read from a file keep it as read. Nothing uses it.
//
// A .pal file is the entries as little-endian 32-bit values, nothing else:
// entry i at byte 4 * i, 1-3 trailing bytes ignored, 0 bytes an empty palette.
class Palette {
public:
    // The largest palette a file may hold. An icon's colour table has at most
    // 256 entries; a free palette is a chooser of 12-pixel cells, and 65536
    // entries (4096 rows of 16) is far past any use as one. The bound keeps
    // what a hostile file can make us allocate at 256 KiB.
    static constexpr std::int32_t kMaxLength = 65536;
    // A file of the largest palette plus the trailing bytes that are ignored.
    static constexpr std::uintmax_t kMaxFileBytes = 4u * kMaxLength + 3u;

    Palette() = default;
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    // The views to tell about changes, set once after they all exist.
    void setObservers(const PaletteObservers& observers) { m_observers = observers; }

    // Reads a .pal file. Free, the palette becomes the file's entries; linked,
    // it keeps its length and only its first entries take the file's. False,
    // changing nothing, when the file cannot be read or exceeds kMaxFileBytes.
    bool loadFile(const std::filesystem::path& path);
    // loadFile on the bytes of a file already read.
    bool loadBytes(std::span<const std::uint8_t> bytes);
    // Writes every entry through a temporary file and a rename, so a failed
    // save leaves an existing file whole. False for an empty palette, which
    // leaves the file untouched.
    bool saveFile(const std::filesystem::path& path) const;

    // Takes the colour table of a palette image and becomes linked to it;
    // false, changing nothing, for an image without a palette.
    bool takeFromIcon(const IconImage& icon);
    // Writes the entries into the image's colour table (as many as both
    // hold); false for an image without a palette.
    bool writeToIcon(IconImage& icon) const;
    // The entries become a copy of colours and the palette is free again.
    // Should memory run out, the palette is left empty.
    void replace(std::span<const ColorValue> colours);
    // colours becomes an exact copy of the entries; false if memory ran out.
    bool copyTo(std::vector<ColorValue>& colours) const;

    // Callers keep 0 <= index < length().
    ColorValue entry(std::int32_t index) const { return m_entries.get(index); }
    // Sets one entry; an index outside the palette does nothing.
    void setEntry(std::int32_t index, ColorValue colour);
    // colours[k] = entry(start + k) for every k that names an entry; the
    // rest of colours is left as it is.
    void copyRange(std::int32_t start, std::span<ColorValue> colours) const;
    // Writes colours from entry start on; what would fall past the last
    // entry is dropped (the palette never grows). A start outside the palette
    // does nothing.
    void pasteRange(std::int32_t start, std::span<const ColorValue> colours);
    // Rewrites entries start..end (start < end, both inside) as an even ramp
    // between the two end colours, per channel with truncating division and
    // a zero top byte. Anything else does nothing.
    void gradient(std::int32_t start, std::int32_t end);
    // The entry with the least squared distance in red, green and blue (the
    // lowest index among equals); -1 for an empty palette.
    std::int32_t nearestIndex(ColorValue colour);

    std::int32_t length() const { return m_entries.count(); }
    bool isLinked() const { return m_linked; }
    bool applyColorChanges() const { return m_applyColorChanges; }
    void setApplyColorChanges(bool apply) { m_applyColorChanges = apply; }

private:
    bool validIndex(std::int32_t index) const { return index >= 0 && index < length(); }
    void emptyNearestCache();
    void notifyReplaced(bool redrawImage);
    void notifyRange(std::int32_t first, std::int32_t last);

    PointerArray<ColorValue> m_entries{16};
    bool m_applyColorChanges = true;
    bool m_linked = false;
    std::int32_t m_cachedIndex = -1;
    ColorValue m_cachedColour = 0;
    PaletteObservers m_observers;
};

} // namespace tessaly
