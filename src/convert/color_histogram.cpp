#include "convert/color_histogram.h"

#include <utility>

namespace tessaly {

void ColorHistogram::add(ColorValue color)
{
    ++m_total;
    if (m_lastEntry != kEmpty && m_entries[m_lastEntry].color == color) {
        ++m_entries[m_lastEntry].count;
        return;
    }
    // Keep the table at most half full so probe runs stay short.
    if (2 * (m_entries.size() + 1) > m_slots.size())
        grow();
    Slot& slot = m_slots[slotOf(color)];
    if (slot.entry == kEmpty) {
        slot.color = color;
        slot.entry = static_cast<std::uint32_t>(m_entries.size());
        m_entries.push_back({color, 0});
    }
    m_lastEntry = slot.entry;
    ++m_entries[slot.entry].count;
}

std::vector<ColorHistogram::Entry> ColorHistogram::takeEntries()
{
    std::vector<Entry> entries = std::move(m_entries);
    m_entries.clear();
    m_slots.clear();
    m_total = 0;
    m_lastEntry = kEmpty;
    return entries;
}

// The slot holding the colour, or the empty slot where it belongs.
std::size_t ColorHistogram::slotOf(ColorValue color) const
{
    const std::size_t mask = m_slots.size() - 1;
    // Fibonacci hashing spreads the nearby colours of smooth pictures.
    std::size_t at = static_cast<std::size_t>((static_cast<std::uint64_t>(color) * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    while (m_slots[at].entry != kEmpty && m_slots[at].color != color)
        at = (at + 1) & mask;
    return at;
}

void ColorHistogram::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 1024 : 2 * old.size(), Slot{});
    for (const Slot& slot : old) {
        if (slot.entry != kEmpty)
            m_slots[slotOf(slot.color)] = slot;
    }
}

} // namespace tessaly
