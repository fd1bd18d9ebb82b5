#include "formats/png_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <new>

#include "formats/png_filter.h"
#include "image/byte_writer.h"

namespace tessaly {

namespace {

// Image data goes into IDAT chunks of at most this many bytes: PNG allows
// 2^31 - 1, but readers that hold a whole chunk in memory fare better with less.
constexpr std::size_t kMaxChunkData = 1u << 20;

constexpr int kWindowBits = 15; // 32 KiB: what PNG's zlib header may announce at most
// zlib's default. Its largest (9) doubles the match finder's hash table:
// on noisy photographs that costs a fifth more time for 0.2 % fewer bytes,
// and on icon art it changes neither.
constexpr int kMemoryLevel = 8;

std::uint32_t chunkCrc(std::span<const std::uint8_t> typeAndData)
{
    return static_cast<std::uint32_t>(crc32(0, typeAndData.data(), static_cast<uInt>(typeAndData.size())));
}

// A chunk: length, type, data, and the CRC over type and data.
void writeChunk(ByteWriter& out, const char (&type)[5], std::span<const std::uint8_t> data)
{
    out.u32be(static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    for (int i = 0; i < 4; ++i)
        out.u8(static_cast<std::uint8_t>(type[i]));
    out.bytes(data);
    out.u32be(chunkCrc(std::span(out.data()).subspan(typeStart)));
}

// Palettes and samples below 8 bits are left unfiltered, as PNG advises:
// their bytes are no numbers that neighbours predict.
FilterChoice filterChoiceFor(const PngHeader& header)
{
    return header.colorType == PngHeader::Palette || header.bitDepth < 8 ? FilterChoice::None
                                                                         : FilterChoice::MinimumSum;
}

} // namespace

PngEncoder::PngEncoder(int level)
    : m_level(std::clamp(level, 0, 9))
{
}

bool PngEncoder::fail(PngEncodeProblem problem)
{
    m_problem = problem;
    return false;
}

std::vector<std::uint8_t> PngEncoder::encodeRgba(std::uint32_t width, std::uint32_t height,
                                                 std::span<const std::uint8_t> rgba, int level)
{
    PngPicture picture;
    picture.header.width = width;
    picture.header.height = height;
    picture.header.bitDepth = 8;
    picture.header.colorType = PngHeader::TruecolorAlpha;
    picture.rows = rgba;
    return PngEncoder(level).encode(picture);
}

bool PngEncoder::check(const PngPicture& picture)
{
    const PngHeader& header = picture.header;
    if (header.width == 0 || header.height == 0 || header.width > kMaxSide || header.height > kMaxSide)
        return fail(PngEncodeProblem::ImpossibleSize);
    if (!header.isValidKind() || header.compressionMethod != 0 || header.filterMethod != 0 ||
        header.interlaceMethod != 0)
        return fail(PngEncodeProblem::UnsupportedKind);
    // Both factors are below 2^35 and 2^17: the product does not wrap.
    const std::uint64_t rowBytes = header.rowBytes(header.width) - 1;
    if ((rowBytes + 1) * header.height > kMaxRawBytes)
        return fail(PngEncodeProblem::ImpossibleSize);
    if (picture.rows.size() != rowBytes * header.height)
        return fail(PngEncodeProblem::RowsMismatch);
    return checkPalette(picture) && checkTransparency(picture);
}

bool PngEncoder::checkPalette(const PngPicture& picture)
{
    const std::size_t entries = picture.palette.size() / 3;
    if (picture.header.colorType != PngHeader::Palette)
        return picture.palette.empty() || fail(PngEncodeProblem::BadPalette);
    if (picture.palette.size() % 3 != 0 || entries == 0 || entries > (1u << picture.header.bitDepth))
        return fail(PngEncodeProblem::BadPalette);
    return checkIndices(picture);
}

// Readers differ in what they make of an index past the palette (black, an
// error, the last entry): such a file must not be written at all.
bool PngEncoder::checkIndices(const PngPicture& picture)
{
    const std::size_t entries = picture.palette.size() / 3;
    const unsigned depth = picture.header.bitDepth;
    if (entries == (1u << depth))
        return true;
    const auto rowBytes = static_cast<std::size_t>(picture.header.rowBytes(picture.header.width) - 1);
    const std::size_t perByte = 8 / depth;
    for (std::size_t at = 0; at < picture.rows.size(); ++at) {
        // Only the samples inside the width count; the bits after the last one are padding.
        const std::size_t first = at % rowBytes * perByte;
        const std::size_t samples = std::min<std::size_t>(perByte, picture.header.width - first);
        for (std::size_t k = 0; k < samples; ++k) {
            const unsigned index = picture.rows[at] >> (8 - depth * (k + 1)) & ((1u << depth) - 1);
            if (index >= entries)
                return fail(PngEncodeProblem::IndexPastPalette);
        }
    }
    return true;
}

bool PngEncoder::checkTransparency(const PngPicture& picture)
{
    const std::size_t bytes = picture.transparency.size();
    if (bytes == 0)
        return true;
    switch (picture.header.colorType) {
    case PngHeader::Palette:
        return bytes <= picture.palette.size() / 3 || fail(PngEncodeProblem::BadTransparency);
    case PngHeader::Grey:
        return bytes == 2 || fail(PngEncodeProblem::BadTransparency);
    case PngHeader::Truecolor:
        return bytes == 6 || fail(PngEncodeProblem::BadTransparency);
    default:
        // The kinds with an alpha channel have no use for tRNS; PNG forbids it.
        return fail(PngEncodeProblem::BadTransparency);
    }
}

bool PngEncoder::deflateRows(const PngPicture& picture, std::vector<std::uint8_t>& stream)
{
    const PngHeader& header = picture.header;
    const auto rowBytes = static_cast<std::size_t>(header.rowBytes(header.width) - 1);
    std::vector<std::uint8_t> filtered((rowBytes + 1) * header.height);
    filterScanlines(picture.rows, rowBytes, header.filterStep(), filterChoiceFor(header), filtered);

    z_stream z{};
    // Z_FILTERED tunes the matcher for filter output (many small values);
    // unfiltered rows are better served by the plain strategy.
    const int strategy = filterChoiceFor(header) == FilterChoice::MinimumSum ? Z_FILTERED : Z_DEFAULT_STRATEGY;
    const int started = deflateInit2(&z, m_level, Z_DEFLATED, kWindowBits, kMemoryLevel, strategy);
    if (started == Z_MEM_ERROR)
        return fail(PngEncodeProblem::OutOfMemory);
    if (started != Z_OK)
        return fail(PngEncodeProblem::CompressionFailed);
    // zlib before 1.3 gives a bound a few bytes short for stored blocks at
    // some memory levels: when the room runs out the stream is grown and
    // finished.
    stream.resize(deflateBound(&z, static_cast<uLong>(filtered.size())) + 64);
    z.next_in = filtered.data();
    z.avail_in = static_cast<uInt>(filtered.size());
    int result = Z_OK;
    while (true) {
        z.next_out = stream.data() + z.total_out;
        z.avail_out = static_cast<uInt>(stream.size() - z.total_out);
        result = deflate(&z, Z_FINISH);
        if (result != Z_OK && result != Z_BUF_ERROR)
            break;
        if (z.avail_out != 0) // no progress possible for a reason other than room
            break;
        stream.resize(stream.size() + stream.size() / 8 + 64);
    }
    stream.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END || fail(PngEncodeProblem::CompressionFailed);
}

std::vector<std::uint8_t> PngEncoder::encode(const PngPicture& picture)
{
    m_problem = PngEncodeProblem::None;
    if (!check(picture))
        return {};
    try {
        std::vector<std::uint8_t> stream;
        if (!deflateRows(picture, stream))
            return {};

        const PngHeader& header = picture.header;
        ByteWriter fields;
        fields.u32be(header.width);
        fields.u32be(header.height);
        fields.u8(header.bitDepth);
        fields.u8(header.colorType);
        fields.u8(0); // deflate
        fields.u8(0); // adaptive filtering
        fields.u8(0); // not interlaced

        ByteWriter out;
        out.reserve(stream.size() + stream.size() / kMaxChunkData * 12 + picture.palette.size() + 128);
        out.bytes(PngHeader::kSignature);
        writeChunk(out, "IHDR", fields.data());
        if (!picture.palette.empty())
            writeChunk(out, "PLTE", picture.palette);
        if (!picture.transparency.empty())
            writeChunk(out, "tRNS", picture.transparency);
        const std::span<const std::uint8_t> data(stream);
        std::size_t at = 0;
        do {
            const std::size_t length = std::min(kMaxChunkData, data.size() - at);
            writeChunk(out, "IDAT", data.subspan(at, length));
            at += length;
        } while (at < data.size());
        writeChunk(out, "IEND", {});
        return out.take();
    } catch (const std::bad_alloc&) {
        fail(PngEncodeProblem::OutOfMemory);
        return {};
    }
}

} // namespace tessaly
