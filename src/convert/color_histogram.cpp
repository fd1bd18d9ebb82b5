#include "convert/color_histogram.h"

#include <algorithm>
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

void ColorHistogram::addAll(std::span<const ColorValue> colors)
{
    // Room for every colour being new, within reason, so that the table does
    // not grow again and again while a photo is counted.
    constexpr std::size_t kMostReserved = std::size_t{1} << 22;
    reserve(m_entries.size() + std::min(colors.size(), kMostReserved));
    // Large pictures have more colours than the caches hold: ask for the slot
    // of a colour a little ahead while this one is counted.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (i + kAhead < colors.size())
            __builtin_prefetch(&m_slots[hashOf(colors[i + kAhead]) & (m_slots.size() - 1)]);
        add(colors[i]);
    }
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

// Fibonacci hashing spreads the nearby colours of smooth pictures.
std::size_t ColorHistogram::hashOf(ColorValue color)
{
    return static_cast<std::size_t>((static_cast<std::uint64_t>(color) * 0x9E3779B97F4A7C15ull) >> 32);
}

// The slot holding the colour, or the empty slot where it belongs.
std::size_t ColorHistogram::slotOf(ColorValue color) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hashOf(color) & mask;
    while (m_slots[at].entry != kEmpty && m_slots[at].color != color)
        at = (at + 1) & mask;
    return at;
}

// Doubles the table (or makes the first one).
void ColorHistogram::grow()
{
    reserve(std::max<std::size_t>(m_slots.size(), 512));
}

// At least twice as many slots as colours, a power of two.
void ColorHistogram::reserve(std::size_t colors)
{
    std::size_t size = m_slots.empty() ? 1024 : m_slots.size();
    while (size < 2 * colors)
        size *= 2;
    if (size == m_slots.size())
        return;
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(size, Slot{});
    for (const Slot& slot : old) {
        if (slot.entry != kEmpty)
            m_slots[slotOf(slot.color)] = slot;
    }
}

} // namespace tessaly
