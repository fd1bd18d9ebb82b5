#include "convert/dib_section_win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace tessaly {
namespace {

constexpr ColorValue kWhite = makeColor(255, 255, 255);
constexpr ColorValue kBlack = makeColor(0, 0, 0);

// A distinct colour for every pixel position.
ColorValue patternColor(int x, int y)
{
    return makeColor(static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(50 + y), 200);
}

void fillPattern(DibSection& section)
{
    for (int y = 0; y < section.height(); ++y)
        for (int x = 0; x < section.width(); ++x)
            section.setPixel32(x, y, patternColor(x, y));
}

// A memory device context holding a section's bitmap while a test draws on it.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr))
        , m_old(SelectObject(m_dc, bitmap))
    {
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    ~SelectedBitmap()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A 40-byte header followed by the given colour table.
std::vector<std::uint8_t> infoBytes(int width, int height, WORD bitCount, DWORD compression, DWORD colorsUsed,
                                    const std::vector<RGBQUAD>& table)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = compression;
    header.biClrUsed = colorsUsed;
    std::vector<std::uint8_t> bytes(sizeof header + table.size() * sizeof(RGBQUAD));
    std::memcpy(bytes.data(), &header, sizeof header);
    if (!table.empty())
        std::memcpy(bytes.data() + sizeof header, table.data(), table.size() * sizeof(RGBQUAD));
    return bytes;
}

TEST(DibSection, Create32DescribesABottomUpSection)
{
    DibSection section;
    ASSERT_TRUE(section.create32(3, 2));
    EXPECT_NE(section.handle(), nullptr);
    EXPECT_EQ(section.width(), 3);
    EXPECT_EQ(section.height(), 2);
    EXPECT_EQ(section.bitsPerPixel(), 32);
    EXPECT_EQ(section.bytesPerRow(), 12);
    EXPECT_NE(section.bits(), nullptr);
    EXPECT_EQ(section.description().dsBmih.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(section.colorCount(), std::uint64_t{1} << 32);
}

TEST(DibSection, PixelsAreBlueGreenRedZeroWithTheTopRowLast)
{
    DibSection section;
    ASSERT_TRUE(section.create32(3, 2));
    section.setPixel32(0, 0, makeColor(1, 2, 3, 200));
    section.setPixel32(2, 1, makeColor(7, 8, 9, 255));
    const std::uint8_t* topRow = section.bits() + section.bytesPerRow() * 1;
    EXPECT_EQ(topRow[0], 3);
    EXPECT_EQ(topRow[1], 2);
    EXPECT_EQ(topRow[2], 1);
    EXPECT_EQ(topRow[3], 0);
    const std::uint8_t* bottomRow = section.bits();
    EXPECT_EQ(bottomRow[8], 9);
    EXPECT_EQ(bottomRow[9], 8);
    EXPECT_EQ(bottomRow[10], 7);
    EXPECT_EQ(bottomRow[11], 0);
    // Alpha never survives the round trip.
    EXPECT_EQ(section.getPixel32(0, 0), makeColor(1, 2, 3));
    EXPECT_EQ(section.getPixel32(2, 1), makeColor(7, 8, 9));
}

TEST(DibSection, TopLeftPixelIsReadFromTheLastRowInMemory)
{
    DibSection section;
    ASSERT_TRUE(section.create32(2, 4));
    std::uint8_t* lastRow = section.bits() + section.bytesPerRow() * 3;
    lastRow[0] = 0x11; // blue
    lastRow[1] = 0x22; // green
    lastRow[2] = 0x33; // red
    lastRow[3] = 0x99; // ignored
    EXPECT_EQ(section.getPixel32(0, 0), makeColor(0x33, 0x22, 0x11));
    EXPECT_EQ(section.getPixel32(0, 3), kBlack);
}

TEST(DibSection, PixelAccessOutsideTheSectionIsIgnored)
{
    DibSection section;
    ASSERT_TRUE(section.create32(2, 2));
    section.fillRect32(RECT{0, 0, 2, 2}, kWhite);
    for (POINT p : {POINT{-1, 0}, POINT{2, 0}, POINT{0, -1}, POINT{0, 2}}) {
        section.setPixel32(p.x, p.y, kBlack);
        EXPECT_EQ(section.getPixel32(p.x, p.y), 0u);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(section.getPixel32(x, y), kWhite);
    DibSection empty;
    EXPECT_EQ(empty.getPixel32(0, 0), 0u);
    empty.setPixel32(0, 0, kWhite); // nothing to write to, and no crash
}

TEST(DibSection, FillRectIsHalfOpenAndClipped)
{
    DibSection section;
    ASSERT_TRUE(section.create32(4, 3));
    const ColorValue red = makeColor(255, 0, 0);
    section.fillRect32(RECT{1, 1, 3, 2}, red);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(section.getPixel32(x, y), (y == 1 && (x == 1 || x == 2)) ? red : kBlack) << x << "," << y;

    section.fillRect32(RECT{2, 0, 2, 3}, kWhite); // right == left
    section.fillRect32(RECT{0, 2, 4, 2}, kWhite); // bottom == top
    EXPECT_EQ(section.getPixel32(2, 0), kBlack);
    EXPECT_EQ(section.getPixel32(0, 2), kBlack);

    section.fillRect32(RECT{-10, -10, 100, 100}, kWhite);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(section.getPixel32(x, y), kWhite);
}

TEST(DibSection, Create24PadsRowsToFourBytes)
{
    DibSection section;
    ASSERT_TRUE(section.create24(5, 3));
    EXPECT_EQ(section.bitsPerPixel(), 24);
    EXPECT_EQ(section.bytesPerRow(), 16);
    EXPECT_EQ(section.height(), 3);
    EXPECT_EQ(section.colorCount(), std::uint64_t{1} << 24);
    // 32-bit pixel access does not apply to 24-bit rows.
    section.setPixel32(0, 0, kWhite);
    EXPECT_EQ(section.bits()[section.bytesPerRow() * 2], 0);
}

TEST(DibSection, CreatingOverAHeldBitmapIsRefused)
{
    DibSection section;
    ASSERT_TRUE(section.create32(3, 3));
    const HBITMAP first = section.handle();
    EXPECT_FALSE(section.create32(5, 5));
    EXPECT_FALSE(section.create24(5, 5));
    const WORD rows[1] = {0};
    EXPECT_FALSE(section.createMonochrome(1, 1, rows));
    EXPECT_EQ(section.handle(), first);
    EXPECT_EQ(section.width(), 3);

    EXPECT_TRUE(section.release());
    EXPECT_TRUE(section.empty());
    EXPECT_EQ(section.width(), 0);
    EXPECT_EQ(section.bits(), nullptr);
    EXPECT_EQ(section.colorCount(), 0u);
    EXPECT_TRUE(section.release()); // nothing left to release
    EXPECT_TRUE(section.create24(5, 5));
}

TEST(DibSection, EmptySizesAreRefused)
{
    DibSection section;
    EXPECT_FALSE(section.create32(0, 4));
    EXPECT_FALSE(section.create32(4, -1));
    EXPECT_FALSE(section.create24(-3, 3));
    EXPECT_TRUE(section.empty());
}

TEST(DibSection, MonochromeRowsRunTopDownWithTheHighBitLeftmost)
{
    // 10 pixels wide, rows padded to 16 bits: pixels 0 and 9 set in the top
    // row, pixel 7 in the bottom row.
    const std::uint8_t rows[4] = {0x80, 0x40, 0x01, 0x00};
    DibSection mono;
    ASSERT_TRUE(mono.createMonochrome(10, 2, rows));
    EXPECT_EQ(mono.bitsPerPixel(), 1);
    EXPECT_EQ(mono.bytesPerRow(), 2);
    EXPECT_EQ(mono.width(), 10);
    EXPECT_EQ(mono.height(), 2);
    EXPECT_EQ(mono.colorCount(), 2u);

    DibSection colour;
    ASSERT_TRUE(colour.create32(10, 2));
    // Into a colour bitmap a set bit becomes the background colour (white by
    // default) and a clear bit the text colour (black).
    ASSERT_TRUE(mono.blitToBitmap(colour.handle(), RECT{0, 0, 10, 2}, POINT{0, 0}, SRCCOPY));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool set = (y == 0 && (x == 0 || x == 9)) || (y == 1 && x == 7);
            EXPECT_EQ(colour.getPixel32(x, y), set ? kWhite : kBlack) << x << "," << y;
        }
    }
}

TEST(DibSection, BlitToBitmapCopiesFromTheSourcePoint)
{
    DibSection source;
    ASSERT_TRUE(source.create32(4, 4));
    fillPattern(source);
    DibSection target;
    ASSERT_TRUE(target.create32(6, 6));
    const ColorValue grey = makeColor(128, 128, 128);
    target.fillRect32(RECT{0, 0, 6, 6}, grey);

    ASSERT_TRUE(source.blitToBitmap(target.handle(), RECT{2, 1, 4, 3}, POINT{1, 1}, SRCCOPY));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(target.getPixel32(x, y), inside ? patternColor(x - 1, y) : grey) << x << "," << y;
        }
    }
}

TEST(DibSection, DrawToFormsAgreeOnThePixels)
{
    DibSection source;
    ASSERT_TRUE(source.create32(4, 4));
    fillPattern(source);
    DibSection target;
    ASSERT_TRUE(target.create32(8, 4));
    {
        SelectedBitmap canvas(target.handle());
        // Top-left part of the source at (0, 0).
        ASSERT_TRUE(source.drawTo(canvas.dc(), RECT{0, 0, 2, 2}, SRCCOPY));
        // From source point (2, 2) to (2, 0).
        ASSERT_TRUE(source.drawTo(canvas.dc(), RECT{2, 0, 4, 2}, POINT{2, 2}, SRCCOPY));
        // Explicit numbers: the source's column 3 into column 5, rows 1..3.
        ASSERT_TRUE(source.drawTo(canvas.dc(), 5, 1, 1, 3, 3, 1, SRCCOPY));
        // An inverting operation shows the operation is passed on.
        ASSERT_TRUE(source.drawTo(canvas.dc(), 7, 0, 1, 1, 0, 0, NOTSRCCOPY));
        // Straight from the bits: source rows 0..1 of column 2 into column 6.
        ASSERT_TRUE(source.copyBitsTo(canvas.dc(), RECT{6, 2, 7, 4}, POINT{2, 0}));
    }
    EXPECT_EQ(target.getPixel32(0, 0), patternColor(0, 0));
    EXPECT_EQ(target.getPixel32(1, 1), patternColor(1, 1));
    EXPECT_EQ(target.getPixel32(2, 0), patternColor(2, 2));
    EXPECT_EQ(target.getPixel32(3, 1), patternColor(3, 3));
    EXPECT_EQ(target.getPixel32(5, 1), patternColor(3, 1));
    EXPECT_EQ(target.getPixel32(5, 3), patternColor(3, 3));
    EXPECT_EQ(target.getPixel32(4, 0), kBlack);
    EXPECT_EQ(target.getPixel32(7, 0), ~patternColor(0, 0) & 0x00FFFFFFu);
    EXPECT_EQ(target.getPixel32(6, 2), patternColor(2, 0));
    EXPECT_EQ(target.getPixel32(6, 3), patternColor(2, 1));
    EXPECT_EQ(target.getPixel32(6, 1), kBlack);
}

TEST(DibSection, StretchToScalesTheSourceRectangle)
{
    DibSection source;
    ASSERT_TRUE(source.create32(3, 3));
    fillPattern(source);
    DibSection target;
    ASSERT_TRUE(target.create32(4, 4));
    {
        SelectedBitmap canvas(target.handle());
        SetStretchBltMode(canvas.dc(), COLORONCOLOR);
        ASSERT_TRUE(source.stretchTo(canvas.dc(), RECT{0, 0, 4, 4}, RECT{1, 1, 3, 3}, SRCCOPY));
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.getPixel32(x, y), patternColor(1 + x / 2, 1 + y / 2)) << x << "," << y;
}

TEST(DibSection, CaptureCopiesADeviceContextToTheOrigin)
{
    DibSection screen;
    ASSERT_TRUE(screen.create32(5, 5));
    fillPattern(screen);
    DibSection copy;
    ASSERT_TRUE(copy.create32(3, 3));
    {
        SelectedBitmap source(screen.handle());
        ASSERT_TRUE(copy.captureFrom(source.dc(), RECT{2, 1, 4, 4}, SRCCOPY));
    }
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(copy.getPixel32(0, y), patternColor(2, 1 + y));
        EXPECT_EQ(copy.getPixel32(1, y), patternColor(3, 1 + y));
        EXPECT_EQ(copy.getPixel32(2, y), kBlack);
    }
}

TEST(DibSection, BlitsWithoutABitmapFail)
{
    DibSection empty;
    DibSection target;
    ASSERT_TRUE(target.create32(2, 2));
    EXPECT_FALSE(empty.blitToBitmap(target.handle(), RECT{0, 0, 2, 2}, POINT{0, 0}, SRCCOPY));
    SelectedBitmap canvas(target.handle());
    EXPECT_FALSE(empty.drawTo(canvas.dc(), RECT{0, 0, 2, 2}, SRCCOPY));
    EXPECT_FALSE(empty.captureFrom(canvas.dc(), RECT{0, 0, 2, 2}, SRCCOPY));
}

TEST(DibSection, ColorTableComesFromTheInfoHeader)
{
    const std::vector<RGBQUAD> table = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
    const auto bytes = infoBytes(4, 2, 8, BI_RGB, 3, table);
    DibSection section;
    ASSERT_TRUE(section.createFromInfo(bytes));
    EXPECT_EQ(section.bitsPerPixel(), 8);
    EXPECT_EQ(section.bytesPerRow(), 4);
    // Some systems pad a short table to the full 256 entries, others keep 3.
    EXPECT_GE(section.colorCount(), 3u);
    EXPECT_LE(section.colorCount(), 256u);

    RGBQUAD entries[5] = {};
    ASSERT_EQ(section.getColorTable(entries, 0, 3), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].rgbBlue, table[i].rgbBlue);
        EXPECT_EQ(entries[i].rgbGreen, table[i].rgbGreen);
        EXPECT_EQ(entries[i].rgbRed, table[i].rgbRed);
    }
    ASSERT_GE(section.getColorTable(entries, 1, 2), 2u);
    EXPECT_EQ(entries[0].rgbRed, 60);
    EXPECT_EQ(entries[1].rgbRed, 90);

    // A full 1-bit table when the header leaves the count at 0.
    DibSection mono;
    ASSERT_TRUE(mono.createFromInfo(infoBytes(9, 1, 1, BI_RGB, 0, {{0, 0, 0, 0}, {255, 255, 255, 0}})));
    EXPECT_EQ(mono.colorCount(), 2u);
    EXPECT_EQ(mono.getColorTable(entries, 0, 2), 2u);
    EXPECT_EQ(entries[1].rgbGreen, 255);
}

TEST(DibSection, TopDownInfoKeepsItsRowOrder)
{
    DibSection section;
    ASSERT_TRUE(section.createFromInfo(infoBytes(2, -3, 32, BI_RGB, 0, {})));
    EXPECT_EQ(section.height(), -3);
    section.setPixel32(1, 0, makeColor(5, 6, 7));
    // Top-down: the top row is the first in memory.
    EXPECT_EQ(section.bits()[4], 7);
    EXPECT_EQ(section.bits()[6], 5);
    EXPECT_EQ(section.getPixel32(1, 0), makeColor(5, 6, 7));
    EXPECT_EQ(section.getPixel32(1, 2), kBlack);
}

TEST(DibSection, InfoClaimingMoreThanItHoldsIsRefused)
{
    const std::vector<RGBQUAD> two = {{0, 0, 0, 0}, {1, 1, 1, 0}};
    DibSection section;
    // 8 bits with a count of 0 means 256 entries; only two are there.
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 4, 8, BI_RGB, 0, two)));
    // More colours than 8 bits can address.
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 4, 8, BI_RGB, 300, std::vector<RGBQUAD>(300))));
    // Bit fields need their three masks after a 40-byte header.
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 4, 32, BI_BITFIELDS, 0, {})));
    EXPECT_FALSE(section.createFromInfo(infoBytes(0, 4, 32, BI_RGB, 0, {})));
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 0, 32, BI_RGB, 0, {})));
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 4, 7, BI_RGB, 0, {})));
    EXPECT_FALSE(section.createFromInfo(infoBytes(4, 4, 8, BI_RLE8, 2, two)));
    // Far too large for any picture the editor takes in.
    EXPECT_FALSE(section.createFromInfo(infoBytes(100000, 100000, 32, BI_RGB, 0, {})));
    // A header cut short, and the old 12-byte core header.
    auto cut = infoBytes(4, 4, 32, BI_RGB, 0, {});
    cut.resize(30);
    EXPECT_FALSE(section.createFromInfo(cut));
    auto core = infoBytes(4, 4, 32, BI_RGB, 0, {});
    core[0] = 12;
    EXPECT_FALSE(section.createFromInfo(core));
    EXPECT_TRUE(section.empty());

    // With the masks present the same header is accepted.
    auto masked = infoBytes(4, 4, 32, BI_BITFIELDS, 0, {});
    for (DWORD mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu}) {
        const auto* maskBytes = reinterpret_cast<const std::uint8_t*>(&mask);
        masked.insert(masked.end(), maskBytes, maskBytes + 4);
    }
    EXPECT_TRUE(section.createFromInfo(masked));
    EXPECT_EQ(section.bitsPerPixel(), 32);
}

} // namespace
} // namespace tessaly
