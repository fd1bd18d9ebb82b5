#pragma once

#include <windows.h>

#include "editing/model/cell_grid.h"

namespace tessaly {

// Moves pictures between the editor and the system clipboard. Copy puts a
// grid of colours there as a 32-bit bottom-up CF_DIB (and, so that alpha
// survives into programs that read it, as "PNG"); the other direction reads
// whatever bitmap another program put there into a grid.
//
// The window that hears of clipboard changes joins the clipboard viewer
// chain through this object, which keeps the chain in step: it passes every
// notification on to the next viewer and mends the chain when a viewer
// leaves. Our own copy also changes the clipboard; while it is written,
// `isListening` is false, so that the change is not read back.
class ClipboardLink {
public:
    ClipboardLink();
    ClipboardLink(const ClipboardLink&) = delete;
    ClipboardLink& operator=(const ClipboardLink&) = delete;
    ~ClipboardLink();

    // False, the clipboard untouched, for an empty grid or when memory runs
    // out; otherwise the result of closing the clipboard.
    bool copyToClipboard(const CellGrid& grid);
    bool clipboardHasDib() const;
    // Fills grid from the clipboard's bitmap (opaque cells, mask 0); an
    // unreadable or absent bitmap leaves it empty. Does nothing while our own
    // copy is being written.
    void readClipboard(CellGrid& grid);

    bool isListening() const { return m_listening; }
    // The window that opens the clipboard when writing; none when it is gone.
    void setOwner(HWND owner) { m_owner = owner; }

    // Joins the viewer chain with window (the main window at its creation);
    // false when it is already in it.
    bool joinViewerChain(HWND window);
    // Leaves the chain (at the window's destruction); nothing when not in it.
    void leaveViewerChain();
    // WM_CHANGECBCHAIN: a viewer leaves; mend our link or pass the message on.
    void chainChanged(HWND removed, HWND next);
    // WM_DRAWCLIPBOARD: passes it on; true when the change is another
    // program's, so that the clipboard should be read.
    bool clipboardChanged(WPARAM wParam, LPARAM lParam);

    // The registered clipboard format of PNG files.
    UINT pngFormat() const { return m_pngFormat; }

private:
    HWND m_owner = nullptr;
    bool m_listening = true;
    HWND m_viewer = nullptr;
    HWND m_nextViewer = nullptr;
    UINT m_pngFormat = 0;
};

} // namespace tessaly
