#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessaly {

// Small operations on the controls of a dialog, shared by the icon and
// palette dialogs.

std::wstring controlText(HWND dialog, int id);
// The number in a digits-only box, read as readDialogNumber reads it.
std::uint32_t controlNumber(HWND dialog, int id);
void setControlNumber(HWND dialog, int id, std::uint32_t value);
void enableControl(HWND dialog, int id, bool enabled);
// Tells the user why the value in box `id` cannot be taken, then puts the
// focus into that box with its text selected, ready to be typed over.
void refuseValue(HWND dialog, int id, const std::wstring& message);

} // namespace tessaly
