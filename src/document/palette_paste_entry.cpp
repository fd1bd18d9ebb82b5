#include "document/palette_paste_entry.h"

#include <algorithm>
#include <new>

namespace tessaly {

PalettePasteEntry::PalettePasteEntry(Palette& palette)
    : m_palette(palette)
{
}

bool PalettePasteEntry::apply(std::span<const ColorValue> colours, std::int32_t start)
{
    if (colours.empty() || start < 0 || start >= m_palette.length())
        return false;
    const auto fits = static_cast<std::size_t>(m_palette.length() - start);
    const std::size_t n = std::min(colours.size(), fits);
    try {
        m_oldColours.assign(n, 0);
        m_newColours.assign(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(n));
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_palette.copyRange(start, m_oldColours);
    m_start = start;
    redo();
    return true;
}

void PalettePasteEntry::redo()
{
    m_palette.pasteRange(m_start, m_newColours);
}

void PalettePasteEntry::undo()
{
    m_palette.pasteRange(m_start, m_oldColours);
}

} // namespace tessaly
