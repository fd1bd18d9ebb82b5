#include "palette/palette_menu.h"

#include <memory>

#include "document/palette_gradient_entry.h"
#include "document/palette_paste_entry.h"

namespace tessaly {

PaletteMenu::PaletteMenu(Palette& palette, std::vector<ColorValue>& clipboard, UndoHistory& history)
    : m_palette(palette)
    , m_clipboard(clipboard)
    , m_history(history)
{
}

void PaletteMenu::prepare(bool range, std::int32_t start, std::int32_t end)
{
    m_start = start;
    m_end = end;
    for (Item& item : m_items) {
        switch (item.id) {
        case kCopy:
            item.enabled = true;
            break;
        case kGradient:
            item.enabled = range && start < end;
            break;
        case kPaste:
            item.enabled = !range && !m_clipboard.empty();
            break;
        }
    }
}

bool PaletteMenu::isEnabled(Command id) const
{
    for (const Item& item : m_items) {
        if (item.id == id)
            return item.enabled;
    }
    return false;
}

void PaletteMenu::execute(std::uint32_t id)
{
    if (!cellsInside())
        return;
    switch (id) {
    case kCopy:
        copy();
        break;
    case kPaste:
        paste();
        break;
    case kGradient:
        gradient();
        break;
    default:
        break;
    }
}

bool PaletteMenu::cellsInside() const
{
    return m_start >= 0 && m_start <= m_end && m_end < m_palette.length();
}

void PaletteMenu::copy()
{
    m_clipboard.assign(static_cast<std::size_t>(m_end - m_start + 1), 0);
    m_palette.copyRange(m_start, m_clipboard);
}

void PaletteMenu::paste()
{
    if (m_clipboard.empty())
        return;
    auto step = std::make_unique<PalettePasteEntry>(m_palette);
    if (step->apply(m_clipboard, m_start) && m_palette.isLinked())
        m_history.push(std::move(step));
}

void PaletteMenu::gradient()
{
    auto step = std::make_unique<PaletteGradientEntry>(m_palette);
    if (step->apply(m_start, m_end) && m_palette.isLinked())
        m_history.push(std::move(step));
}

} // namespace tessaly
