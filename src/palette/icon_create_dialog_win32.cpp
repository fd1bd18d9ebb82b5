#include "palette/icon_create_dialog_win32.h"

#include "palette/color_mode_radios_win32.h"
#include "resources/palette_dialog_ids.h"

namespace tessaly {

bool IconCreateDialog::ask(const Window* owner, std::uint32_t& width, std::uint32_t& height, std::int32_t& bitCount)
{
    if (runModal(IDD_ICON_CREATE, owner) != IDOK)
        return false;
    width = m_width;
    height = m_height;
    bitCount = m_bitCount;
    return true;
}

INT_PTR IconCreateDialog::handleDialogMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        m_size.attach(handle(), 32, 32);
        ColorModeRadios::check(handle(), ColorMode::Color256);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            confirm();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            endModal(IDCANCEL);
            return TRUE;
        }
        return m_size.handleCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

void IconCreateDialog::confirm()
{
    if (!m_size.confirm())
        return;
    m_width = m_size.width();
    m_height = m_size.height();
    m_bitCount = bitCountOf(ColorModeRadios::checked(handle()));
    endModal(IDOK);
}

} // namespace tessaly
