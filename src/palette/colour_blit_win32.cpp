#include "palette/colour_blit_win32.h"

#include <vector>

namespace tessaly {

void blitColours(HDC dc, int x, int y, int width, int height, std::span<const ColorValue> pixels)
{
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    // A 32-bit DIB pixel is blue, green, red, unused in memory: red and blue
    // swap places against a ColorValue.
    std::vector<std::uint32_t> bits(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const ColorValue c = pixels[i];
        bits[i] = static_cast<std::uint32_t>(blueOf(c)) | static_cast<std::uint32_t>(greenOf(c)) << 8 |
                  static_cast<std::uint32_t>(redOf(c)) << 16;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
}

void fillSolid(HDC dc, const ViewRect& area, ColorValue colour)
{
    if (area.isEmpty())
        return;
    const RECT rect = rectOf(area);
    const COLORREF previous = SetBkColor(dc, colorRefOf(colour));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

} // namespace tessaly
