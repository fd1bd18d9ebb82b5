#pragma once

#include "app/client_rect.h"

namespace tessaly {

// The preview window as its logic sees it: something to repaint.
class PreviewHost {
public:
    enum class Erase : bool { No, Yes };

    virtual ~PreviewHost() = default;

    // The whole client area; erased first (to the face colour around the
    // image) when the image may have moved or shrunk.
    virtual void invalidateAll(Erase erase) = 0;
    // A part of the client area, not erased: the image still covers it.
    virtual void invalidateArea(const ClientRect& area) = 0;
};

} // namespace tessaly
