#include "formats/ico_directory_entry.h"

namespace tessaly {

IcoDirectoryEntry IcoDirectoryEntry::read(ByteReader& in)
{
    IcoDirectoryEntry e;
    e.width = in.u8();
    e.height = in.u8();
    e.colorCount = in.u8();
    e.reserved = in.u8();
    e.planes = in.u16le();
    e.bitCount = in.u16le();
    e.bytesInImage = in.u32le();
    e.imageOffset = in.u32le();
    return e;
}

void IcoDirectoryEntry::write(ByteWriter& out) const
{
    out.u8(width);
    out.u8(height);
    out.u8(colorCount);
    out.u8(reserved);
    out.u16le(planes);
    out.u16le(bitCount);
    out.u32le(bytesInImage);
    out.u32le(imageOffset);
}

} // namespace tessaly
