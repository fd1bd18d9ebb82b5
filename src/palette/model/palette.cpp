#include "palette/model/palette.h"

#include <algorithm>
#include <limits>
#include <new>

#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "image/file_bytes.h"

namespace tessaly {

namespace {

constexpr std::size_t kEntryBytes = 4;

std::int32_t squaredDistance(ColorValue a, ColorValue b)
{
    const std::int32_t dr = redOf(a) - redOf(b);
    const std::int32_t dg = greenOf(a) - greenOf(b);
    const std::int32_t db = blueOf(a) - blueOf(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

bool Palette::loadFile(const std::filesystem::path& path)
{
    const auto bytes = readFileBytes(path, kMaxFileBytes);
    return bytes && loadBytes(*bytes);
}

bool Palette::loadBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return false;
    const auto fileEntries = static_cast<std::int32_t>(bytes.size() / kEntryBytes);
    ByteReader in(bytes);
    if (m_linked) {
        // The image's colour table keeps its length: the file only recolours
        // the entries both have.
        const std::int32_t k = std::min(fileEntries, length());
        for (std::int32_t i = 0; i < k; ++i)
            m_entries.get(i) = in.u32le();
    } else {
        PointerArray<ColorValue> entries(16);
        if (!entries.setSize(fileEntries))
            return false;
        for (ColorValue& entry : entries)
            entry = in.u32le();
        m_entries = std::move(entries);
    }
    if (!in.ok())
        return false; // cannot happen: every read lies inside the whole entries
    emptyNearestCache();
    notifyReplaced(true);
    if (m_observers.paletteWindow)
        m_observers.paletteWindow->selectIndex(length() > 0 ? 0 : -1);
    return true;
}

bool Palette::saveFile(const std::filesystem::path& path) const
{
    if (length() == 0)
        return false;
    ByteWriter out;
    out.reserve(static_cast<std::size_t>(length()) * kEntryBytes);
    for (const ColorValue entry : m_entries)
        out.u32le(entry);
    return writeFileReplacing(path, out.data());
}

bool Palette::takeFromIcon(const IconImage& icon)
{
    if (!icon.hasPalette())
        return false;
    PointerArray<ColorValue> entries(16);
    if (!entries.setSize(icon.colorCount()))
        return false;
    for (std::int32_t i = 0; i < icon.colorCount(); ++i)
        entries.get(i) = icon.getPaletteColor(i);
    m_entries = std::move(entries);
    m_linked = true;
    emptyNearestCache();
    notifyReplaced(true);
    return true;
}

bool Palette::writeToIcon(IconImage& icon) const
{
    if (!icon.hasPalette())
        return false;
    // Linked, the lengths are equal; a longer palette must not write past the
    // image's colour table.
    const std::int32_t n = std::min(length(), icon.colorCount());
    for (std::int32_t i = 0; i < n; ++i)
        icon.setPaletteColor(i, m_entries.get(i));
    return true;
}

void Palette::replace(std::span<const ColorValue> colours)
{
    // Built aside first: colours may be a view of the current entries.
    const auto n = static_cast<std::int32_t>(std::min<std::size_t>(colours.size(), INT32_MAX));
    PointerArray<ColorValue> entries(16);
    if (entries.setSize(n))
        std::copy_n(colours.begin(), n, entries.begin());
    m_entries = std::move(entries);
    m_linked = false;
    // Every entry may have changed, so a cached nearest index may be wrong.
    emptyNearestCache();
    notifyReplaced(false);
}

bool Palette::copyTo(std::vector<ColorValue>& colours) const
{
    try {
        colours.assign(m_entries.begin(), m_entries.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void Palette::setEntry(std::int32_t index, ColorValue colour)
{
    if (!validIndex(index))
        return;
    m_entries.get(index) = colour;
    emptyNearestCache();
    notifyRange(index, index);
}

void Palette::copyRange(std::int32_t start, std::span<ColorValue> colours) const
{
    for (std::size_t k = 0; k < colours.size(); ++k) {
        const std::int64_t i = static_cast<std::int64_t>(start) + static_cast<std::int64_t>(k);
        if (i >= 0 && i < length())
            colours[k] = m_entries.get(static_cast<std::int32_t>(i));
    }
}

void Palette::pasteRange(std::int32_t start, std::span<const ColorValue> colours)
{
    if (!validIndex(start) || colours.empty())
        return;
    const auto last = static_cast<std::int32_t>(std::min<std::int64_t>(
        static_cast<std::int64_t>(start) + static_cast<std::int64_t>(colours.size()) - 1, length() - 1));
    for (std::int32_t i = start; i <= last; ++i)
        m_entries.get(i) = colours[static_cast<std::size_t>(i - start)];
    emptyNearestCache();
    notifyRange(start, last);
}

void Palette::gradient(std::int32_t start, std::int32_t end)
{
    if (!validIndex(start) || !validIndex(end) || start >= end)
        return;
    const ColorValue from = m_entries.get(start);
    const ColorValue to = m_entries.get(end);
    const std::int32_t span = end - start;
    // C++ integer division truncates toward zero, as the ramp requires.
    const auto channel = [&](std::uint8_t a, std::uint8_t b, std::int32_t i) {
        return static_cast<std::uint8_t>(a + (b - a) * (i - start) / span);
    };
    for (std::int32_t i = start; i <= end; ++i) {
        m_entries.get(i) = makeColor(channel(redOf(from), redOf(to), i), channel(greenOf(from), greenOf(to), i),
                                     channel(blueOf(from), blueOf(to), i));
    }
    emptyNearestCache();
    notifyRange(start, end);
}

std::int32_t Palette::nearestIndex(ColorValue colour)
{
    if (m_cachedIndex >= 0 && colour == m_cachedColour)
        return m_cachedIndex;
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    std::int32_t result = -1;
    for (std::int32_t i = 0; i < length(); ++i) {
        const std::int32_t d = squaredDistance(colour, m_entries.get(i));
        if (d < best) {
            result = i;
            if (d == 0)
                break;
            best = d;
        }
    }
    m_cachedIndex = result;
    m_cachedColour = result >= 0 ? colour : 0;
    return result;
}

void Palette::emptyNearestCache()
{
    m_cachedIndex = -1;
    m_cachedColour = 0;
}

void Palette::notifyReplaced(bool redrawImage)
{
    if (m_observers.colorWindow)
        m_observers.colorWindow->entriesReplaced();
    if (m_observers.paletteWindow)
        m_observers.paletteWindow->relayoutAndReset();
    if (redrawImage) {
        if (m_observers.canvas)
            m_observers.canvas->redrawAll();
        if (m_observers.preview)
            m_observers.preview->redrawAll();
    }
    if (m_observers.colorWindow)
        m_observers.colorWindow->refresh();
}

void Palette::notifyRange(std::int32_t first, std::int32_t last)
{
    if (m_observers.paletteWindow)
        m_observers.paletteWindow->repaintCells(first, last);
    if (!m_linked)
        return;
    if (m_observers.canvas)
        m_observers.canvas->repaintIndexRange(first, last);
    if (m_observers.preview)
        m_observers.preview->repaintIndexRange(first, last);
    if (m_observers.colorWindow)
        m_observers.colorWindow->refresh();
}

} // namespace tessaly
