#include "palette/dialog_controls_win32.h"

#include "palette/dialog_number.h"

namespace tessaly {

std::wstring controlText(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::uint32_t controlNumber(HWND dialog, int id)
{
    return readDialogNumber(controlText(dialog, id));
}

void setControlNumber(HWND dialog, int id, std::uint32_t value)
{
    SetDlgItemInt(dialog, id, value, FALSE);
}

void enableControl(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void refuseValue(HWND dialog, int id, const std::wstring& message)
{
    // The message box carries the dialog's own title, so it reads as part of it.
    wchar_t title[128] = {};
    GetWindowTextW(dialog, title, 128);
    MessageBoxW(dialog, message.c_str(), title, MB_OK | MB_ICONWARNING);
    const HWND box = GetDlgItem(dialog, id);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

} // namespace tessaly
