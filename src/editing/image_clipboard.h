#pragma once

#include "editing/model/cell_grid.h"

namespace tessaly {

// Told when the editor copies an image, so that it can be put on the system
// clipboard too.
class ImageClipboardObserver {
public:
    virtual ~ImageClipboardObserver() = default;
    virtual void imageCopied(const CellGrid& content) = 0;
};

// The application's image clipboard: the last image copied in the editor, or
// the image another program put on the system clipboard, as 32-bit colours
// 0xAABBGGRR with masks. Paste reads only this.
class ImageClipboard {
public:
    ImageClipboard() = default;
    ImageClipboard(const ImageClipboard&) = delete;
    ImageClipboard& operator=(const ImageClipboard&) = delete;

    void setObserver(ImageClipboardObserver* observer) { m_observer = observer; }

    // Takes an image the editor copied and tells the observer.
    void storeCopy(CellGrid&& content);
    // Takes an image found on the system clipboard; nobody is told.
    void mirror(CellGrid&& content);
    void clear() { m_content.release(); }

    bool isEmpty() const { return m_content.isEmpty(); }
    const CellGrid& content() const { return m_content; }

private:
    CellGrid m_content;
    ImageClipboardObserver* m_observer = nullptr;
};

} // namespace tessaly
