#include "ui/dialog_win32.h"

#include "ui/module_instance_win32.h"

namespace tessaly {

INT_PTR Dialog::runModal(int templateId, const Window* owner)
{
    if (handle())
        return -1;
    return DialogBoxParamW(moduleInstance(), MAKEINTRESOURCEW(templateId), owner ? owner->handle() : nullptr,
                           &Dialog::dialogProcedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::endModal(INT_PTR code)
{
    return EndDialog(handle(), code) != FALSE;
}

INT_PTR CALLBACK Dialog::dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!object) {
        if (message != WM_INITDIALOG)
            return FALSE;
        object = reinterpret_cast<Dialog*>(lParam);
        object->m_handle = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
    }
    const INT_PTR result = object->handleDialogMessage(message, wParam, lParam);
    // The slot keeps pointing to the object: it outlives the dialog, which
    // runModal does not return from before the window is gone.
    if (message == WM_DESTROY)
        object->m_handle = nullptr;
    return result;
}

} // namespace tessaly
