#include "formats/png_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "formats/inflate_decoder.h"
#include "formats/png_rgba_converter.h"
#include "formats/png_unfilter.h"
#include "image/byte_reader.h"
#include "image/file_bytes.h"

namespace tessaly {

namespace {

constexpr std::size_t kCrcBytes = 4;
// The scanlines of the largest image IconImage holds, at 16 bits a sample
// (twice its 8-bit pixels), with a filter byte per row of each Adam7 pass.
constexpr std::uint64_t kMaxScanlineBytes =
    2 * static_cast<std::uint64_t>(IconImage::kMaxPixelBytes) + 15 * static_cast<std::uint64_t>(IconImage::kMaxSide);

// Where an Adam7 pass's pixels lie; a file without interlacing is one pass
// over every pixel.
struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> kAdam7 = {
    {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
constexpr std::array<Pass, 1> kWhole = {{{0, 0, 1, 1}}};

std::span<const Pass> passesOf(const PngHeader& header)
{
    return header.interlaceMethod == 1 ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWhole);
}

// Pixels of a pass across and down; 0 when the image is too small for it.
std::uint32_t passExtent(std::uint32_t size, std::uint32_t start, std::uint32_t step)
{
    return size > start ? (size - start + step - 1) / step : 0;
}

// Bytes of all passes' scanlines; a pass without pixels has no scanlines.
std::uint64_t scanlineBytes(const PngHeader& header)
{
    std::uint64_t total = 0;
    for (const Pass& pass : passesOf(header)) {
        const std::uint32_t width = passExtent(header.width, pass.x0, pass.dx);
        const std::uint32_t height = passExtent(header.height, pass.y0, pass.dy);
        if (width != 0)
            total += header.rowBytes(width) * height;
    }
    return total;
}

bool isType(std::span<const std::uint8_t> type, const char* name)
{
    return std::equal(type.begin(), type.end(), name);
}

} // namespace

bool PngReader::fail(PngReadProblem problem)
{
    if (m_problem == PngReadProblem::None)
        m_problem = problem;
    return false;
}

bool PngReader::read(const std::filesystem::path& path)
{
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes) {
        m_problem = PngReadProblem::None;
        m_decoded = false;
        return fail(PngReadProblem::FileUnreadable);
    }
    return read(*bytes);
}

bool PngReader::read(std::span<const std::uint8_t> file)
{
    return parse(file, Purpose::Import);
}

bool PngReader::parse(std::span<const std::uint8_t> file, Purpose purpose)
{
    m_problem = PngReadProblem::None;
    m_decoded = false;
    m_hasHeader = false;
    m_palette.clear();
    m_transparency.clear();
    m_imageData.clear();
    releaseScanlines();
    try {
        if (!PngHeader::startsWithSignature(file))
            return fail(PngReadProblem::NotAPng);
        readChunks(file.subspan(PngHeader::kSignature.size()));
        if (!checkHeader(purpose))
            return false;
        // The import takes every file as not interlaced: an interlaced one
        // then inflates to another size and fails.
        const std::uint64_t size =
            purpose == Purpose::Import ? m_header.rowBytes(m_header.width) * m_header.height : scanlineBytes(m_header);
        if (size > m_imageData.size() * kMaxInflateRatio || size > kMaxScanlineBytes)
            return fail(PngReadProblem::MoreDataThanPossible);
        if (!inflateScanlines(size))
            return false;
        if (m_header.filterMethod != 0)
            return fail(PngReadProblem::UnknownMethod);
        if (purpose == Purpose::Import)
            unfilterScanlines(m_scanlines, m_header.rowBytes(m_header.width), m_header.filterStep(),
                              UnknownFilter::LeaveRow);
        else if (!unfilterPasses())
            return fail(PngReadProblem::UnknownFilterType);
    } catch (const std::bad_alloc&) {
        releaseScanlines();
        return fail(PngReadProblem::ImageNotCreated);
    }
    m_decoded = true;
    return true;
}

void PngReader::readChunks(std::span<const std::uint8_t> chunks)
{
    ByteReader in(chunks);
    while (in.remaining() > 0) {
        const std::uint32_t length = in.u32be();
        const std::span<const std::uint8_t> type = in.bytes(4);
        // A chunk cut short (its CRC included) ends the file, as IEND would.
        if (!in.ok() || length > in.remaining() || in.remaining() - length < kCrcBytes)
            return;
        const std::span<const std::uint8_t> data = in.bytes(length);
        in.skip(kCrcBytes);
        if (isType(type, "IHDR") && length == PngHeader::kBytes) {
            m_header = PngHeader::parse(data);
            m_hasHeader = true;
        } else if (isType(type, "PLTE")) {
            m_palette.assign(data.begin(), data.begin() + length / 3 * 3);
        } else if (isType(type, "tRNS")) {
            m_transparency.assign(data.begin(), data.end());
        } else if (isType(type, "IDAT")) {
            m_imageData.insert(m_imageData.end(), data.begin(), data.end());
        } else if (isType(type, "IEND")) {
            return;
        }
    }
}

bool PngReader::checkHeader(Purpose purpose)
{
    if (!m_hasHeader)
        return fail(PngReadProblem::NoHeader);
    // PNG forbids empty images; a height of 0 would make an image without rows.
    if (m_header.width == 0 || m_header.height == 0 || m_header.width > IconImage::kMaxSide ||
        m_header.height > IconImage::kMaxSide)
        return fail(PngReadProblem::ImpossibleSize);
    if (m_header.channels() == 0)
        return fail(PngReadProblem::UnsupportedKind);
    if (purpose == Purpose::Import)
        return true;
    if (!m_header.isValidKind())
        return fail(PngReadProblem::UnsupportedKind);
    if (m_header.compressionMethod != 0 || m_header.interlaceMethod > 1)
        return fail(PngReadProblem::UnknownMethod);
    if (std::uint64_t{m_header.width} * m_header.height * 4 > static_cast<std::uint64_t>(IconImage::kMaxPixelBytes))
        return fail(PngReadProblem::ImpossibleSize);
    if (m_header.colorType == PngHeader::Palette && m_palette.empty())
        return fail(PngReadProblem::NoPalette);
    return true;
}

bool PngReader::inflateScanlines(std::uint64_t size)
{
    m_scanlineStorage.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
    if (!m_scanlineStorage)
        return fail(PngReadProblem::ImageNotCreated);
    m_scanlines = {m_scanlineStorage.get(), static_cast<std::size_t>(size)};
    InflateDecoder decoder;
    if (!decoder.inflateZlib(m_imageData, m_scanlines))
        return fail(PngReadProblem::DataDamaged);
    m_imageData.clear();
    m_imageData.shrink_to_fit();
    return true;
}

void PngReader::releaseScanlines()
{
    m_scanlineStorage.reset();
    m_scanlines = {};
}

bool PngReader::unfilterPasses()
{
    std::size_t offset = 0;
    for (const Pass& pass : passesOf(m_header)) {
        const std::uint32_t width = passExtent(m_header.width, pass.x0, pass.dx);
        const std::uint32_t height = passExtent(m_header.height, pass.y0, pass.dy);
        if (width == 0 || height == 0)
            continue;
        const auto rowBytes = static_cast<std::size_t>(m_header.rowBytes(width));
        const std::span<std::uint8_t> rows = m_scanlines.subspan(offset, rowBytes * height);
        if (!unfilterScanlines(rows, rowBytes, m_header.filterStep(), UnknownFilter::Fail))
            return false;
        offset += rows.size();
    }
    return true;
}

bool PngReader::decodeToIconImage(std::span<const std::uint8_t> file, IconImage& image)
{
    image.release();
    if (!parse(file, Purpose::IconEntry))
        return false;
    return storeRgba(image) || fail(PngReadProblem::ImageNotCreated);
}

bool PngReader::storeRgba(IconImage& image) const
{
    const auto width = static_cast<std::int32_t>(m_header.width);
    const auto height = static_cast<std::int32_t>(m_header.height);
    if (!image.create(width, height, 32))
        return false;
    std::fill(image.maskData().begin(), image.maskData().end(), 0);
    const PngRgbaConverter converter(m_header, m_palette, m_transparency);
    std::vector<std::uint8_t> rgba;
    try {
        rgba.resize(4 * static_cast<std::size_t>(width));
    } catch (const std::bad_alloc&) {
        image.release();
        return false;
    }
    const std::uint8_t* scanline = m_scanlines.data();
    for (const Pass& pass : passesOf(m_header)) {
        const std::uint32_t across = passExtent(m_header.width, pass.x0, pass.dx);
        const std::uint32_t down = passExtent(m_header.height, pass.y0, pass.dy);
        if (across == 0)
            continue;
        const auto rowBytes = static_cast<std::size_t>(m_header.rowBytes(across));
        for (std::uint32_t row = 0; row < down; ++row, scanline += rowBytes) {
            converter.convert(scanline + 1, across, rgba.data());
            const auto y = static_cast<std::int32_t>(pass.y0 + row * pass.dy);
            const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
            std::uint8_t* pixels = image.pixelData().data() + stored * static_cast<std::size_t>(image.pixelStride());
            std::uint8_t* mask = image.maskData().data() + stored * static_cast<std::size_t>(image.maskStride());
            for (std::uint32_t i = 0; i < across; ++i) {
                const std::uint8_t* from = &rgba[4 * i];
                const std::uint32_t x = pass.x0 + i * pass.dx;
                std::uint8_t* to = pixels + 4 * static_cast<std::size_t>(x);
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                to[3] = from[3];
                if (from[3] == 0)
                    mask[x / 8] = static_cast<std::uint8_t>(mask[x / 8] | 0x80 >> (x % 8));
            }
        }
    }
    return true;
}

std::unique_ptr<IconImage> PngReader::fromPng(const PngReader& reader)
{
    const PngHeader& header = reader.m_header;
    std::int32_t bitCount = 0;
    if (header.colorType == PngHeader::Truecolor && header.bitDepth == 8)
        bitCount = 24;
    else if (header.colorType == PngHeader::Palette)
        bitCount = header.bitDepth == 1                           ? 1
                   : header.bitDepth == 2 || header.bitDepth == 4 ? 4
                   : header.bitDepth == 8                         ? 8
                                                                  : 0;
    if (!reader.m_decoded || bitCount == 0)
        return nullptr;
    auto image = std::make_unique<IconImage>();
    if (!image->create(static_cast<std::int32_t>(header.width), static_cast<std::int32_t>(header.height), bitCount))
        return nullptr;
    const std::size_t entries =
        std::min<std::size_t>(reader.m_palette.size() / 3, static_cast<std::size_t>(image->colorCount()));
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* rgb = &reader.m_palette[3 * i];
        image->setPaletteColor(static_cast<std::int32_t>(i), makeColor(rgb[0], rgb[1], rgb[2]));
    }
    const auto rowBytes = static_cast<std::size_t>(header.rowBytes(header.width));
    for (std::uint32_t i = 0; i < header.height; ++i) {
        const std::uint8_t* from = reader.m_scanlines.data() + i * rowBytes + 1;
        std::uint8_t* to = image->pixelData().data() + static_cast<std::size_t>(header.height - 1 - i) *
                                                           static_cast<std::size_t>(image->pixelStride());
        if (bitCount == 24) {
            for (std::uint32_t x = 0; x < header.width; ++x) {
                to[3 * x] = from[3 * x + 2];
                to[3 * x + 1] = from[3 * x + 1];
                to[3 * x + 2] = from[3 * x];
            }
        } else if (header.bitDepth == 2) {
            // Each 2-bit index becomes a 4-bit one.
            for (std::uint32_t x = 0; x < header.width; ++x) {
                const auto index = static_cast<std::uint8_t>((from[x / 4] >> (6 - 2 * (x % 4))) & 3);
                to[x / 2] = static_cast<std::uint8_t>(to[x / 2] | (x % 2 == 0 ? index << 4 : index));
            }
        } else {
            std::memcpy(to, from, rowBytes - 1);
        }
    }
    std::fill(image->maskData().begin(), image->maskData().end(), 0);
    return image;
}

} // namespace tessaly
