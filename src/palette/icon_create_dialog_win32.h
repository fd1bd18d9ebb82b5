#pragma once

#include <windows.h>

#include <cstdint>

#include "palette/icon_size_block_win32.h"
#include "ui/dialog_win32.h"

namespace tessaly {

// "アイコンの作成": asks for the size and colour mode of a new, empty icon.
// It always starts at 32 x 32 with 256 colours.
class IconCreateDialog final : public Dialog {
public:
    // True on OK with the choice written into the variables; false (Cancel,
    // Escape, the close box, or no dialog) leaves them untouched.
    bool ask(const Window* owner, std::uint32_t& width, std::uint32_t& height, std::int32_t& bitCount);

protected:
    INT_PTR handleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void confirm();

    IconSizeBlock m_size;
    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::int32_t m_bitCount = 0;
};

} // namespace tessaly
