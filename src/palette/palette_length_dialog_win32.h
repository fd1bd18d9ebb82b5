#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/dialog_win32.h"

namespace tessaly {

// "パレット作成": asks for the length of a new palette, starting from the
// length the caller passes in.
class PaletteLengthDialog final : public Dialog {
public:
    // True on OK with the length written into the variable; false (Cancel,
    // Escape, the close box, or no dialog) leaves it untouched.
    bool ask(const Window* owner, std::int32_t& length);

protected:
    INT_PTR handleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void start();
    void confirm();

    std::int32_t m_length = 0;
};

} // namespace tessaly
