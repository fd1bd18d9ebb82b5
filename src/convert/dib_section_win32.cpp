#include "convert/dib_section_win32.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/byte_reader.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kInfoHeaderBytes = 40;
// Outside headers may ask for any size; no picture the editor takes in comes
// near this, and it keeps a hostile header from reserving gigabytes.
constexpr std::uint64_t kMaxInfoPixelBytes = 256ull * 1024 * 1024;

// A device context that holds one bitmap for the duration of a blit.
class BitmapContext {
public:
    explicit BitmapContext(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr))
    {
        if (m_dc)
            m_previous = SelectObject(m_dc, bitmap);
    }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;
    ~BitmapContext()
    {
        if (!m_dc)
            return;
        if (m_previous)
            SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }

    // Null when the context could not be made or refused the bitmap.
    HDC dc() const { return m_previous ? m_dc : nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

// The bytes of a header with its masks and colour table, as the system will
// read them; 0 when the header is one the section cannot be made from.
std::uint64_t infoBytesNeeded(std::span<const std::uint8_t> info)
{
    ByteReader reader(info);
    const std::uint32_t headerSize = reader.u32le();
    const std::int32_t width = reader.i32le();
    const std::int32_t height = reader.i32le();
    const std::uint16_t planes = reader.u16le();
    const std::uint16_t bitCount = reader.u16le();
    const std::uint32_t compression = reader.u32le();
    reader.skip(12); // image size, resolution
    const std::uint32_t colorsUsed = reader.u32le();
    if (!reader.ok() || headerSize < kInfoHeaderBytes || planes != 1 || width <= 0 || height == 0 ||
        height == INT32_MIN)
        return 0;
    const bool palettised = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (!palettised && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return 0;
    const bool bitFields = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(bitFields && (bitCount == 16 || bitCount == 32)))
        return 0;
    if (palettised && colorsUsed > (1u << bitCount))
        return 0;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (stride * static_cast<std::uint64_t>(std::abs(height)) > kMaxInfoPixelBytes)
        return 0;
    const std::uint64_t colors = colorsUsed ? colorsUsed : (palettised ? 1u << bitCount : 0u);
    // The three masks follow a plain 40-byte header; larger headers hold them.
    const std::uint64_t masks = bitFields && headerSize == kInfoHeaderBytes ? 12 : 0;
    return std::uint64_t{headerSize} + masks + 4 * colors;
}

} // namespace

DibSection::~DibSection()
{
    release();
}

bool DibSection::create32(int width, int height)
{
    return createSection(width, height, 32);
}

bool DibSection::create24(int width, int height)
{
    return createSection(width, height, 24);
}

bool DibSection::reserve32(int width, int height)
{
    if (m_bitmap && bitsPerPixel() == 32 && !m_topDown && this->width() >= width && this->height() >= height)
        return true;
    const int newWidth = std::max(width, m_bitmap ? this->width() : 0);
    const int newHeight = std::max(height, m_bitmap ? std::abs(this->height()) : 0);
    release();
    return create32(newWidth, newHeight);
}

bool DibSection::createSection(int width, int height, WORD bitCount)
{
    if (m_bitmap || width <= 0 || height <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return adoptSection(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), false);
}

bool DibSection::createFromInfo(std::span<const std::uint8_t> info)
{
    if (m_bitmap)
        return false;
    const std::uint64_t needed = infoBytesNeeded(info);
    if (needed == 0 || needed > info.size())
        return false;
    // The system reads the header as a structure: give it an aligned copy.
    std::vector<std::uint32_t> aligned((needed + 3) / 4);
    std::memcpy(aligned.data(), info.data(), needed);
    const auto* header = reinterpret_cast<const BITMAPINFO*>(aligned.data());
    void* bits = nullptr;
    return adoptSection(CreateDIBSection(nullptr, header, DIB_RGB_COLORS, &bits, nullptr, 0),
                        header->bmiHeader.biHeight < 0);
}

bool DibSection::adoptSection(HBITMAP bitmap, bool topDown)
{
    if (!bitmap)
        return false;
    if (GetObjectW(bitmap, sizeof m_description, &m_description) != sizeof m_description) {
        DeleteObject(bitmap);
        m_description = DIBSECTION{};
        return false;
    }
    m_bitmap = bitmap;
    m_topDown = topDown;
    return true;
}

bool DibSection::createMonochrome(int width, int height, const void* rows)
{
    if (m_bitmap || width <= 0 || height <= 0)
        return false;
    HBITMAP bitmap = CreateBitmap(width, height, 1, 1, rows);
    if (!bitmap)
        return false;
    if (GetObjectW(bitmap, sizeof m_description.dsBm, &m_description.dsBm) != sizeof m_description.dsBm) {
        DeleteObject(bitmap);
        m_description = DIBSECTION{};
        return false;
    }
    m_bitmap = bitmap;
    return true;
}

bool DibSection::release()
{
    if (!m_bitmap)
        return true;
    const bool deleted = DeleteObject(m_bitmap) != FALSE;
    m_bitmap = nullptr;
    m_description = DIBSECTION{};
    m_topDown = false;
    return deleted;
}

int DibSection::height() const
{
    return m_topDown ? -m_description.dsBm.bmHeight : m_description.dsBm.bmHeight;
}

std::uint64_t DibSection::colorCount() const
{
    if (!m_bitmap)
        return 0;
    if (m_description.dsBmih.biClrUsed)
        return m_description.dsBmih.biClrUsed;
    return std::uint64_t{1} << bitsPerPixel();
}

UINT DibSection::getColorTable(RGBQUAD* entries, UINT start, UINT count) const
{
    BitmapContext context(m_bitmap);
    if (!context.dc())
        return 0;
    return GetDIBColorTable(context.dc(), start, count, entries);
}

std::uint8_t* DibSection::pixelAddress32(int x, int y) const
{
    const int rows = std::abs(height());
    if (bitsPerPixel() != 32 || !bits() || x < 0 || y < 0 || x >= width() || y >= rows)
        return nullptr;
    const int row = m_topDown ? y : rows - 1 - y;
    return bits() + static_cast<std::ptrdiff_t>(bytesPerRow()) * row + 4 * static_cast<std::ptrdiff_t>(x);
}

ColorValue DibSection::getPixel32(int x, int y) const
{
    const std::uint8_t* pixel = pixelAddress32(x, y);
    return pixel ? makeColor(pixel[2], pixel[1], pixel[0]) : 0;
}

void DibSection::setPixel32(int x, int y, ColorValue color)
{
    std::uint8_t* pixel = pixelAddress32(x, y);
    if (!pixel)
        return;
    pixel[0] = blueOf(color);
    pixel[1] = greenOf(color);
    pixel[2] = redOf(color);
    pixel[3] = 0;
}

void DibSection::fillRect32(const RECT& rect, ColorValue color)
{
    const int left = std::max<int>(rect.left, 0);
    const int top = std::max<int>(rect.top, 0);
    const int right = std::min<int>(rect.right, width());
    const int bottom = std::min<int>(rect.bottom, std::abs(height()));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            setPixel32(x, y, color);
}

bool DibSection::drawTo(HDC target, const RECT& destination, DWORD rop) const
{
    return drawTo(target, destination, POINT{0, 0}, rop);
}

bool DibSection::drawTo(HDC target, const RECT& destination, POINT source, DWORD rop) const
{
    return drawTo(target, destination.left, destination.top, destination.right - destination.left,
                  destination.bottom - destination.top, source.x, source.y, rop);
}

bool DibSection::drawTo(HDC target, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop) const
{
    BitmapContext context(m_bitmap);
    if (!context.dc())
        return false;
    return BitBlt(target, x, y, width, height, context.dc(), sourceX, sourceY, rop) != FALSE;
}

bool DibSection::copyBitsTo(HDC target, const RECT& destination, POINT source) const
{
    // Without a colour table or bit masks the section's header alone
    // describes its bits.
    const bool plain = m_description.dsBmih.biCompression == BI_RGB && bitsPerPixel() >= 24;
    if (!m_bitmap || m_topDown || !plain)
        return false;
    const int width = destination.right - destination.left;
    const int rows = destination.bottom - destination.top;
    if (width <= 0 || rows <= 0)
        return true;
    // The source's lower-left corner, counted in rows from the section's
    // bottom edge, as the call reads bottom-up bits.
    const int bottom = height() - source.y - rows;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(&m_description.dsBmih);
    return SetDIBitsToDevice(target, destination.left, destination.top, static_cast<DWORD>(width),
                             static_cast<DWORD>(rows), source.x, bottom, 0, static_cast<UINT>(height()), bits(), info,
                             DIB_RGB_COLORS) != 0;
}

bool DibSection::stretchTo(HDC target, const RECT& destination, const RECT& source, DWORD rop) const
{
    BitmapContext context(m_bitmap);
    if (!context.dc())
        return false;
    return StretchBlt(target, destination.left, destination.top, destination.right - destination.left,
                      destination.bottom - destination.top, context.dc(), source.left, source.top,
                      source.right - source.left, source.bottom - source.top, rop) != FALSE;
}

bool DibSection::blitToBitmap(HBITMAP destinationBitmap, const RECT& destination, POINT source, DWORD rop) const
{
    BitmapContext target(destinationBitmap);
    if (!target.dc())
        return false;
    return drawTo(target.dc(), destination, source, rop);
}

bool DibSection::captureFrom(HDC source, const RECT& sourceRect, DWORD rop)
{
    BitmapContext context(m_bitmap);
    if (!context.dc())
        return false;
    return BitBlt(context.dc(), 0, 0, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, source,
                  sourceRect.left, sourceRect.top, rop) != FALSE;
}

} // namespace tessaly
