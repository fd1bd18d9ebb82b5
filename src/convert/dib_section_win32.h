#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "image/color_value.h"

namespace tessaly {

// An off-screen bitmap that views compose pixels into before one blit, with
// the description the system gives for it. 32- and 24-bit sections are
// bottom-up device-independent bitmaps: pixel (x, y from the top) of a 32-bit
// section is the 4 bytes blue, green, red, 0 at
// bits + bytesPerRow * (height - 1 - y) + 4x. A monochrome bitmap is a
// device bitmap whose bits are not directly reachable.
class DibSection {
public:
    DibSection() = default;
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    ~DibSection();

    // Creation fails, leaving the object empty, when a bitmap is already held
    // (it would leak) or the system refuses.
    bool create32(int width, int height);
    bool create24(int width, int height);
    // Keeps a 32-bit section of at least width x height, made anew (its
    // pixels lost) only when the one held is smaller; views compose into it.
    bool reserve32(int width, int height);
    // rows: height rows of 1-bit pixels, top row first, the leftmost pixel in
    // the high bit, each row padded to 16 bits.
    bool createMonochrome(int width, int height, const void* rows);
    // A section described by a bitmap information header (40 bytes or more)
    // with its bit masks and colour table, as found in a .bmp file or a DIB
    // on the clipboard. The bytes are checked: a header that claims more
    // colours or masks than the bytes hold is refused.
    bool createFromInfo(std::span<const std::uint8_t> info);
    // True when nothing was held.
    bool release();

    HBITMAP handle() const { return m_bitmap; }
    bool empty() const { return m_bitmap == nullptr; }
    int width() const { return m_description.dsBm.bmWidth; }
    // Negative for a section whose rows run top-down (only from createFromInfo).
    int height() const;
    int bitsPerPixel() const { return m_description.dsBm.bmBitsPixel; }
    int bytesPerRow() const { return m_description.dsBm.bmWidthBytes; }
    std::uint8_t* bits() const { return static_cast<std::uint8_t*>(m_description.dsBm.bmBits); }
    const DIBSECTION& description() const { return m_description; }
    // The header's colours-used count, or 2 to the power of the bit depth;
    // 0 without a bitmap.
    std::uint64_t colorCount() const;
    // Reads colour table entries; the number of entries read.
    UINT getColorTable(RGBQUAD* entries, UINT start, UINT count) const;

    // Pixel access on 32-bit sections; outside the section, or on any other
    // kind of bitmap, reads give 0 and writes do nothing.
    ColorValue getPixel32(int x, int y) const;
    void setPixel32(int x, int y, ColorValue color);
    // Fills left <= x < right, top <= y < bottom, clipped to the section.
    void fillRect32(const RECT& rect, ColorValue color);

    // BitBlt of the section's top-left part, sized as the destination.
    bool drawTo(HDC target, const RECT& destination, DWORD rop) const;
    bool drawTo(HDC target, const RECT& destination, POINT source, DWORD rop) const;
    bool drawTo(HDC target, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop) const;
    // Copies the pixels of a bottom-up 24- or 32-bit section from source (counted from the
    // top) to destination, as drawTo with SRCCOPY does, but straight from
    // the bits: no memory device context is made per copy.
    bool copyBitsTo(HDC target, const RECT& destination, POINT source) const;
    // StretchBlt of a source rectangle onto a destination rectangle, with
    // the target's own stretch mode.
    bool stretchTo(HDC target, const RECT& destination, const RECT& source, DWORD rop) const;
    bool blitToBitmap(HBITMAP destinationBitmap, const RECT& destination, POINT source, DWORD rop) const;
    // Copies the source rectangle of a device context to the section at (0, 0).
    bool captureFrom(HDC source, const RECT& sourceRect, DWORD rop);

private:
    bool createSection(int width, int height, WORD bitCount);
    bool adoptSection(HBITMAP bitmap, bool topDown);
    std::uint8_t* pixelAddress32(int x, int y) const;

    HBITMAP m_bitmap = nullptr;
    DIBSECTION m_description{};
    // The system describes every section with a positive height, so the row
    // order of a top-down section is kept here.
    bool m_topDown = false;
};

} // namespace tessaly
