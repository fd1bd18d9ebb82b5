#include "palette/color_mode_radios_win32.h"

#include <array>
#include <utility>

#include "palette/dialog_controls_win32.h"
#include "resources/palette_dialog_ids.h"

namespace tessaly {

namespace {

constexpr std::array<std::pair<int, ColorMode>, 5> kRadios{{
    {IDC_MODE_MONOCHROME, ColorMode::Monochrome},
    {IDC_MODE_16, ColorMode::Color16},
    {IDC_MODE_256, ColorMode::Color256},
    {IDC_MODE_FULL, ColorMode::FullColor},
    {IDC_MODE_ALPHA, ColorMode::SemiTransparent},
}};

} // namespace

void ColorModeRadios::check(HWND dialog, ColorMode mode)
{
    for (const auto& [id, radioMode] : kRadios)
        if (radioMode == mode)
            CheckRadioButton(dialog, IDC_MODE_MONOCHROME, IDC_MODE_ALPHA, id);
}

ColorMode ColorModeRadios::checked(HWND dialog)
{
    for (const auto& [id, mode] : kRadios)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return mode;
    return ColorMode::Color256;
}

void ColorModeRadios::enable(HWND dialog, bool enabled)
{
    for (const auto& radio : kRadios)
        enableControl(dialog, radio.first, enabled);
}

} // namespace tessaly
