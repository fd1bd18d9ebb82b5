#include "palette/palette_length_dialog_win32.h"

#include <string>

#include "palette/dialog_controls_win32.h"
#include "palette/palette_length_rules.h"
#include "resources/palette_dialog_ids.h"

namespace tessaly {

bool PaletteLengthDialog::ask(const Window* owner, std::int32_t& length)
{
    m_length = length;
    if (runModal(IDD_PALETTE_LENGTH, owner) != IDOK)
        return false;
    length = m_length;
    return true;
}

INT_PTR PaletteLengthDialog::handleDialogMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        start();
        // The focus has been placed: the system must not move it.
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            confirm();
            return TRUE;
        case IDCANCEL:
            endModal(IDCANCEL);
            return TRUE;
        case IDC_PALETTE_LENGTH:
            if (HIWORD(wParam) != EN_CHANGE)
                return FALSE;
            enableControl(handle(), IDOK, PaletteLengthRules::canConfirm(controlNumber(handle(), IDC_PALETTE_LENGTH)));
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void PaletteLengthDialog::start()
{
    const std::uint32_t length = m_length > 0 ? static_cast<std::uint32_t>(m_length) : 0;
    setControlNumber(handle(), IDC_PALETTE_LENGTH, length);
    enableControl(handle(), IDOK, PaletteLengthRules::canConfirm(length));
    const HWND box = GetDlgItem(handle(), IDC_PALETTE_LENGTH);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

void PaletteLengthDialog::confirm()
{
    const std::uint32_t length = controlNumber(handle(), IDC_PALETTE_LENGTH);
    if (!PaletteLengthRules::canConfirm(length))
        return;
    if (!PaletteLengthRules::withinBounds(length)) {
        refuseValue(handle(), IDC_PALETTE_LENGTH,
                    L"パレットの長さは 1 から " + std::to_wstring(PaletteLengthRules::kMaxLength) +
                        L" までにしてください。");
        return;
    }
    m_length = static_cast<std::int32_t>(length);
    endModal(IDOK);
}

} // namespace tessaly
