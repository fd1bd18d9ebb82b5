#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/undo_history.h"
#include "image/color_value.h"
#include "palette/model/palette.h"

namespace tessaly {

// The palette window's context menu without its native menu: the items in
// order, their states for the cells the right button marked, and what each
// does. Paste and gradient become undo steps only while the palette is
// linked to the edited image; on a free palette they simply happen.
class PaletteMenu {
public:
    enum Command : std::uint32_t {
        kCopy = 5001,
        kPaste = 5002,
        kGradient = 5003,
    };

    struct Item {
        Command id;
        std::u16string_view text;
        bool enabled;
    };

    // The items in the order the menu shows them, all disabled.
    static constexpr std::array<Item, 3> kLayout{{{kCopy, u"コピー", false},
                                                  {kGradient, u"グラデーション（始点→終点）", false},
                                                  {kPaste, u"この位置に貼り付け（上書き）", false}}};

    PaletteMenu(Palette& palette, std::vector<ColorValue>& clipboard, UndoHistory& history);
    PaletteMenu(const PaletteMenu&) = delete;
    PaletteMenu& operator=(const PaletteMenu&) = delete;

    // Remembers the cells start..end (start <= end) and sets the states:
    // copy always; with a range the gradient when it spans two entries or
    // more; a single entry is a paste position once something was copied.
    void prepare(bool range, std::int32_t start, std::int32_t end);
    // Runs a command on the cells of the last prepare; an unknown id, or
    // cells no longer inside the palette, do nothing.
    void execute(std::uint32_t id);

    const std::array<Item, 3>& items() const { return m_items; }
    bool isEnabled(Command id) const;
    std::int32_t start() const { return m_start; }
    std::int32_t end() const { return m_end; }

private:
    bool cellsInside() const;
    void copy();
    void paste();
    void gradient();

    Palette& m_palette;
    std::vector<ColorValue>& m_clipboard;
    UndoHistory& m_history;
    std::int32_t m_start = 0;
    std::int32_t m_end = -1;
    std::array<Item, 3> m_items = kLayout;
};

} // namespace tessaly
