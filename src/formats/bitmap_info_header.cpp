#include "formats/bitmap_info_header.h"

namespace tessaly {

BitmapInfoHeader BitmapInfoHeader::read(ByteReader& in)
{
    BitmapInfoHeader h;
    h.size = in.u32le();
    h.width = in.i32le();
    h.height = in.i32le();
    h.planes = in.u16le();
    h.bitCount = in.u16le();
    h.compression = in.u32le();
    h.imageSize = in.u32le();
    h.xPixelsPerMeter = in.i32le();
    h.yPixelsPerMeter = in.i32le();
    h.colorsUsed = in.u32le();
    h.colorsImportant = in.u32le();
    return h;
}

void BitmapInfoHeader::write(ByteWriter& out) const
{
    out.u32le(size);
    out.i32le(width);
    out.i32le(height);
    out.u16le(planes);
    out.u16le(bitCount);
    out.u32le(compression);
    out.u32le(imageSize);
    out.i32le(xPixelsPerMeter);
    out.i32le(yPixelsPerMeter);
    out.u32le(colorsUsed);
    out.u32le(colorsImportant);
}

} // namespace tessaly
