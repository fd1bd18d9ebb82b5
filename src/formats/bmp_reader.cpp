#include "formats/bmp_reader.h"

#include "image/byte_reader.h"
#include "image/file_bytes.h"

namespace tessaly {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;

} // namespace

bool BmpReader::fail(BmpReadProblem problem)
{
    m_problem = problem;
    return false;
}

bool BmpReader::readFile(const std::filesystem::path& path, IconImageList& images)
{
    images.clear();
    m_dibProblem = DibProblem::None;
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes)
        return fail(BmpReadProblem::FileUnreadable);
    return read(*bytes, images);
}

bool BmpReader::read(std::span<const std::uint8_t> file, IconImageList& images)
{
    images.clear();
    m_problem = BmpReadProblem::None;
    m_dibProblem = DibProblem::None;

    ByteReader in(file);
    const std::uint8_t b = in.u8();
    const std::uint8_t m = in.u8();
    in.skip(8); // file size and two reserved fields: often wrong, never needed
    const std::uint32_t pixelOffset = in.u32le();
    if (!in.ok() || b != 'B' || m != 'M')
        return fail(BmpReadProblem::NotABitmapFile);
    if (pixelOffset < kFileHeaderBytes || pixelOffset > file.size())
        return fail(BmpReadProblem::PixelOffsetOutside);

    const std::span<const std::uint8_t> info = file.subspan(kFileHeaderBytes, pixelOffset - kFileHeaderBytes);
    const std::optional<PackedDib> dib = PackedDib::parse(info, file.subspan(pixelOffset), &m_dibProblem);
    if (!dib)
        return fail(BmpReadProblem::BadBitmap);
    std::unique_ptr<IconImage> image = dib->toIconImage(&m_dibProblem);
    if (!image)
        return fail(BmpReadProblem::BadBitmap);
    images.push_back(std::move(image));
    return true;
}

} // namespace tessaly
