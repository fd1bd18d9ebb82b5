#include "document/palette_color_entry.h"

namespace tessaly {

PaletteColorEntry::PaletteColorEntry(Palette& palette)
    : m_palette(palette)
{
}

bool PaletteColorEntry::begin(std::int32_t index)
{
    if (index < 0 || index >= m_palette.length())
        return false;
    m_index = index;
    m_oldColour = m_palette.entry(index);
    m_newColour = m_oldColour;
    return true;
}

void PaletteColorEntry::set(ColorValue colour)
{
    if (!isBegun())
        return;
    m_palette.setEntry(m_index, colour);
    m_newColour = colour;
}

void PaletteColorEntry::redo()
{
    if (isBegun())
        m_palette.setEntry(m_index, m_newColour);
}

void PaletteColorEntry::undo()
{
    if (isBegun())
        m_palette.setEntry(m_index, m_oldColour);
}

} // namespace tessaly
