#include "editing/clipboard_link_win32.h"

#include <cstring>
#include <span>
#include <vector>

#include "editing/clipboard_dib.h"

namespace tessaly {

namespace {

// A movable, zeroed memory block holding bytes; freed unless handed on.
HGLOBAL blockOf(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty())
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (!block)
        return nullptr;
    void* at = GlobalLock(block);
    if (!at) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// Hands a block to the clipboard, which owns it from then on; frees it when refused.
void offer(UINT format, HGLOBAL block)
{
    if (block && !SetClipboardData(format, block))
        GlobalFree(block);
}

} // namespace

ClipboardLink::ClipboardLink()
    : m_pngFormat(RegisterClipboardFormatW(L"PNG"))
{
}

ClipboardLink::~ClipboardLink()
{
    leaveViewerChain();
}

bool ClipboardLink::copyToClipboard(const CellGrid& grid)
{
    HGLOBAL dib = blockOf(ClipboardDib::fromGrid(grid));
    if (!dib)
        return false;
    // A picture without its PNG form is still a full copy; the DIB is the one that counts.
    HGLOBAL png = m_pngFormat ? blockOf(ClipboardDib::pngFromGrid(grid)) : nullptr;
    m_listening = false;
    if (!OpenClipboard(m_owner)) {
        m_listening = true;
        GlobalFree(dib);
        if (png)
            GlobalFree(png);
        return false;
    }
    EmptyClipboard();
    offer(CF_DIB, dib);
    offer(m_pngFormat, png);
    const bool closed = CloseClipboard() != FALSE;
    m_listening = true;
    return closed;
}

bool ClipboardLink::clipboardHasDib() const
{
    if (!OpenClipboard(nullptr))
        return false;
    bool found = false;
    for (UINT format = EnumClipboardFormats(0); format != 0 && !found; format = EnumClipboardFormats(format))
        found = format == CF_DIB;
    CloseClipboard();
    return found;
}

void ClipboardLink::readClipboard(CellGrid& grid)
{
    if (!m_listening)
        return;
    grid.release();
    if (!OpenClipboard(nullptr))
        return;
    if (HANDLE block = GetClipboardData(CF_DIB)) {
        if (const void* at = GlobalLock(block)) {
            // The block's own size bounds every read of another program's bitmap.
            ClipboardDib::toGrid(std::span(static_cast<const std::uint8_t*>(at), GlobalSize(block)), grid);
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
}

bool ClipboardLink::joinViewerChain(HWND window)
{
    if (m_viewer || !window)
        return false;
    m_viewer = window;
    // The first viewer of a chain is told of the next with a null handle,
    // which is also what a failure gives: both leave nothing to pass on.
    m_nextViewer = SetClipboardViewer(window);
    return true;
}

void ClipboardLink::leaveViewerChain()
{
    if (!m_viewer)
        return;
    ChangeClipboardChain(m_viewer, m_nextViewer);
    m_viewer = nullptr;
    m_nextViewer = nullptr;
}

void ClipboardLink::chainChanged(HWND removed, HWND next)
{
    if (removed == m_nextViewer)
        m_nextViewer = next;
    else if (m_nextViewer)
        SendMessageW(m_nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed), reinterpret_cast<LPARAM>(next));
}

bool ClipboardLink::clipboardChanged(WPARAM wParam, LPARAM lParam)
{
    if (m_nextViewer)
        SendMessageW(m_nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    return m_listening;
}

} // namespace tessaly
