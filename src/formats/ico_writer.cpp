#include "formats/ico_writer.h"

#include <limits>
#include <new>

#include "formats/bitmap_info_header.h"
#include "formats/ico_directory_entry.h"
#include "formats/png_entry.h"
#include "image/file_bytes.h"
#include "image/icon_collection.h"

namespace tessaly {

namespace {

std::uint64_t bitmapBlockBytes(const IconImage& image)
{
    return BitmapInfoHeader::kBytes + static_cast<std::uint64_t>(image.dataBytes());
}

constexpr std::uint16_t kPngEntryBitCount = 32;

// A side of 256 or more is written as 0; readers take it from the bitmap header.
std::uint8_t directorySide(std::int32_t side)
{
    return side < 256 ? static_cast<std::uint8_t>(side) : 0;
}

} // namespace

bool IcoWriter::fail(IcoWriteProblem problem)
{
    m_problem = problem;
    return false;
}

bool IcoWriter::encode(const IconCollection& collection, std::vector<std::uint8_t>& file)
{
    std::vector<const IconImage*> images;
    images.reserve(static_cast<std::size_t>(collection.count()));
    for (std::int32_t i = 0; i < collection.count(); ++i)
        images.push_back(collection.get(i));
    return encode(images, file);
}

bool IcoWriter::encode(std::span<const IconImage* const> images, std::vector<std::uint8_t>& file)
{
    m_problem = IcoWriteProblem::None;
    if (!checkImages(images))
        return false;
    try {
        // PNG entries are made first: their sizes place every image after them.
        PngBlocks pngs;
        if (!encodePngBlocks(images, pngs))
            return false;
        std::uint64_t fileBytes = IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes * images.size();
        for (std::size_t i = 0; i < images.size(); ++i)
            fileBytes += images[i]->storage() == ImageStorage::Png ? pngs[i].size() : bitmapBlockBytes(*images[i]);
        if (fileBytes > std::numeric_limits<std::uint32_t>::max())
            return fail(IcoWriteProblem::TooLarge);
        ByteWriter out;
        out.reserve(static_cast<std::size_t>(fileBytes));
        writeHeader(out, images.size());
        writeDirectory(out, images, pngs);
        for (std::size_t i = 0; i < images.size(); ++i) {
            if (images[i]->storage() == ImageStorage::Png)
                out.bytes(pngs[i]);
            else
                writeBitmap(out, *images[i]);
        }
        file = out.take();
    } catch (const std::bad_alloc&) {
        return fail(IcoWriteProblem::OutOfMemory);
    }
    return true;
}

bool IcoWriter::writeFile(const std::filesystem::path& path, const IconCollection& collection)
{
    std::vector<std::uint8_t> file;
    if (!encode(collection, file))
        return false;
    return writeFileReplacing(path, file) || fail(IcoWriteProblem::FileNotWritten);
}

bool IcoWriter::checkImages(std::span<const IconImage* const> images)
{
    if (images.empty())
        return fail(IcoWriteProblem::NoImages);
    if (images.size() > std::numeric_limits<std::uint16_t>::max())
        return fail(IcoWriteProblem::TooManyImages);
    for (const IconImage* image : images) {
        if (image->width() == 0 || image->height() == 0)
            return fail(IcoWriteProblem::EmptyImage);
    }
    return true;
}

bool IcoWriter::encodePngBlocks(std::span<const IconImage* const> images, PngBlocks& pngs)
{
    pngs.resize(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (images[i]->storage() != ImageStorage::Png)
            continue;
        pngs[i] = PngEntry::encode(*images[i]);
        if (pngs[i].empty())
            return fail(IcoWriteProblem::OutOfMemory);
    }
    return true;
}

void IcoWriter::writeHeader(ByteWriter& out, std::size_t count) const
{
    out.u16le(0);
    out.u16le(IcoLayout::kIconType);
    out.u16le(static_cast<std::uint16_t>(count));
}

void IcoWriter::writeDirectory(ByteWriter& out, std::span<const IconImage* const> images, const PngBlocks& pngs) const
{
    auto offset =
        static_cast<std::uint32_t>(IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = *images[i];
        const bool png = image.storage() == ImageStorage::Png;
        IcoDirectoryEntry entry;
        entry.width = directorySide(image.width());
        entry.height = directorySide(image.height());
        // 256 colours are written as 0; a PNG entry holds 32-bit RGBA, without a palette.
        entry.colorCount = png ? 0 : static_cast<std::uint8_t>(image.colorCount());
        entry.planes = 1;
        entry.bitCount = png ? kPngEntryBitCount : static_cast<std::uint16_t>(image.bitCount());
        entry.bytesInImage = static_cast<std::uint32_t>(png ? pngs[i].size() : bitmapBlockBytes(image));
        entry.imageOffset = offset;
        entry.write(out);
        offset += entry.bytesInImage;
    }
}

void IcoWriter::writeBitmap(ByteWriter& out, const IconImage& image) const
{
    BitmapInfoHeader header;
    header.width = image.width();
    header.height = 2 * image.height(); // colour rows and mask rows
    header.planes = 1;
    header.bitCount = static_cast<std::uint16_t>(image.bitCount());
    header.imageSize = static_cast<std::uint32_t>(image.pixelBytes());
    header.write(out);
    image.writeData(out);
}

} // namespace tessaly
