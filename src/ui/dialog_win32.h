#pragma once

#include <windows.h>

#include "ui/window_win32.h"

namespace tessaly {

// A modal dialog made from a dialog template of this module. The framework's
// dialog procedure binds the object at WM_INITDIALOG, routes every later
// message to handleDialogMessage and unbinds it after WM_DESTROY; messages
// before WM_INITDIALOG (such as WM_SETFONT) are left unhandled.
class Dialog : public Window {
public:
    // Runs the dialog until endModal and returns endModal's code, or -1 when
    // the dialog could not be made.
    INT_PTR runModal(int templateId, const Window* owner);
    bool endModal(INT_PTR code);

protected:
    // Nonzero when the message was handled (the dialog procedure's result).
    virtual INT_PTR handleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace tessaly
