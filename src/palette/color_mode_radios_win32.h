#pragma once

#include <windows.h>

#include "image/color_mode.h"

namespace tessaly {

// The five colour-mode radios of the icon creation and duplication dialogs
// ("モノクロ" to "半透明"), one per ColorMode.
class ColorModeRadios {
public:
    static void check(HWND dialog, ColorMode mode);
    // The mode whose radio is checked; 256 colours when, against the
    // template's grouping, none is.
    static ColorMode checked(HWND dialog);
    static void enable(HWND dialog, bool enabled);
};

} // namespace tessaly
