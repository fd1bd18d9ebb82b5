#include "convert/halftone_brush_win32.h"

namespace tessaly {

HalftoneBrush::~HalftoneBrush()
{
    release();
}

bool HalftoneBrush::create()
{
    if (m_brush)
        return false;
    // 8 rows alternating 10101010 and 01010101; each row padded to 16 bits.
    static constexpr WORD kRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kRows);
    if (!pattern)
        return false;
    m_brush = CreatePatternBrush(pattern);
    // The brush keeps its own copy of the pattern.
    DeleteObject(pattern);
    return m_brush != nullptr;
}

bool HalftoneBrush::release()
{
    if (!m_brush)
        return true;
    const bool deleted = DeleteObject(m_brush) != FALSE;
    m_brush = nullptr;
    return deleted;
}

} // namespace tessaly
