#pragma once

#include <windows.h>

#include <cstdint>

namespace tessaly {

// The size block of the icon creation and duplication dialogs: preset radios
// that fill the width and height boxes, and boxes whose every change keeps
// OK's state and the matching preset up to date.
class IconSizeBlock {
public:
    // Called from WM_INITDIALOG; shows the size in the boxes (which checks
    // its preset and sets OK).
    void attach(HWND dialog, std::uint32_t width, std::uint32_t height);
    // Preset clicks and box changes; false for every other command.
    bool handleCommand(WORD id, WORD code);

    std::uint32_t width() const;
    std::uint32_t height() const;
    // On OK: true when the size may be used. Otherwise the user is told the
    // bound and the box at fault gets the focus.
    bool confirm() const;

private:
    void boxChanged();

    HWND m_dialog = nullptr;
};

} // namespace tessaly
