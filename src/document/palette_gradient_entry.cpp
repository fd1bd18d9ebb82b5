#include "document/palette_gradient_entry.h"

#include <new>

namespace tessaly {

PaletteGradientEntry::PaletteGradientEntry(Palette& palette)
    : m_palette(palette)
{
}

bool PaletteGradientEntry::apply(std::int32_t first, std::int32_t last)
{
    if (first < 0 || first >= last || last >= m_palette.length())
        return false;
    try {
        m_oldColours.assign(static_cast<std::size_t>(last - first + 1), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_palette.copyRange(first, m_oldColours);
    m_first = first;
    m_last = last;
    redo();
    return true;
}

void PaletteGradientEntry::redo()
{
    if (m_first < m_last)
        m_palette.gradient(m_first, m_last);
}

void PaletteGradientEntry::undo()
{
    m_palette.pasteRange(m_first, m_oldColours);
}

} // namespace tessaly
