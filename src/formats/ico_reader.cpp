#include "formats/ico_reader.h"

#include <algorithm>
#include <memory>

#include "formats/png_reader.h"
#include "image/color_mode.h"
#include "image/file_bytes.h"
#include "image/icon_image.h"

namespace tessaly {

namespace {

constexpr std::uint64_t kPaletteEntryBytes = 4;

// Rows pad to 32 bits, for the colour rows and the 1-bit mask rows alike.
std::uint64_t rowBytes(std::int32_t width, std::int32_t bitCount)
{
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

// The smallest b >= 1 with 2^b >= colours: a directory's colour count is the
// last hint to a bit count that neither bit count field gives.
std::int32_t bitCountForColors(std::uint32_t colors)
{
    std::int32_t bits = 1;
    while (bits < 31 && (1u << bits) < colors)
        ++bits;
    return bits;
}

// Colour table entries stored in the file. For 1, 4 and 8 bits the full
// table unless the header's colours-used field says otherwise; for 24 and 32
// bits a table is stored only when that field names one (an optimisation
// hint in a bitmap). Like the platform's own bitmap code, no table is taken
// to be longer than 256 entries.
std::uint64_t storedTableEntries(const BitmapInfoHeader& header, std::int32_t bitCount)
{
    constexpr std::uint32_t kMaxTableEntries = 256;
    if (header.colorsUsed != 0)
        return std::min(header.colorsUsed, kMaxTableEntries);
    return bitCount <= 8 ? 1u << bitCount : 0;
}

// Without mask rows a 32-bit pixel is transparent where its alpha is 0, and
// every pixel of a smaller bit count is opaque.
void maskWithoutRows(IconImage& image)
{
    const bool fromAlpha = image.bitCount() == 32;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x)
            image.setMask(y, x, fromAlpha && alphaOf(image.getPixel(y, x)) == 0);
    }
}

// Mask rows packed without the padding to 32 bits, bottom row first.
void readUnpaddedMask(ByteReader& in, IconImage& image)
{
    const auto packed = static_cast<std::size_t>((image.width() + 7) / 8);
    const std::span<std::uint8_t> mask = image.maskData();
    for (std::int32_t row = 0; row < image.height(); ++row)
        in.read(mask.subspan(static_cast<std::size_t>(row) * static_cast<std::size_t>(image.maskStride()), packed));
}

enum class MaskLayout { Padded, Unpadded, Absent };

// The mask rows are normally padded to 32 bits like every bitmap row. Two
// other layouts exist in files from other programs: no mask rows at all
// (32-bit images of some writers) and mask rows packed without padding (one
// widely used library's bitmap icons below 32 bits). They are recognised
// only where padded rows have no room before the next image or the end of
// the file, and the directory's byte count ends exactly where the other
// layout ends; a writer that merely miscounted keeps its mask.
MaskLayout maskLayoutOf(std::uint32_t bytesInImage, std::uint64_t bytesWithoutMask, std::uint64_t roomForMask,
                        std::uint64_t paddedMaskBytes, std::uint64_t unpaddedMaskBytes)
{
    if (roomForMask >= paddedMaskBytes)
        return MaskLayout::Padded;
    if (bytesInImage == bytesWithoutMask)
        return MaskLayout::Absent;
    if (unpaddedMaskBytes != paddedMaskBytes && bytesInImage == bytesWithoutMask + unpaddedMaskBytes)
        return MaskLayout::Unpadded;
    return MaskLayout::Padded;
}

// Where the space of the image at offset ends: at the next image's offset,
// or at the end of the file. starts holds every entry's offset, sorted.
std::size_t spaceEndOf(std::uint32_t offset, const std::vector<std::uint32_t>& starts, std::size_t fileSize)
{
    const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
    return next == starts.end() ? fileSize : std::min<std::size_t>(*next, fileSize);
}

// A PNG file's own length: up to the end of its IEND chunk, or all of the
// bytes when it has none. Kept as an image's source, a PNG entry whose byte
// count was wrong must not carry the images after it along.
std::size_t pngLength(std::span<const std::uint8_t> png)
{
    ByteReader in(png);
    in.skip(PngHeader::kSignature.size());
    while (in.remaining() >= 12) {
        const std::uint32_t length = in.u32be();
        const std::span<const std::uint8_t> type = in.bytes(4);
        if (length > in.remaining() - 4)
            break;
        in.skip(length + 4);
        if (std::equal(type.begin(), type.end(), "IEND"))
            return in.position();
    }
    return png.size();
}

} // namespace

bool IcoReader::fail(IcoReadProblem problem)
{
    if (m_problem == IcoReadProblem::None)
        m_problem = problem;
    return false;
}

IcoReader::EntryOutcome IcoReader::failEntry(IcoReadProblem problem)
{
    fail(problem);
    return EntryOutcome::Failed;
}

bool IcoReader::readFile(const std::filesystem::path& path, IconImageList& images)
{
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes) {
        images.clear();
        m_problem = IcoReadProblem::None;
        return fail(IcoReadProblem::FileUnreadable);
    }
    return read(*bytes, images);
}

bool IcoReader::read(std::span<const std::uint8_t> file, IconImageList& images)
{
    images.clear();
    m_problem = IcoReadProblem::None;

    ByteReader in(file);
    std::uint16_t count = 0;
    if (!readHeader(in, count))
        return false;
    std::vector<IcoDirectoryEntry> directory;
    if (!readDirectory(in, count, directory))
        return false;

    // Entries are independent once their offsets are honoured, so a damaged
    // one costs only itself: the others are still read, and the result says
    // that something was lost.
    std::vector<std::uint32_t> starts;
    starts.reserve(directory.size());
    for (const IcoDirectoryEntry& entry : directory)
        starts.push_back(entry.imageOffset);
    std::sort(starts.begin(), starts.end());

    images.reserve(directory.size());
    const std::uint64_t limit = decodedBytesLimit(file.size());
    std::uint64_t decoded = 0;
    bool complete = true;
    for (const IcoDirectoryEntry& entry : directory) {
        if (decoded > limit)
            return fail(IcoReadProblem::ImagesExceedFile);
        const std::size_t spaceEnd = spaceEndOf(entry.imageOffset, starts, file.size());
        if (readEntry(file, in.position(), spaceEnd, entry, images) == EntryOutcome::Failed)
            complete = false;
        else
            decoded += static_cast<std::uint64_t>(images.back()->dataBytes()) + images.back()->pngSource().size();
    }
    return complete;
}

std::uint64_t IcoReader::decodedBytesLimit(std::size_t inputBytes)
{
    return PngReader::kMaxInflateRatio * static_cast<std::uint64_t>(inputBytes);
}

bool IcoReader::readHeader(ByteReader& in, std::uint16_t& count)
{
    in.u16le(); // reserved; other programs do not always write 0
    const std::uint16_t type = in.u16le();
    count = in.u16le();
    if (!in.ok())
        return fail(IcoReadProblem::HeaderTruncated);
    if (type != IcoLayout::kIconType)
        return fail(IcoReadProblem::NotAnIconFile);
    if (count == 0)
        return fail(IcoReadProblem::NoImages);
    return true;
}

bool IcoReader::readDirectory(ByteReader& in, std::uint16_t count, std::vector<IcoDirectoryEntry>& directory)
{
    // Checked before reserving, so that a count of 65535 in a tiny file
    // allocates nothing.
    if (in.remaining() / IcoLayout::kDirectoryEntryBytes < count)
        return fail(IcoReadProblem::DirectoryTruncated);
    directory.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i)
        directory.push_back(IcoDirectoryEntry::read(in));
    return in.ok() || fail(IcoReadProblem::DirectoryTruncated);
}

IcoReader::EntryOutcome IcoReader::readEntry(std::span<const std::uint8_t> file, std::size_t directoryEnd,
                                             std::size_t spaceEnd, const IcoDirectoryEntry& entry,
                                             IconImageList& images)
{
    if (entry.imageOffset < directoryEnd)
        return failEntry(IcoReadProblem::EntryOffsetInsideDirectory);
    if (entry.imageOffset >= file.size())
        return failEntry(IcoReadProblem::EntryPastEndOfFile);
    // Everything from the offset to the end of the file: the byte count of the
    // directory is no bound that can be relied on.
    const std::span<const std::uint8_t> block = file.subspan(entry.imageOffset);
    if (PngHeader::startsWithSignature(block)) {
        const bool countFits = entry.bytesInImage >= PngHeader::kSignature.size() && entry.bytesInImage <= block.size();
        return readPngEntry(countFits ? block.first(entry.bytesInImage) : block, images);
    }
    return readBitmapEntry(block, spaceEnd - entry.imageOffset, entry, images);
}

IcoReader::EntryOutcome IcoReader::readPngEntry(std::span<const std::uint8_t> png, IconImageList& images)
{
    // The PNG's own header gives the size: the directory's width and height
    // say 0 for the 256-pixel images that are usually stored this way.
    auto image = std::make_unique<IconImage>();
    if (!PngReader().decodeToIconImage(png, *image))
        return failEntry(IcoReadProblem::PngEntryDamaged);
    // Written back as PNG too, so that opening and saving keeps the file
    // small, and as these very bytes while the pixels stay unchanged.
    image->setStorage(ImageStorage::Png);
    const std::span<const std::uint8_t> source = png.first(pngLength(png));
    image->setPngSource(std::vector<std::uint8_t>(source.begin(), source.end()));
    images.push_back(std::move(image));
    return EntryOutcome::Read;
}

bool IcoReader::deriveShape(const IcoDirectoryEntry& entry, const BitmapInfoHeader& header, Shape& shape)
{
    shape.width = entry.width != 0 ? entry.width : header.width;
    shape.height = entry.height != 0 ? entry.height : header.height / 2;
    if (header.bitCount != 0)
        shape.bitCount = header.bitCount;
    else if (entry.bitCount != 0)
        shape.bitCount = entry.bitCount;
    else if (entry.colorCount != 0)
        shape.bitCount = bitCountForColors(entry.colorCount);
    else
        shape.bitCount = 8;

    if (!colorModeForBitCount(shape.bitCount))
        return fail(IcoReadProblem::UnsupportedBitCount);
    if (shape.width <= 0 || shape.height <= 0 || shape.width > IconImage::kMaxSide ||
        shape.height > IconImage::kMaxSide)
        return fail(IcoReadProblem::ImpossibleSize);
    return true;
}

IcoReader::EntryOutcome IcoReader::readBitmapEntry(std::span<const std::uint8_t> block, std::size_t ownBytes,
                                                   const IcoDirectoryEntry& entry, IconImageList& images)
{
    ByteReader in(block);
    const BitmapInfoHeader header = BitmapInfoHeader::read(in);
    if (!in.ok())
        return failEntry(IcoReadProblem::EntryPastEndOfFile);
    if (header.size < BitmapInfoHeader::kBytes)
        return failEntry(IcoReadProblem::BitmapHeaderTooSmall);
    if (!in.seek(header.size))
        return failEntry(IcoReadProblem::EntryPastEndOfFile);
    if (header.compression != BitmapInfoHeader::kUncompressed)
        return failEntry(IcoReadProblem::UnsupportedCompression);
    Shape shape;
    if (!deriveShape(entry, header, shape))
        return EntryOutcome::Failed;

    // Every size below is at most 2^32 * 4 or 16384 * 16384 * 4: no sum wraps.
    const std::uint64_t tableEntries = storedTableEntries(header, shape.bitCount);
    const std::uint64_t tableBytes = tableEntries * kPaletteEntryBytes;
    const auto height = static_cast<std::uint64_t>(shape.height);
    const std::uint64_t pixelBytes = rowBytes(shape.width, shape.bitCount) * height;
    const std::uint64_t paddedMaskBytes = rowBytes(shape.width, 1) * height;
    const std::uint64_t unpaddedMaskBytes = (static_cast<std::uint64_t>(shape.width) + 7) / 8 * height;
    const std::uint64_t withoutMask = header.size + tableBytes + pixelBytes;
    const std::uint64_t roomForMask = ownBytes > withoutMask ? ownBytes - withoutMask : 0;
    const MaskLayout maskLayout =
        maskLayoutOf(entry.bytesInImage, withoutMask, roomForMask, paddedMaskBytes, unpaddedMaskBytes);
    const std::uint64_t maskBytes = maskLayout == MaskLayout::Padded     ? paddedMaskBytes
                                    : maskLayout == MaskLayout::Unpadded ? unpaddedMaskBytes
                                                                         : 0;
    if (tableBytes + pixelBytes + maskBytes > in.remaining())
        return failEntry(IcoReadProblem::ImageDataPastEndOfFile);

    auto image = std::make_unique<IconImage>();
    if (!image->create(shape.width, shape.height, shape.bitCount))
        return failEntry(IcoReadProblem::ImageNotCreated);
    const std::uint64_t keptTableBytes =
        std::min<std::uint64_t>(tableBytes, static_cast<std::uint64_t>(image->paletteBytes()));
    in.read(image->paletteData().first(static_cast<std::size_t>(keptTableBytes)));
    in.skip(static_cast<std::size_t>(tableBytes - keptTableBytes));
    in.read(image->pixelData());
    switch (maskLayout) {
    case MaskLayout::Padded:
        in.read(image->maskData());
        break;
    case MaskLayout::Unpadded:
        readUnpaddedMask(in, *image);
        break;
    case MaskLayout::Absent:
        maskWithoutRows(*image);
        break;
    }
    if (!in.ok())
        return failEntry(IcoReadProblem::ImageDataPastEndOfFile);
    images.push_back(std::move(image));
    return EntryOutcome::Read;
}

} // namespace tessaly
