#pragma once

#include <windows.h>

namespace tessaly {

// A one-pixel checkerboard pattern brush, for dotted drag outlines and
// shaded areas. In a pattern the set bits take the background colour and the
// clear bits the text colour of the device context painted on.
class HalftoneBrush {
public:
    HalftoneBrush() = default;
    HalftoneBrush(const HalftoneBrush&) = delete;
    HalftoneBrush& operator=(const HalftoneBrush&) = delete;
    ~HalftoneBrush();

    // False when a brush is already held or the system refuses.
    bool create();
    // True when nothing was held.
    bool release();
    HBRUSH handle() const { return m_brush; }

private:
    HBRUSH m_brush = nullptr;
};

} // namespace tessaly
