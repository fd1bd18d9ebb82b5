#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color_value.h"

namespace tessaly {

// The distinct colours of a picture in the order they first appear, each with
// the number of times it was added. Colours are found through an
// open-addressing hash table, so adding costs the same however many colours
// there already are: a photo with a million colours counts as fast as an
// icon with ten.
class ColorHistogram {
public:
    struct Entry {
        ColorValue color = 0;
        std::uint32_t count = 0;
    };

    void add(ColorValue color);
    // The same as adding each colour in turn; faster for whole pictures.
    void addAll(std::span<const ColorValue> colors);

    // In order of first appearance.
    const std::vector<Entry>& entries() const { return m_entries; }
    // Leaves the histogram empty.
    std::vector<Entry> takeEntries();
    // How many colours were added, repeats included.
    std::uint64_t total() const { return m_total; }

private:
    struct Slot {
        ColorValue color = 0;
        std::uint32_t entry = kEmpty; // index into m_entries
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    static std::size_t hashOf(ColorValue color);
    std::size_t slotOf(ColorValue color) const;
    void reserve(std::size_t colors);
    void grow();

    std::vector<Entry> m_entries;
    std::vector<Slot> m_slots;
    std::uint64_t m_total = 0;
    // Neighbouring pixels are often equal: the last colour skips the lookup.
    std::uint32_t m_lastEntry = kEmpty;
};

} // namespace tessaly
