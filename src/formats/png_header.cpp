#include "formats/png_header.h"

#include "image/byte_reader.h"

namespace tessaly {

PngHeader PngHeader::parse(std::span<const std::uint8_t> data)
{
    ByteReader in(data);
    PngHeader header;
    header.width = in.u32be();
    header.height = in.u32be();
    header.bitDepth = in.u8();
    header.colorType = in.u8();
    header.compressionMethod = in.u8();
    header.filterMethod = in.u8();
    header.interlaceMethod = in.u8();
    return header;
}

unsigned PngHeader::channels() const
{
    switch (colorType) {
    case Grey:
    case Palette:
        return 1;
    case GreyAlpha:
        return 2;
    case Truecolor:
        return 3;
    case TruecolorAlpha:
        return 4;
    default:
        return 0;
    }
}

bool PngHeader::isValidKind() const
{
    switch (colorType) {
    case Grey:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case Palette:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case Truecolor:
    case GreyAlpha:
    case TruecolorAlpha:
        return bitDepth == 8 || bitDepth == 16;
    default:
        return false;
    }
}

std::size_t PngHeader::filterStep() const
{
    const std::size_t bytes = bitDepth * channels() / 8;
    return bytes == 0 ? 1 : bytes;
}

} // namespace tessaly
